#include "ImportPage.h"

#include "ChangePreviewTab.h"
#include "DropDownComboBox.h"
#include "ImportProgressTab.h"
#include "PageFrame.h"
#include "ProfileNames.h"
#include "SharedStore.h"
#include "Ui.h"
#include "Widgets.h"
#include "db/ConnectionExecutor.h"
#include "import/ImportRules.h"
#include "import/PriceListFolder.h"
#include "import/UpdateScript.h"
#include "platform/AppError.h"
#include "platform/AppPlaces.h"
#include "platform/ScopeExit.h"
#include "platform/TextDecoding.h"
#include "settings/PageSettings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

using Widgets::px;

ImportPage::ImportPage(Ui& ui, SharedStore& store, QWidget* parent)
    : Page(ui, parent), m_store(store), m_import(store.connection, store.query)
{
    QWidget* content =
        pageFrame(this, QStringLiteral("Label29"), QStringLiteral("Import price lists into database"));
    auto* layout = new QVBoxLayout(content);
    layout->setContentsMargins(0, 0, 0, 0);
    m_importTabs = new QTabWidget(content);
    m_importTabs->setObjectName(QStringLiteral("PageControl2"));
    layout->addWidget(m_importTabs);
    const QColor grey(0x80, 0x80, 0x80);

    // Tab 0: connection and folder
    auto* setting = new QWidget;
    setting->setObjectName(QStringLiteral("TabSheet4"));
    auto* s = new QGridLayout(setting);
    s->addWidget(Widgets::band(setting, QStringLiteral("Label31"), QStringLiteral("Connection settings"),
                               Qt::white, grey, 16),
                 0, 0, 1, 3);
    s->addWidget(Widgets::label(setting, QStringLiteral("Label32"), QStringLiteral("Connection Name")), 1, 0);
    m_importProfileChooser = new DropDownComboBox(setting);
    m_importProfileChooser->setObjectName(QStringLiteral("ComboBox8"));
    m_importProfileChooser->setAccessibleName(QStringLiteral("Connection Name"));
    s->addWidget(m_importProfileChooser, 1, 1);
    m_importConnectButton = Widgets::button(setting, QStringLiteral("SpeedButton13"),
                                            QStringLiteral("  Testing and database connection"));
    s->addWidget(m_importConnectButton, 2, 1, Qt::AlignLeft);
    s->addWidget(Widgets::band(setting, QStringLiteral("Label34"), QStringLiteral("Folder with price -lists"),
                               Qt::white, grey, 16),
                 3, 0, 1, 3);
    s->addWidget(Widgets::label(setting, QStringLiteral("Label33"), QStringLiteral("Path")), 4, 0);
    m_importFolderEdit = Widgets::edit(setting, QStringLiteral("Edit9"), QStringLiteral("Path"));
    s->addWidget(m_importFolderEdit, 4, 1);
    m_chooseImportFolderButton =
        Widgets::button(setting, QStringLiteral("SpeedButton14"), QStringLiteral("..."));
    m_chooseImportFolderButton->setAccessibleName(QStringLiteral("Choose the folder with price lists"));
    s->addWidget(m_chooseImportFolderButton, 4, 2);
    const QString codePageCaption = QStringLiteral("Code page of older files");
    s->addWidget(Widgets::label(setting, QStringLiteral("LabelCodePage"), codePageCaption), 5, 0);
    QStringList codePages;
    for (const QByteArray& codePage : legacyCodePages())
        codePages << QString::fromLatin1(codePage);
    m_codePageCombo =
        Widgets::pickList(setting, QStringLiteral("ComboBoxCodePage"), codePageCaption, codePages);
    s->addWidget(m_codePageCombo, 5, 1, Qt::AlignLeft);
    const QString matchCaption = QStringLiteral("Match rows by");
    s->addWidget(Widgets::label(setting, QStringLiteral("LabelMatchBy"), matchCaption), 6, 0);
    m_matchByCombo = Widgets::pickList(setting, QStringLiteral("ComboBoxMatchBy"), matchCaption,
                                       ImportRules::matchByNames());
    s->addWidget(m_matchByCombo, 6, 1, Qt::AlignLeft);
    const QString warnCaption = QStringLiteral("Warn when a price changes by more than");
    s->addWidget(Widgets::label(setting, QStringLiteral("LabelWarnPercent"), warnCaption), 7, 0);
    m_warnPercentSpin = new QSpinBox(setting);
    m_warnPercentSpin->setObjectName(QStringLiteral("SpinEditWarnPercent"));
    m_warnPercentSpin->setAccessibleName(warnCaption);
    m_warnPercentSpin->setRange(0, 1000000);
    m_warnPercentSpin->setSuffix(QStringLiteral(" %"));
    m_warnPercentSpin->setSpecialValueText(QStringLiteral("never"));
    s->addWidget(m_warnPercentSpin, 7, 1, Qt::AlignLeft);
    m_warnZeroCheck = Widgets::checkBox(setting, QStringLiteral("CheckBoxWarnZero"),
                                        QStringLiteral("Warn when a price becomes 0"));
    s->addWidget(m_warnZeroCheck, 8, 1, Qt::AlignLeft);
    auto* note = new QGroupBox(QStringLiteral("  Note  "), setting);
    note->setObjectName(QStringLiteral("GroupBox1"));
    note->setStyleSheet(QStringLiteral("QGroupBox, QGroupBox QLabel { color: red; }"));
    auto* n = new QVBoxLayout(note);
    n->addWidget(Widgets::label(note, QStringLiteral("Label41"),
                                QStringLiteral("1. CSV, xlsx and ods files are read directly")));
    n->addWidget(Widgets::label(note, QStringLiteral("Label42"),
                                QStringLiteral("2. All spare parts will import relative \"IDPART\"")));
    n->addWidget(Widgets::label(
        note, QStringLiteral("Label43"),
        QStringLiteral("3. Other spreadsheet formats (xls, xlsb, ...) need LibreOffice installed")));
    s->addWidget(note, 9, 0, 1, 3);
    s->setColumnStretch(1, 1);
    s->setRowStretch(10, 1);
    m_importTabs->addTab(setting, QStringLiteral("  Setting ...  "));

    // Tab 1: the price lists of the folder
    auto* lists = new QWidget;
    lists->setObjectName(QStringLiteral("TabSheet5"));
    auto* l = new QGridLayout(lists);
    m_refreshPriceListsButton = Widgets::imageButton(
        lists, QStringLiteral("SpeedButton18"), QStringLiteral("refresh"),
        QStringLiteral("Sellect all / Cancell all"), QStringLiteral("Refresh the list of files"), 40);
    m_togglePriceListsButton = Widgets::imageButton(
        lists, QStringLiteral("SpeedButton15"), QStringLiteral("checkall"),
        QStringLiteral("Sellect all / Cancell all"), QStringLiteral("Sellect all / Cancell all"), 40);
    auto* column = new QVBoxLayout;
    column->addWidget(m_refreshPriceListsButton);
    column->addWidget(m_togglePriceListsButton);
    column->addStretch(1);
    l->addLayout(column, 0, 0);
    m_priceListFiles =
        Widgets::checkList(lists, QStringLiteral("CheckListBox2"), QStringLiteral("Price lists"));
    l->addWidget(m_priceListFiles, 0, 1);
    m_startCreationButton =
        Widgets::button(lists, QStringLiteral("SpeedButton16"), QStringLiteral("  Start creation script"));
    l->addWidget(m_startCreationButton, 1, 1, Qt::AlignRight);
    l->setColumnStretch(1, 1);
    m_importTabs->addTab(lists, QStringLiteral("  List of price lists ...  "));

    // Tab 2: progress and log
    auto* progress = new QWidget;
    progress->setObjectName(QStringLiteral("TabSheet6"));
    auto* p = new QGridLayout(progress);
    p->addWidget(Widgets::band(progress, QStringLiteral("Label35"), QStringLiteral("Processing ..."),
                               Qt::yellow, QColor(0x00, 0x80, 0x00)),
                 0, 0, 1, 4);
    p->addWidget(Widgets::label(progress, QStringLiteral("Label36"), QStringLiteral("Process")), 1, 0);
    m_importStatus = Widgets::label(progress, QStringLiteral("Label39"), QStringLiteral(".........."));
    m_importStatus->setAccessibleName(QStringLiteral("Process"));
    QFont bold = m_importStatus->font();
    bold.setBold(true);
    m_importStatus->setFont(bold);
    m_importStatus->setStyleSheet(QStringLiteral("color: maroon;"));
    p->addWidget(m_importStatus, 1, 1, 1, 3);
    m_stopCreationButton =
        Widgets::button(progress, QStringLiteral("SpeedButton17"), QStringLiteral("  Stop creation script"));
    m_startScriptButton =
        Widgets::button(progress, QStringLiteral("SpeedButton19"), QStringLiteral("  Start script update"),
                        QStringLiteral("Manual start script"));
    m_stopScriptButton = Widgets::button(progress, QStringLiteral("SpeedButtonStopScript"),
                                         QStringLiteral("  Stop script update"));
    p->addWidget(m_stopCreationButton, 2, 1, Qt::AlignRight);
    p->addWidget(m_startScriptButton, 2, 2);
    p->addWidget(m_stopScriptButton, 2, 3);
    m_scriptProgress = new QProgressBar(progress);
    m_scriptProgress->setObjectName(QStringLiteral("ProgressBar1"));
    m_scriptProgress->setAccessibleName(QStringLiteral("Script progress"));
    m_scriptProgress->setRange(0, 100);
    m_scriptProgress->setValue(0);
    p->addWidget(m_scriptProgress, 3, 0, 1, 4);
    m_importLog = new QPlainTextEdit(progress);
    m_importLog->setObjectName(QStringLiteral("Memo1"));
    m_importLog->setAccessibleName(QStringLiteral("Import log"));
    m_importLog->setReadOnly(true);
    p->addWidget(m_importLog, 4, 0, 1, 4);
    p->setColumnStretch(1, 1);
    p->setRowStretch(4, 1);
    m_importTabs->addTab(progress, QStringLiteral("  Import ...  "));

    // Tab 3: what the script just created will change
    m_changePreview = new ChangePreviewTab;
    m_importTabs->addTab(m_changePreview, QStringLiteral("  Preview ...  "));

    m_creationProgress = std::make_unique<ImportProgressTab>(
        m_importStatus, m_importLog, m_store.jobs,
        [this](const QString& failure) { m_ui.errorBox(errorBoxText(failure)); });

    on(m_importProfileChooser, &DropDownComboBox::aboutToDropDown, &ImportPage::fillProfiles);
    on(m_importConnectButton, &QPushButton::clicked, &ImportPage::connectForImport);
    on(m_chooseImportFolderButton, &QPushButton::clicked, &ImportPage::chooseImportFolder);
    on(m_togglePriceListsButton, &QToolButton::clicked, &ImportPage::toggleAllPriceLists);
    on(m_refreshPriceListsButton, &QToolButton::clicked, &ImportPage::refreshPriceLists);
    on(m_startCreationButton, &QPushButton::clicked, &ImportPage::startScriptCreation);
    on(m_stopCreationButton, &QPushButton::clicked, &ImportPage::stopScriptCreation);
    on(m_startScriptButton, &QPushButton::clicked, &ImportPage::chooseAndRunScript);
    on(m_stopScriptButton, &QPushButton::clicked, &ImportPage::stopScriptRun);
}

ImportPage::~ImportPage() = default;

void ImportPage::applySettings(const PageSettings& s)
{
    m_importFolderEdit->setText(s.folderToImport);
    m_codePageCombo->setCurrentText(QString::fromLatin1(s.codePageOfOlderFiles));
    m_matchByCombo->setCurrentIndex(
        int(ImportRules::matchByNamed(s.matchRowsBy).value_or(ImportRules::MatchBy::IdPart)));
    m_warnPercentSpin->setValue(s.warnPriceChangePercent);
    m_warnZeroCheck->setChecked(s.warnPriceBecomesZero);
}

void ImportPage::saveSettings(PageSettings& s) const
{
    s.folderToImport = m_importFolderEdit->text();
    s.codePageOfOlderFiles = m_codePageCombo->currentText().toLatin1();
    s.matchRowsBy = m_matchByCombo->currentText();
    s.warnPriceChangePercent = m_warnPercentSpin->value();
    s.warnPriceBecomesZero = m_warnZeroCheck->isChecked();
}

void ImportPage::fillProfiles()
{
    fillProfileNames(m_importProfileChooser);
}

void ImportPage::connectForImport()
{
    if (!m_store.readChosenProfile(m_importProfileChooser, m_ui, [] {}))
        return;
    const ScopeExit closing([this] {
        // Its failed check is shown on the spot, the connection's error after it.
        guarded([this] { refreshPriceLists(); });
        m_importTabs->setCurrentIndex(1);
        m_store.query.close();
    });
    m_store.session.open(m_store.connection, m_store.query);
}

void ImportPage::chooseImportFolder()
{
    if (const auto folder = m_ui.chooseFolder(QStringLiteral("Choose a directory")))
        m_importFolderEdit->setText(*folder);
}

void ImportPage::refreshPriceLists()
{
    const auto files = listPriceListFiles(m_importFolderEdit->text());
    if (!files)
        return;
    m_priceListFiles->clear();
    for (const QString& file : *files)
        Widgets::addCheckItem(m_priceListFiles, file);
}

void ImportPage::toggleAllPriceLists()
{
    Widgets::toggleAllChecks(m_priceListFiles);
}

void ImportPage::startScriptCreation()
{
    // Refused before anything of the last run's log is cleared.
    if (m_store.jobs.running())
        return;
    m_importStatus->setText(PriceListImport::restingStatus());
    m_importLog->clear();
    if (m_importProfileChooser->currentText().trimmed().isEmpty() || !m_store.connection.connected())
        return;
    ImportRequest request;
    for (int i = 0; i < m_priceListFiles->count(); ++i)
        if (m_priceListFiles->item(i)->checkState() == Qt::Checked)
            request.files << m_priceListFiles->item(i)->text();
    request.scriptPath = UpdateScript::defaultPath();
    request.legacyCodePage = m_codePageCombo->currentText().toLatin1();
    request.rules = importRules();
    const StoreSchema schema = m_store.session.schema;

    m_changePreview->clear();
    m_importTabs->setCurrentIndex(2);
    auto outcome = std::make_shared<std::optional<ImportOutcome>>();
    m_store.jobs.start(
        m_import,
        [this, request, schema, outcome] { *outcome = m_import.run(request, schema, *m_creationProgress); },
        [this, outcome, scriptPath = request.scriptPath](std::exception_ptr error) {
            guarded([&] {
                rethrowIfAny(error);
                if (*outcome)
                    askToRunScript(std::move(**outcome), scriptPath);
            });
        });
}

void ImportPage::askToRunScript(ImportOutcome outcome, const QString& scriptPath)
{
    const QString question = outcome.question();
    const bool advisedAgainst = outcome.advisesAgainst();
    m_changePreview->showOutcome(std::move(outcome));
    m_importTabs->setCurrentIndex(3);
    if (m_ui.confirm(question, advisedAgainst ? Ui::DefaultAnswer::No : Ui::DefaultAnswer::Yes))
        runScriptFile(scriptPath);
}

ImportRules ImportPage::importRules() const
{
    ImportRules rules;
    rules.matchBy =
        ImportRules::matchByNamed(m_matchByCombo->currentText()).value_or(ImportRules::MatchBy::IdPart);
    rules.warnAbovePercent = m_warnPercentSpin->value();
    rules.warnWhenPriceBecomesZero = m_warnZeroCheck->isChecked();
    return rules;
}

void ImportPage::stopScriptCreation()
{
    if (m_import.isRunning() &&
        m_ui.confirm(QStringLiteral("Stop the import of data (all first imported data will be saved) ?")))
        m_import.requestStop();
}

void ImportPage::runScriptFile(const QString& path)
{
    m_scriptProgress->setValue(0);
    const QByteArray codePage = m_codePageCombo->currentText().toLatin1();
    auto summary = std::make_shared<ScriptRunSummary>();
    m_store.jobs.start(
        m_scriptRunner,
        [this, path, codePage, summary] {
            ConnectionExecutor executor(m_store.connection);
            m_scriptRunner.setLegacyCodePage(codePage);
            // A script whose statements fail by the thousand need not hold the operator at a box
            // each: the log keeps every failure.
            bool showBoxes = true;
            *summary = m_scriptRunner.restoreFromFile(
                path, executor,
                [this](int percent) {
                    m_store.jobs.report(ScriptProgress,
                                        [this, percent] { m_scriptProgress->setValue(percent); });
                    m_store.jobs.yield();
                },
                [&](const StatementFailure& failure) {
                    m_store.jobs.report(
                        0, [this, line = failure.logLine()] { m_importLog->appendPlainText(line); });
                    if (showBoxes)
                        showBoxes = !m_store.jobs.ask<bool>(
                            [&] {
                                return m_ui.errorBoxOfRun(errorBoxText(failure.message()) +
                                                          QStringLiteral("\r\rStatement: ") +
                                                          failure.firstLine());
                            },
                            false);
                });
        },
        [this, summary](std::exception_ptr error) {
            m_scriptProgress->setValue(0);
            guarded([&] {
                rethrowIfAny(error);
                m_importStatus->setText(summary->text());
                m_importLog->appendPlainText(summary->text());
                for (const QString& warning : summary->firstWarnings)
                    m_importLog->appendPlainText(warning);
            });
        });
}

void ImportPage::chooseAndRunScript()
{
    if (m_store.jobs.running())
        return;
    m_scriptProgress->setValue(0);
    if (const auto file = m_ui.chooseOpenFile(QStringLiteral("*.sql|*.sql"), AppPlaces::dataFolder()))
        runScriptFile(*file);
}

void ImportPage::stopScriptRun()
{
    if (m_scriptRunner.isRunning() &&
        m_ui.confirm(QStringLiteral("Stop the script update (the statements that ran stay applied) ?")))
        m_scriptRunner.requestStop();
}
