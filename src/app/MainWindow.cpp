#include "MainWindow.h"

#include "ClickableLabel.h"
#include "DropDownComboBox.h"
#include "Widgets.h"
#include "Ui.h"
#include "platform/CheckFailure.h"
#include "settings/PageSettings.h"
#include "settings/SettingsFile.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QSpinBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

using Widgets::px;

static void initResources()
{
    Q_INIT_RESOURCE(resources);
}

namespace {
const QStringList pageNames = {QStringLiteral("SETTING"), QStringLiteral("EXPORT"), QStringLiteral("IMPORT"),
                               QStringLiteral("HELP")};
}

MainWindow::MainWindow(Ui& ui, QWidget* parent) : QWidget(parent), m_ui(ui)
{
    initResources();
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(applicationTitle());
    setAccessibleName(windowTitle());
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(px(1205), px(708));
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(px(16));
    setFont(font);

    auto* root = new QHBoxLayout(this);
    root->setContentsMargins(0, 0, 0, 0);
    root->setSpacing(0);

    auto* toolbar = new QWidget(this);
    toolbar->setObjectName(QStringLiteral("Panel1"));
    toolbar->setFixedWidth(px(68));
    buildToolbar(toolbar);
    root->addWidget(toolbar);

    auto* right = new QWidget(this);
    right->setObjectName(QStringLiteral("Panel2"));
    auto* rightLayout = new QVBoxLayout(right);
    rightLayout->setContentsMargins(px(10), px(10), px(10), px(10));
    m_pages = new QStackedWidget(right);
    m_pages->setObjectName(QStringLiteral("Notebook1"));
    const QList<QWidget*> pages = {buildSettingPage(), buildExportPage(), buildImportPage(), buildHelpPage()};
    for (int i = 0; i < pages.size(); ++i) {
        pages[i]->setObjectName(pageNames[i]);
        m_pages->addWidget(pages[i]);
    }
    rightLayout->addWidget(m_pages);
    root->addWidget(right, 1);

    m_connection.setAfterDisconnect([this] { clearBrandList(); });
    connectHandlers();
    showPage(QStringLiteral("SETTING"));
}

MainWindow::~MainWindow()
{
    m_connection.setAfterDisconnect(nullptr);
}

QString MainWindow::applicationTitle()
{
    return QStringLiteral("Velmora: import and update of price lists, SEO tags for VirtueMart");
}

void MainWindow::buildToolbar(QWidget* toolbar)
{
    auto* layout = new QVBoxLayout(toolbar);
    layout->setContentsMargins(px(4), px(4), px(4), px(4));
    layout->setSpacing(px(4));
    m_settingPageButton = Widgets::imageButton(toolbar, QStringLiteral("SpeedButton3"), QStringLiteral("setting"),
                                        QStringLiteral("Connection setup"), QStringLiteral("Connection setup"));
    m_exportPageButton = Widgets::imageButton(toolbar, QStringLiteral("SpeedButton2"), QStringLiteral("export"),
                                        QStringLiteral("Export prices and availability in csv-files"),
                                        QStringLiteral("Export prices and availability in csv-files"));
    m_importPageButton = Widgets::imageButton(toolbar, QStringLiteral("SpeedButton1"), QStringLiteral("import"),
                                        QStringLiteral("Import price lists in store"),
                                        QStringLiteral("Import price lists in store"));
    m_helpPageButton = Widgets::imageButton(toolbar, QStringLiteral("SpeedButton24"), QStringLiteral("help"), QString(),
                                         QStringLiteral("Help"));
    for (QToolButton* b : {m_settingPageButton, m_exportPageButton, m_importPageButton, m_helpPageButton})
        layout->addWidget(b);
    layout->addStretch(1);
}

void MainWindow::showPage(const QString& name)
{
    const int index = pageNames.indexOf(name);
    if (index >= 0)
        m_pages->setCurrentIndex(index);
}

QString MainWindow::currentPageName() const
{
    return pageNames.value(m_pages->currentIndex());
}

void MainWindow::guarded(const std::function<void()>& handler, Closing whenClosing)
{
    try {
        handler();
    } catch (const CheckFailure& failure) {
        if (!m_closing || whenClosing == Closing::Show)
            m_ui.message(failure.message());
    } catch (const std::exception& error) {
        if (!m_closing || whenClosing == Closing::Show)
            m_ui.errorBox(errorBoxText(errorMessage(error)));
    }
}

void MainWindow::connectHandlers()
{
    const QList<QToolButton*> pageButtons = {m_settingPageButton, m_exportPageButton, m_importPageButton,
                                             m_helpPageButton};
    for (int i = 0; i < pageButtons.size(); ++i)
        connect(pageButtons[i], &QToolButton::clicked, this, [this, i] { showPage(pageNames[i]); });

    on(m_profileChooser, &DropDownComboBox::aboutToDropDown, &MainWindow::fillSettingProfiles);
    on(m_profileChooser, &QComboBox::activated, &MainWindow::showChosenProfile);
    on(m_addProfileButton, &QToolButton::clicked, &MainWindow::addProfile);
    on(m_saveProfileButton, &QToolButton::clicked, &MainWindow::saveProfileChanges);
    on(m_removeProfileButton, &QToolButton::clicked, &MainWindow::removeProfile);
    on(m_testConnectionButton, &QToolButton::clicked, &MainWindow::testConnection);

    on(m_exportProfileChooser, &DropDownComboBox::aboutToDropDown, &MainWindow::fillExportProfiles);
    on(m_exportConnectButton, &QPushButton::clicked, &MainWindow::connectForExport);
    on(m_chooseExportFolderButton, &QPushButton::clicked, &MainWindow::chooseExportFolder);
    on(m_toggleBrandsButton, &QToolButton::clicked, &MainWindow::toggleAllBrands);
    on(m_exportColumnList, &QListWidget::itemChanged, &MainWindow::keepIdColumnTicked);
    on(m_seoColumnList, &QListWidget::itemChanged, &MainWindow::keepSeoIdColumnsTicked);
    on(m_startExportButton, &QPushButton::clicked, &MainWindow::startPriceExport);
    on(m_stopExportButton, &QPushButton::clicked, &MainWindow::stopExport);
    on(m_exportPathLabel, &ClickableLabel::clicked, &MainWindow::openExportFolder);
    on(m_startSeoButton, &QPushButton::clicked, &MainWindow::startSeoRun);
    on(m_templateHelpLink, &QLabel::linkActivated, &MainWindow::openTemplateFiles);

    on(m_importProfileChooser, &DropDownComboBox::aboutToDropDown, &MainWindow::fillImportProfiles);
    on(m_importConnectButton, &QPushButton::clicked, &MainWindow::connectForImport);
    on(m_chooseImportFolderButton, &QPushButton::clicked, &MainWindow::chooseImportFolder);
    on(m_togglePriceListsButton, &QToolButton::clicked, &MainWindow::toggleAllPriceLists);
    on(m_refreshPriceListsButton, &QToolButton::clicked, &MainWindow::refreshPriceLists);
    on(m_startCreationButton, &QPushButton::clicked, &MainWindow::startScriptCreation);
    on(m_stopCreationButton, &QPushButton::clicked, &MainWindow::stopScriptCreation);
    on(m_startScriptButton, &QPushButton::clicked, &MainWindow::chooseAndRunScript);
    on(m_stopScriptButton, &QPushButton::clicked, &MainWindow::stopScriptRun);
}

void MainWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous())
        guarded([this] { loadPageSettings(); });
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    // A failure to save the settings is still worth a word while the window goes.
    guarded([this] { closeWindow(); }, Closing::Show);
    event->accept();
}

void MainWindow::loadPageSettings()
{
    applyPageSettings(PageSettings::load(SettingsFile::open()));
}

void MainWindow::closeWindow()
{
    // The window closes while a job's loop lets it process its events: the job ends at its
    // next look at its stop request, and finds the connection closed.
    m_closing = true;
    for (Job* job : std::initializer_list<Job*>{&m_priceExport, &m_seoRun, &m_scriptRunner})
        job->requestStop();
    m_import.abandon();
    m_connection.close();
    IniFile file = SettingsFile::open();
    pageSettingsFromControls().save(file);
}

PageSettings MainWindow::pageSettingsFromControls() const
{
    PageSettings s;
    s.decimalSeparator = m_decimalSeparatorCombo->currentIndex();
    s.listSeparator = m_listSeparatorCombo->currentIndex();
    s.maxRowInCsv = m_maxRowsEdit->text();
    s.folderToExport = m_exportFolderEdit->text();
    s.folderToImport = m_importFolderEdit->text();
    s.codePageOfOlderFiles = m_codePageCombo->currentText().toLatin1();
    s.matchRowsBy = m_matchByCombo->currentText();
    s.warnPriceChangePercent = m_warnPercentSpin->value();
    s.warnPriceBecomesZero = m_warnZeroCheck->isChecked();
    for (int i = 0; i < PageSettings::ExportColumnCount; ++i)
        s.exportColumns[i] = m_exportColumnList->item(i)->checkState() == Qt::Checked;
    for (int i = 0; i < PageSettings::SeoColumnCount; ++i)
        s.seoColumns[i] = m_seoColumnList->item(i)->checkState() == Qt::Checked;
    const QList<QCheckBox*> boxes = {m_productShortDescTemplateCheck, m_productMetaDescTemplateCheck, m_categoryMetaDescTemplateCheck, m_productCustomTitleTemplateCheck, m_categoryCustomTitleTemplateCheck};
    for (int i = 0; i < boxes.size(); ++i)
        s.checkToSeo[i] = boxes[i]->isChecked();
    s.seoExportExisting = m_seoExistingRadio->isChecked();
    return s;
}

void MainWindow::applyPageSettings(const PageSettings& s)
{
    m_decimalSeparatorCombo->setCurrentIndex(s.decimalSeparator >= 0 && s.decimalSeparator < m_decimalSeparatorCombo->count() ? s.decimalSeparator : -1);
    m_listSeparatorCombo->setCurrentIndex(s.listSeparator >= 0 && s.listSeparator < m_listSeparatorCombo->count() ? s.listSeparator : -1);
    m_maxRowsEdit->setText(s.maxRowInCsv);
    m_exportFolderEdit->setText(s.folderToExport);
    m_importFolderEdit->setText(s.folderToImport);
    m_codePageCombo->setCurrentText(QString::fromLatin1(s.codePageOfOlderFiles));
    m_matchByCombo->setCurrentIndex(int(ImportRules::matchByNamed(s.matchRowsBy).value_or(ImportRules::MatchBy::IdPart)));
    m_warnPercentSpin->setValue(s.warnPriceChangePercent);
    m_warnZeroCheck->setChecked(s.warnPriceBecomesZero);
    const QSignalBlocker block3(m_exportColumnList);
    const QSignalBlocker block4(m_seoColumnList);
    for (int i = 0; i < PageSettings::ExportColumnCount; ++i)
        m_exportColumnList->item(i)->setCheckState(s.exportColumns[i] ? Qt::Checked : Qt::Unchecked);
    for (int i = 0; i < PageSettings::SeoColumnCount; ++i)
        m_seoColumnList->item(i)->setCheckState(s.seoColumns[i] ? Qt::Checked : Qt::Unchecked);
    const QList<QCheckBox*> boxes = {m_productShortDescTemplateCheck, m_productMetaDescTemplateCheck, m_categoryMetaDescTemplateCheck, m_productCustomTitleTemplateCheck, m_categoryCustomTitleTemplateCheck};
    for (int i = 0; i < boxes.size(); ++i)
        boxes[i]->setChecked(s.checkToSeo[i]);
    m_seoExistingRadio->setChecked(s.seoExportExisting);
    m_seoGenerateRadio->setChecked(!s.seoExportExisting);
}

bool MainWindow::jobRunning() const
{
    return m_priceExport.isRunning() || m_seoRun.isRunning() || m_import.isRunning() ||
           m_scriptRunner.isRunning();
}
