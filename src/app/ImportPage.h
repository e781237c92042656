#pragma once

#include "Page.h"
#include "db/ScriptRunner.h"
#include "import/ImportRules.h"
#include "import/PriceListImport.h"

#include <memory>

class ChangePreviewTab;
class DropDownComboBox;
class ImportProgressTab;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QTabWidget;
class QToolButton;
struct PageSettings;
struct SharedStore;

// IMPORT: the session and folder of the price lists, the import run with its review and the
// question after it, the script run, and the tabs that show their progress and preview.
class ImportPage : public Page
{
public:
    ImportPage(Ui& ui, SharedStore& store, QWidget* parent = nullptr);
    ~ImportPage() override;

    void applySettings(const PageSettings& settings);
    void saveSettings(PageSettings& settings) const;

    const Job& creationJob() const { return m_import; }
    const Job& scriptJob() const { return m_scriptRunner; }

private:
    enum ReportKey
    {
        ScriptProgress = 10
    };

    void fillProfiles();
    void connectForImport();
    void chooseImportFolder();
    void toggleAllPriceLists();
    void refreshPriceLists();
    void startScriptCreation();
    void stopScriptCreation();
    // The closing question of an import run, after the review of its script.
    void askToRunScript(ImportOutcome outcome, const QString& scriptPath);
    // "Start script update": runs a script file the operator picks.
    void chooseAndRunScript();
    void runScriptFile(const QString& path);
    void stopScriptRun();
    // The import rules as the page's settings give them.
    ImportRules importRules() const;

    SharedStore& m_store;
    PriceListImport m_import;
    ScriptRunner m_scriptRunner;
    std::unique_ptr<ImportProgressTab> m_creationProgress;

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
};
