#pragma once

#include "ExportProgressTab.h"
#include "db/DbConnection.h"
#include "db/DbQuery.h"
#include "db/ScriptRunner.h"
#include "export/PriceExportRun.h"
#include "import/PriceListImport.h"
#include "seo/SeoRun.h"
#include "store/ConnectionProfile.h"
#include "store/StoreSession.h"

#include <QWidget>
#include <functional>

class ChangePreviewTab;
class ClickableLabel;
class DropDownComboBox;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QStackedWidget;
class QTabWidget;
class QToolButton;
class Ui;
struct PageSettings;

// The one main window: toolbar, page stack and every control of the four pages, with thin
// handlers named for what they do. The work itself lives in the module folders; the window
// owns the database session and the four long jobs, and shows every dialog through the seam
// it is given.
class MainWindow : public QWidget
{
    Q_OBJECT
public:
    explicit MainWindow(Ui& ui, QWidget* parent = nullptr);
    ~MainWindow() override;

    static QString applicationTitle();

    // Shows the page of that name ("SETTING", "EXPORT", "IMPORT", "HELP").
    void showPage(const QString& name);
    QString currentPageName() const;

    // The window's database session, and its jobs, as tests and benchmarks look at them.
    DbConnection& connection() { return m_connection; }
    const DbQuery& query() const { return m_query; }
    const StoreSession& session() const { return m_session; }
    const Job& priceExportJob() const { return m_priceExport; }
    const Job& seoJob() const { return m_seoRun; }
    const Job& creationJob() const { return m_import; }
    const Job& scriptJob() const { return m_scriptRunner; }
    // True while any long job runs: actions that would disturb it are refused.
    bool jobRunning() const;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // Runs a handler. A failed check is shown in a message box, any other error in the
    // application's error box; once the window is closing, a job's error is not shown.
    enum class Closing { Quiet, Show };
    void guarded(const std::function<void()>& handler, Closing whenClosing = Closing::Quiet);
    // Connects a control's signal to its handler, behind the guard.
    template <typename Signal, typename Sender>
    void on(Sender* sender, Signal signal, void (MainWindow::*handler)())
    {
        connect(sender, signal, this, [this, handler] { guarded([this, handler] { (this->*handler)(); }); });
    }

    void buildToolbar(QWidget* toolbar);
    QWidget* buildSettingPage();
    QWidget* buildExportPage();
    QWidget* buildImportPage();
    QWidget* buildHelpPage();
    void connectHandlers();

    void loadPageSettings();
    // Stops every job quietly, closes the session and saves the page settings.
    void closeWindow();
    PageSettings pageSettingsFromControls() const;
    void applyPageSettings(const PageSettings& settings);

    // SETTING page
    void fillSettingProfiles();
    void showChosenProfile();
    void addProfile();
    void saveProfileChanges();
    void removeProfile();
    void testConnection();
    ConnectionProfile profileFromFields() const;

    // EXPORT page
    void fillExportProfiles();
    void connectForExport();
    void chooseExportFolder();
    void toggleAllBrands();
    void keepIdColumnTicked();
    void keepSeoIdColumnsTicked();
    void clearBrandList();
    void loadBrandList();
    void startPriceExport();
    void startSeoRun();
    // The one Stop button of the price export and the SEO runs.
    void stopExport();
    void openExportFolder();
    void openTemplateFiles();
    CsvSettings::Texts csvSettingsTexts() const;
    ExportProgressTab::Controls exportProgressControls() const;

    // IMPORT page
    void fillImportProfiles();
    void connectForImport();
    void chooseImportFolder();
    void toggleAllPriceLists();
    void refreshPriceLists();
    void startScriptCreation();
    void stopScriptCreation();
    // "Start script update": runs a script file the operator picks.
    void chooseAndRunScript();
    // The import rules as the IMPORT page's settings give them.
    ImportRules importRules() const;
    void runScriptFile(const QString& path);
    void stopScriptRun();

    // HELP page
    void openSoftwarePage();
    void openWebPage();

    // The opening steps of a session on the profile chosen in profiles; onChosen runs once a
    // profile is found chosen. False when nothing is to be opened.
    bool readSessionProfile(QComboBox* profiles, const std::function<void()>& onChosen);
    QString askDatabasePassword();

    Ui& m_ui;
    DbConnection m_connection{QStringLiteral("UniConnection1")};
    DbQuery m_query{QStringLiteral("UniQuery1"), m_connection};
    DbQuery m_secondQuery{QStringLiteral("UniQuery2"), m_connection};
    StoreSession m_session;
    PriceExportRun m_priceExport{m_query};
    SeoRun m_seoRun{m_query, m_secondQuery};
    PriceListImport m_import{m_connection, m_query};
    ScriptRunner m_scriptRunner;
    // Set once the window is asked to close: jobs still on the stack end without a word.
    bool m_closing = false;

    // The controls. Each carries its component name as its object name, set where it is made.
    QStackedWidget* m_pages = nullptr;
    QToolButton* m_settingPageButton = nullptr;
    QToolButton* m_exportPageButton = nullptr;
    QToolButton* m_importPageButton = nullptr;
    QToolButton* m_helpPageButton = nullptr;

    // SETTING
    DropDownComboBox* m_profileChooser = nullptr;
    QToolButton* m_removeProfileButton = nullptr;
    QLineEdit* m_profileNameEdit = nullptr;
    QComboBox* m_storeTypeCombo = nullptr;
    QLineEdit* m_serverEdit = nullptr;
    QLineEdit* m_portEdit = nullptr;
    QLineEdit* m_databaseEdit = nullptr;
    QLineEdit* m_prefixEdit = nullptr;
    QLineEdit* m_userEdit = nullptr;
    QLineEdit* m_passwordEdit = nullptr;
    QCheckBox* m_savePasswordCheck = nullptr;
    QToolButton* m_addProfileButton = nullptr;
    QToolButton* m_saveProfileButton = nullptr;
    QToolButton* m_testConnectionButton = nullptr;
    QListWidget* m_connectionTestLog = nullptr;

    // EXPORT
    QTabWidget* m_exportTabs = nullptr;
    QComboBox* m_decimalSeparatorCombo = nullptr;
    QComboBox* m_listSeparatorCombo = nullptr;
    QLineEdit* m_maxRowsEdit = nullptr;
    QLineEdit* m_exportFolderEdit = nullptr;
    QPushButton* m_chooseExportFolderButton = nullptr;
    DropDownComboBox* m_exportProfileChooser = nullptr;
    QPushButton* m_exportConnectButton = nullptr;
    QListWidget* m_brandList = nullptr;
    QToolButton* m_toggleBrandsButton = nullptr;
    QListWidget* m_exportColumnList = nullptr;
    QPushButton* m_startExportButton = nullptr;
    QRadioButton* m_seoExistingRadio = nullptr;
    QRadioButton* m_seoGenerateRadio = nullptr;
    QListWidget* m_seoColumnList = nullptr;
    QCheckBox* m_productShortDescTemplateCheck = nullptr;
    QCheckBox* m_productMetaDescTemplateCheck = nullptr;
    QCheckBox* m_categoryMetaDescTemplateCheck = nullptr;
    QCheckBox* m_productCustomTitleTemplateCheck = nullptr;
    QCheckBox* m_categoryCustomTitleTemplateCheck = nullptr;
    QLabel* m_templateHelpLink = nullptr;
    QPushButton* m_startSeoButton = nullptr;
    ClickableLabel* m_exportPathLabel = nullptr;
    QLabel* m_exportFileNumberLabel = nullptr;
    QLabel* m_exportRowNumberLabel = nullptr;
    QLabel* m_exportBrandLabel = nullptr;
    QPushButton* m_stopExportButton = nullptr;

    // IMPORT
    QTabWidget* m_importTabs = nullptr;
    DropDownComboBox* m_importProfileChooser = nullptr;
    QPushButton* m_importConnectButton = nullptr;
    QLineEdit* m_importFolderEdit = nullptr;
    QPushButton* m_chooseImportFolderButton = nullptr;
    QComboBox* m_codePageCombo = nullptr;
    QComboBox* m_matchByCombo = nullptr;
    QSpinBox* m_warnPercentSpin = nullptr;
    QCheckBox* m_warnZeroCheck = nullptr;
    QListWidget* m_priceListFiles = nullptr;
    QToolButton* m_refreshPriceListsButton = nullptr;
    QToolButton* m_togglePriceListsButton = nullptr;
    QPushButton* m_startCreationButton = nullptr;
    QLabel* m_importStatus = nullptr;
    QPushButton* m_stopCreationButton = nullptr;
    QPushButton* m_startScriptButton = nullptr;
    QPushButton* m_stopScriptButton = nullptr;
    QProgressBar* m_scriptProgress = nullptr;
    QPlainTextEdit* m_importLog = nullptr;
    ChangePreviewTab* m_changePreview = nullptr;

    // HELP
    ClickableLabel* m_softwareImage = nullptr;
    ClickableLabel* m_webImage = nullptr;
};
