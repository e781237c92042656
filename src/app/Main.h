#pragma once

#include "FramePacer.h"
#include "db/DbConnection.h"
#include "db/DbQuery.h"
#include "store/ConnectionProfile.h"
#include "store/StoreSession.h"

#include <QWidget>
#include <functional>

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
class QStackedWidget;
class QTabWidget;
class QToolButton;
struct PageSettings;

// The one main window: toolbar, page stack and every control of the four pages, with thin
// handlers named after their controls. The work itself lives in the module folders.
class TForm1 : public QWidget
{
    Q_OBJECT
public:
    explicit TForm1(QWidget* parent = nullptr);
    ~TForm1() override;

    static QString applicationTitle();

    // Shows the page of that name ("SETTING", "EXPORT", "IMPORT", "HELP").
    void showPage(const QString& name);
    QString currentPageName() const;

    // The window's database session.
    DbConnection UniConnection1{QStringLiteral("UniConnection1")};
    DbQuery UniQuery1{QStringLiteral("UniQuery1"), UniConnection1};
    DbQuery UniQuery2{QStringLiteral("UniQuery2"), UniConnection1};
    StoreSession session;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // Runs a handler; an error is shown in the application's error box afterwards.
    void guarded(const std::function<void()>& handler);
    // Connects a control's signal to its handler, behind the guard.
    template <typename Signal, typename Sender>
    void on(Sender* sender, Signal signal, void (TForm1::*handler)())
    {
        connect(sender, signal, this, [this, handler] { guarded([this, handler] { (this->*handler)(); }); });
    }

    void buildToolbar(QWidget* toolbar);
    QWidget* buildSettingPage();
    QWidget* buildExportPage();
    QWidget* buildImportPage();
    QWidget* buildHelpPage();
    void connectHandlers();

    void FormShow();
    void FormClose();
    PageSettings pageSettingsFromControls() const;
    void applyPageSettings(const PageSettings& settings);

    // Toolbar
    void SpeedButton3Click();
    void SpeedButton2Click();
    void SpeedButton1Click();
    void SpeedButton24Click();

    // SETTING page
    void ComboBox1DropDown();
    void ComboBox1Change();
    void SpeedButton5Click();
    void SpeedButton4Click();
    void SpeedButton6Click();
    void SpeedButton7Click();

    // EXPORT page
    void ComboBox3DropDown();
    void SpeedButton8Click();
    void SpeedButton9Click();
    void SpeedButton11Click();
    void CheckListBox3ClickCheck();
    void CheckListBox4ClickCheck();
    void UniConnection1AfterDisconnect();
    void SpeedButton10Click(); // Start export
    void SpeedButton12Click(); // Stop export
    void Label23Click();       // open the export folder
    void SpeedButton20Click(); // SEO data export
    void Label40Click();       // How to work with files ?

    // IMPORT page
    void ComboBox8DropDown();
    void SpeedButton13Click();
    void SpeedButton14Click();
    void SpeedButton15Click();
    void SpeedButton18Click();
    void SpeedButton16Click(); // Start creation script
    void SpeedButton17Click(); // Stop creation script
    void SpeedButton19Click(); // Start script update
    void UniDump1RestoreProgress(int percent);
    FramePacer restoreEvents{*this}; // a script run lets the window process its events once a frame
    void runScriptFile(const QString& path);
    // Runs the update script just created (the answer Yes after a creation run).
    void startUpdateScript();

    // HELP page
    void Image1Click();
    void Image2Click();

    // True while a long job runs: actions that would disturb it are refused.
    bool jobRunning() const;
    ConnectionProfile profileFromFields() const;
    // The opening steps of a session on the profile chosen in profiles; onChosen runs once a
    // profile is found chosen. False when nothing is to be opened.
    bool readSessionProfile(QComboBox* profiles, const std::function<void()>& onChosen);
    void loadBrandList();

public:
    // Controls, by their component names.
    QStackedWidget* Notebook1 = nullptr;
    QToolButton* SpeedButton3 = nullptr;
    QToolButton* SpeedButton2 = nullptr;
    QToolButton* SpeedButton1 = nullptr;
    QToolButton* SpeedButton24 = nullptr;

    // SETTING
    DropDownComboBox* ComboBox1 = nullptr;
    QToolButton* SpeedButton6 = nullptr;
    QLineEdit* Edit10 = nullptr;
    QComboBox* ComboBox2 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QLineEdit* Edit2 = nullptr;
    QLineEdit* Edit11 = nullptr;
    QLineEdit* Edit3 = nullptr;
    QLineEdit* Edit4 = nullptr;
    QLineEdit* Edit5 = nullptr;
    QCheckBox* CheckBox1 = nullptr;
    QToolButton* SpeedButton5 = nullptr;
    QToolButton* SpeedButton4 = nullptr;
    QToolButton* SpeedButton7 = nullptr;
    QListWidget* ListBox1 = nullptr;

    // EXPORT
    QTabWidget* PageControl1 = nullptr;
    QComboBox* ComboBox6 = nullptr;
    QComboBox* ComboBox5 = nullptr;
    QLineEdit* Edit6 = nullptr;
    QLineEdit* Edit7 = nullptr;
    QPushButton* SpeedButton9 = nullptr;
    DropDownComboBox* ComboBox3 = nullptr;
    QPushButton* SpeedButton8 = nullptr;
    QListWidget* CheckListBox1 = nullptr;
    QToolButton* SpeedButton11 = nullptr;
    QListWidget* CheckListBox3 = nullptr;
    QPushButton* SpeedButton10 = nullptr;
    QRadioButton* RadioButton1 = nullptr;
    QRadioButton* RadioButton2 = nullptr;
    QListWidget* CheckListBox4 = nullptr;
    QCheckBox* CheckBox2 = nullptr;
    QCheckBox* CheckBox3 = nullptr;
    QCheckBox* CheckBox4 = nullptr;
    QCheckBox* CheckBox5 = nullptr;
    QCheckBox* CheckBox6 = nullptr;
    QLabel* Label40 = nullptr;
    QPushButton* SpeedButton20 = nullptr;
    ClickableLabel* Label23 = nullptr;
    QLabel* Label24 = nullptr;
    QLabel* Label25 = nullptr;
    QLabel* Label44 = nullptr;
    QPushButton* SpeedButton12 = nullptr;

    // IMPORT
    QTabWidget* PageControl2 = nullptr;
    DropDownComboBox* ComboBox8 = nullptr;
    QPushButton* SpeedButton13 = nullptr;
    QLineEdit* Edit9 = nullptr;
    QPushButton* SpeedButton14 = nullptr;
    QListWidget* CheckListBox2 = nullptr;
    QToolButton* SpeedButton18 = nullptr;
    QToolButton* SpeedButton15 = nullptr;
    QPushButton* SpeedButton16 = nullptr;
    QLabel* Label39 = nullptr;
    QPushButton* SpeedButton17 = nullptr;
    QPushButton* SpeedButton19 = nullptr;
    QProgressBar* ProgressBar1 = nullptr;
    QPlainTextEdit* Memo1 = nullptr;

    // HELP
    ClickableLabel* Image1 = nullptr;
    ClickableLabel* Image2 = nullptr;

    // Run flags of the long jobs, and the go-on flag of the export page's Stop button.
    bool exportRunning = false;
    bool seoRunning = false;
    bool creationRunning = false;
    bool scriptRunning = false;
    bool exportGoOn = false;
    bool creationGoOn = false;
    bool windowClosing = false;
};
