#include "ExportPage.h"

#include "ClickableLabel.h"
#include "DropDownComboBox.h"

#include "ExportPageInputs.h"
#include "ExportProgressTab.h"
#include "PageFrame.h"
#include "ProfileNames.h"
#include "SharedStore.h"
#include "Ui.h"
#include "Widgets.h"
#include "export/PriceFileLayout.h"
#include "platform/ScopeExit.h"
#include "seo/SeoColumns.h"
#include "seo/SeoSampleFiles.h"
#include "settings/PageSettings.h"
#include "store/BrandQuery.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

using Widgets::px;

namespace {

QLabel* heading(QWidget* parent, const QString& name, const QString& text)
{
    return Widgets::band(parent, name, text, Qt::white, QColor(0x80, 0x80, 0x80), 16);
}

} // namespace

ExportPage::ExportPage(Ui& ui, SharedStore& store, QWidget* parent)
    : Page(ui, parent), m_store(store), m_priceExport(store.query), m_seoRun(store.query, store.secondQuery)
{
    QWidget* content = pageFrame(this, QStringLiteral("Label12"),
                                 QStringLiteral("Export prices and availability in csv-files"));
    auto* layout = new QVBoxLayout(content);
    layout->setContentsMargins(0, 0, 0, 0);
    m_exportTabs = new QTabWidget(content);
    m_exportTabs->setObjectName(QStringLiteral("PageControl1"));
    layout->addWidget(m_exportTabs);

    // Tab 0: settings
    auto* setting = new QWidget;
    setting->setObjectName(QStringLiteral("TabSheet1"));
    auto* s = new QGridLayout(setting);
    s->addWidget(heading(setting, QStringLiteral("Label13"), QStringLiteral("CSV-settings")), 0, 0, 1, 3);
    m_decimalSeparatorCombo =
        Widgets::pickList(setting, QStringLiteral("ComboBox6"), QStringLiteral("Decimal separator"),
                          PageSettings::decimalSeparatorEntries());
    s->addWidget(Widgets::label(setting, QStringLiteral("Label14"), QStringLiteral("Decimal separator")), 1,
                 0);
    s->addWidget(m_decimalSeparatorCombo, 1, 1);
    m_listSeparatorCombo =
        Widgets::pickList(setting, QStringLiteral("ComboBox5"), QStringLiteral("List separator"),
                          PageSettings::listSeparatorEntries());
    s->addWidget(Widgets::label(setting, QStringLiteral("Label15"), QStringLiteral("List separator")), 2, 0);
    s->addWidget(m_listSeparatorCombo, 2, 1);
    m_maxRowsEdit =
        Widgets::edit(setting, QStringLiteral("Edit6"),
                      QStringLiteral("Maximum number of rows in the csv-file"), QStringLiteral("10000"));
    s->addWidget(Widgets::label(setting, QStringLiteral("Label16"),
                                QStringLiteral("Maximum number of rows in the csv-file")),
                 3, 0);
    s->addWidget(m_maxRowsEdit, 3, 1);
    s->addWidget(heading(setting, QStringLiteral("Label17"), QStringLiteral("Folder export settings")), 4, 0,
                 1, 3);
    m_exportFolderEdit = Widgets::edit(setting, QStringLiteral("Edit7"), QStringLiteral("Path"));
    m_chooseExportFolderButton =
        Widgets::button(setting, QStringLiteral("SpeedButton9"), QStringLiteral("..."));
    m_chooseExportFolderButton->setAccessibleName(QStringLiteral("Choose the export folder"));
    s->addWidget(Widgets::label(setting, QStringLiteral("Label18"), QStringLiteral("Path")), 5, 0);
    s->addWidget(m_exportFolderEdit, 5, 1);
    s->addWidget(m_chooseExportFolderButton, 5, 2);
    s->addWidget(heading(setting, QStringLiteral("Label19"), QStringLiteral("Connection settings")), 6, 0, 1,
                 3);
    m_exportProfileChooser = new DropDownComboBox(setting);
    m_exportProfileChooser->setObjectName(QStringLiteral("ComboBox3"));
    m_exportProfileChooser->setAccessibleName(QStringLiteral("Connection Name"));
    s->addWidget(Widgets::label(setting, QStringLiteral("Label20"), QStringLiteral("Connection Name")), 7, 0);
    s->addWidget(m_exportProfileChooser, 7, 1);
    m_exportConnectButton = Widgets::button(setting, QStringLiteral("SpeedButton8"),
                                            QStringLiteral("  Testing and database connection"));
    s->addWidget(m_exportConnectButton, 8, 1, Qt::AlignLeft);
    s->setColumnStretch(1, 1);
    s->setRowStretch(9, 1);
    m_exportTabs->addTab(setting, QStringLiteral("  Setting ...  "));

    // Tab 1: brands, columns and the SEO panel
    auto* brands = new QWidget;
    brands->setObjectName(QStringLiteral("TabSheet2"));
    auto* b = new QGridLayout(brands);
    b->addWidget(Widgets::label(brands, QStringLiteral("Label21"),
                                QStringLiteral("Select the desired brands of spare parts or all brands")),
                 0, 0, 1, 3);
    m_brandList = Widgets::checkList(brands, QStringLiteral("CheckListBox1"), QStringLiteral("Brands"));
    b->addWidget(m_brandList, 1, 0, 2, 1);
    m_toggleBrandsButton = Widgets::imageButton(
        brands, QStringLiteral("SpeedButton11"), QStringLiteral("checkall"),
        QStringLiteral("Sellect all / Cancell all"), QStringLiteral("Sellect all / Cancell all"), 40);
    b->addWidget(m_toggleBrandsButton, 1, 1, Qt::AlignTop);
    m_exportColumnList =
        Widgets::checkList(brands, QStringLiteral("CheckListBox3"), QStringLiteral("Columns for export"),
                           PriceFileLayout::columnNames());
    b->addWidget(m_exportColumnList, 1, 2);
    m_startExportButton =
        Widgets::button(brands, QStringLiteral("SpeedButton10"), QStringLiteral("  Start export"));
    b->addWidget(m_startExportButton, 2, 2);

    auto* seo = new QGroupBox(brands);
    seo->setObjectName(QStringLiteral("GroupBox2"));
    seo->setTitle(QStringLiteral("SEO"));
    auto* g = new QGridLayout(seo);
    m_seoExistingRadio = new QRadioButton(QStringLiteral("Export existing data"), seo);
    m_seoExistingRadio->setObjectName(QStringLiteral("RadioButton1"));
    m_seoExistingRadio->setAccessibleName(m_seoExistingRadio->text());
    m_seoExistingRadio->setChecked(true);
    m_seoGenerateRadio = new QRadioButton(QStringLiteral("Generating a default data"), seo);
    m_seoGenerateRadio->setObjectName(QStringLiteral("RadioButton2"));
    m_seoGenerateRadio->setAccessibleName(m_seoGenerateRadio->text());
    g->addWidget(m_seoExistingRadio, 0, 0);
    g->addWidget(m_seoGenerateRadio, 1, 0);
    m_seoColumnList = Widgets::checkList(seo, QStringLiteral("CheckListBox4"), QStringLiteral("SEO columns"),
                                         SeoColumns::names());
    g->addWidget(m_seoColumnList, 2, 0, 6, 1);
    m_productShortDescTemplateCheck =
        Widgets::checkBox(seo, QStringLiteral("CheckBox2"),
                          QStringLiteral("Substituting the data from the file for PRODUCT:product_s_desc"));
    m_productMetaDescTemplateCheck =
        Widgets::checkBox(seo, QStringLiteral("CheckBox3"),
                          QStringLiteral("Substituting the data from the file for PRODUCT:metadesc"));
    m_productCustomTitleTemplateCheck =
        Widgets::checkBox(seo, QStringLiteral("CheckBox5"),
                          QStringLiteral("Substituting the data from the file for PRODUCT:customtitle"));
    m_categoryMetaDescTemplateCheck =
        Widgets::checkBox(seo, QStringLiteral("CheckBox4"),
                          QStringLiteral("Substituting the data from the file for CATEGORY:metadesc"));
    m_categoryCustomTitleTemplateCheck =
        Widgets::checkBox(seo, QStringLiteral("CheckBox6"),
                          QStringLiteral("Substituting the data from the file for CATEGORY:customtitle"));
    int row = 0;
    for (QCheckBox* box :
         {m_productShortDescTemplateCheck, m_productMetaDescTemplateCheck, m_productCustomTitleTemplateCheck,
          m_categoryMetaDescTemplateCheck, m_categoryCustomTitleTemplateCheck})
        g->addWidget(box, row++, 1);
    m_templateHelpLink =
        Widgets::label(seo, QStringLiteral("Label40"), QStringLiteral("How to work with files ?"));
    m_templateHelpLink->setTextFormat(Qt::RichText);
    m_templateHelpLink->setText(QStringLiteral("<a href=\"#\">How to work with files ?</a>"));
    m_templateHelpLink->setCursor(Qt::PointingHandCursor);
    g->addWidget(m_templateHelpLink, row++, 1);
    m_startSeoButton =
        Widgets::button(seo, QStringLiteral("SpeedButton20"), QStringLiteral("  SEO data export"));
    g->addWidget(m_startSeoButton, row, 1, Qt::AlignRight | Qt::AlignBottom);
    g->setColumnStretch(1, 1);
    b->addWidget(seo, 3, 0, 1, 3);
    b->setColumnStretch(0, 1);
    b->setColumnStretch(2, 1);
    b->setRowStretch(1, 1);
    b->setRowStretch(3, 2);
    m_exportTabs->addTab(brands, QStringLiteral("  List of manufacturers  ....   "));

    // Tab 2: progress
    auto* progress = new QWidget;
    progress->setObjectName(QStringLiteral("TabSheet3"));
    auto* p = new QGridLayout(progress);
    p->addWidget(Widgets::band(progress, QStringLiteral("Label22"), QStringLiteral("Processing ..."),
                               Qt::yellow, QColor(0x00, 0x80, 0x00)),
                 0, 0, 1, 2);
    p->addWidget(Widgets::label(progress, QStringLiteral("Label26"), QStringLiteral("Path to export")), 1, 0);
    m_exportPathLabel = new ClickableLabel(QStringLiteral(".........."), progress);
    m_exportPathLabel->setObjectName(QStringLiteral("Label23"));
    m_exportPathLabel->setAccessibleName(QStringLiteral("Path to export"));
    m_exportPathLabel->setCursor(Qt::PointingHandCursor);
    p->addWidget(m_exportPathLabel, 1, 1);
    p->addWidget(Widgets::label(progress, QStringLiteral("Label27"), QStringLiteral("Number export file")), 2,
                 0);
    m_exportFileNumberLabel = Widgets::label(progress, QStringLiteral("Label24"), QStringLiteral("000"));
    m_exportFileNumberLabel->setAccessibleName(QStringLiteral("Number export file"));
    p->addWidget(m_exportFileNumberLabel, 2, 1);
    p->addWidget(Widgets::label(progress, QStringLiteral("Label28"), QStringLiteral("Number export row")), 3,
                 0);
    m_exportRowNumberLabel = Widgets::label(progress, QStringLiteral("Label25"), QStringLiteral("000"));
    m_exportRowNumberLabel->setAccessibleName(QStringLiteral("Number export row"));
    p->addWidget(m_exportRowNumberLabel, 3, 1);
    m_exportBrandLabel =
        Widgets::label(progress, QStringLiteral("Label44"), QStringLiteral("processing  brand ..."));
    m_exportBrandLabel->setAccessibleName(QStringLiteral("Brand being exported"));
    p->addWidget(m_exportBrandLabel, 4, 0, 1, 2);
    m_stopExportButton =
        Widgets::button(progress, QStringLiteral("SpeedButton12"), QStringLiteral("  Stop export"));
    p->addWidget(m_stopExportButton, 5, 1, Qt::AlignRight);
    p->setColumnStretch(1, 1);
    p->setRowStretch(6, 1);
    m_exportTabs->addTab(progress, QStringLiteral("  Export ...  "));
    m_progress = std::make_unique<ExportProgressTab>(
        ExportProgressTab::Controls{m_exportTabs, m_exportPathLabel, m_exportFileNumberLabel,
                                    m_exportRowNumberLabel, m_exportBrandLabel},
        m_store.jobs);

    on(m_exportProfileChooser, &DropDownComboBox::aboutToDropDown, &ExportPage::fillProfiles);
    on(m_exportConnectButton, &QPushButton::clicked, &ExportPage::connectForExport);
    on(m_chooseExportFolderButton, &QPushButton::clicked, &ExportPage::chooseExportFolder);
    on(m_toggleBrandsButton, &QToolButton::clicked, &ExportPage::toggleAllBrands);
    on(m_exportColumnList, &QListWidget::itemChanged, &ExportPage::keepIdColumnTicked);
    on(m_seoColumnList, &QListWidget::itemChanged, &ExportPage::keepSeoIdColumnsTicked);
    on(m_startExportButton, &QPushButton::clicked, &ExportPage::startPriceExport);
    on(m_stopExportButton, &QPushButton::clicked, &ExportPage::stopExport);
    on(m_exportPathLabel, &ClickableLabel::clicked, &ExportPage::openExportFolder);
    on(m_startSeoButton, &QPushButton::clicked, &ExportPage::startSeoRun);
    on(m_templateHelpLink, &QLabel::linkActivated, &ExportPage::openTemplateFiles);
}

ExportPage::~ExportPage() = default;

void ExportPage::applySettings(const PageSettings& s)
{
    m_decimalSeparatorCombo->setCurrentIndex(
        s.decimalSeparator >= 0 && s.decimalSeparator < m_decimalSeparatorCombo->count() ? s.decimalSeparator
                                                                                         : -1);
    m_listSeparatorCombo->setCurrentIndex(
        s.listSeparator >= 0 && s.listSeparator < m_listSeparatorCombo->count() ? s.listSeparator : -1);
    m_maxRowsEdit->setText(s.maxRowInCsv);
    m_exportFolderEdit->setText(s.folderToExport);
    const QSignalBlocker blockColumns(m_exportColumnList);
    const QSignalBlocker blockSeoColumns(m_seoColumnList);
    for (int i = 0; i < PageSettings::ExportColumnCount; ++i)
        m_exportColumnList->item(i)->setCheckState(s.exportColumns[i] ? Qt::Checked : Qt::Unchecked);
    for (int i = 0; i < PageSettings::SeoColumnCount; ++i)
        m_seoColumnList->item(i)->setCheckState(s.seoColumns[i] ? Qt::Checked : Qt::Unchecked);
    const QList<QCheckBox*> boxes = templateBoxes();
    for (int i = 0; i < boxes.size(); ++i)
        boxes[i]->setChecked(s.checkToSeo[i]);
    m_seoExistingRadio->setChecked(s.seoExportExisting);
    m_seoGenerateRadio->setChecked(!s.seoExportExisting);
}

void ExportPage::saveSettings(PageSettings& s) const
{
    s.decimalSeparator = m_decimalSeparatorCombo->currentIndex();
    s.listSeparator = m_listSeparatorCombo->currentIndex();
    s.maxRowInCsv = m_maxRowsEdit->text();
    s.folderToExport = m_exportFolderEdit->text();
    for (int i = 0; i < PageSettings::ExportColumnCount; ++i)
        s.exportColumns[i] = m_exportColumnList->item(i)->checkState() == Qt::Checked;
    for (int i = 0; i < PageSettings::SeoColumnCount; ++i)
        s.seoColumns[i] = m_seoColumnList->item(i)->checkState() == Qt::Checked;
    const QList<QCheckBox*> boxes = templateBoxes();
    for (int i = 0; i < boxes.size(); ++i)
        s.checkToSeo[i] = boxes[i]->isChecked();
    s.seoExportExisting = m_seoExistingRadio->isChecked();
}

QList<QCheckBox*> ExportPage::templateBoxes() const
{
    // In the order of the settings' CheckToSEO keys.
    return {m_productShortDescTemplateCheck, m_productMetaDescTemplateCheck, m_categoryMetaDescTemplateCheck,
            m_productCustomTitleTemplateCheck, m_categoryCustomTitleTemplateCheck};
}

void ExportPage::clearBrandList()
{
    m_brandList->clear();
}

void ExportPage::fillProfiles()
{
    m_brandList->clear();
    fillProfileNames(m_exportProfileChooser);
}

void ExportPage::connectForExport()
{
    if (!m_store.readChosenProfile(m_exportProfileChooser, m_ui, [this] { m_brandList->clear(); }))
        return;
    const ScopeExit closing([this] {
        m_exportTabs->setCurrentIndex(1);
        m_store.query.close();
    });
    if (m_store.session.open(m_store.connection, m_store.query))
        loadBrandList();
}

void ExportPage::loadBrandList()
{
    std::vector<Brand> brands = loadBrands(m_store.query, m_store.session.schema);
    sortBrands(brands);
    for (const Brand& brand : brands)
        Widgets::addCheckItem(m_brandList, brand.name, brand.id);
}

void ExportPage::chooseExportFolder()
{
    if (const auto folder = m_ui.chooseFolder(QStringLiteral("Choose a directory")))
        m_exportFolderEdit->setText(*folder);
}

void ExportPage::toggleAllBrands()
{
    Widgets::toggleAllChecks(m_brandList);
}

void ExportPage::keepIdColumnTicked()
{
    if (m_exportColumnList->item(0)->checkState() != Qt::Checked)
        m_exportColumnList->item(0)->setCheckState(Qt::Checked);
}

void ExportPage::keepSeoIdColumnsTicked()
{
    for (int identifier : {0, 9})
        if (m_seoColumnList->item(identifier)->checkState() != Qt::Checked)
            m_seoColumnList->item(identifier)->setCheckState(Qt::Checked);
}

void ExportPage::startPriceExport()
{
    if (m_store.jobs.running())
        return;
    m_progress->showRestingTexts();
    if (m_exportProfileChooser->currentText().trimmed().isEmpty())
        return;
    const CsvSettings settings = CsvSettings::read(csvSettingsTexts());
    const StoreSchema schema = m_store.session.schema;
    const std::vector<BrandEntry> brands = ExportPageInputs::brandEntries(m_brandList);
    const QStringList columns = ExportPageInputs::tickedTexts(m_exportColumnList);
    m_store.jobs.start(
        m_priceExport, [=, this] { m_priceExport.run(schema, settings, brands, columns, *m_progress); },
        [this](std::exception_ptr error) { runEnded(error); });
}

void ExportPage::startSeoRun()
{
    if (m_store.jobs.running())
        return;
    SeoRunRequest request;
    request.generate = m_seoGenerateRadio->isChecked();
    for (int i = 0; i < m_seoColumnList->count(); ++i)
        request.columns.ticked.at(i) = m_seoColumnList->item(i)->checkState() == Qt::Checked;
    const std::array<QCheckBox*, AllSeoTemplateFiles.size()> boxes = {
        m_productShortDescTemplateCheck, m_productMetaDescTemplateCheck, m_productCustomTitleTemplateCheck,
        m_categoryMetaDescTemplateCheck, m_categoryCustomTitleTemplateCheck};
    for (std::size_t i = 0; i < boxes.size(); ++i)
        request.useTemplate[i] = boxes[i]->isChecked();
    request.connectionName = m_exportProfileChooser->currentText();
    request.csv = csvSettingsTexts();
    request.brands = ExportPageInputs::brandEntries(m_brandList);
    const StoreSchema schema = m_store.session.schema;
    m_store.jobs.start(
        m_seoRun,
        [this, request = std::move(request), schema]() mutable {
            m_seoRun.run(std::move(request), schema, *m_progress);
        },
        [this](std::exception_ptr error) { runEnded(error); });
}

void ExportPage::runEnded(const std::exception_ptr& error)
{
    m_progress->runEnded();
    guarded([&] { rethrowIfAny(error); });
}

void ExportPage::stopExport()
{
    Job& job = m_seoRun.isRunning() ? static_cast<Job&>(m_seoRun) : m_priceExport;
    if (job.isRunning() &&
        m_ui.confirm(QStringLiteral("Stop the export of data (all first exported data will be saved) ?")))
        job.requestStop();
}

void ExportPage::openExportFolder()
{
    const QString path = m_exportPathLabel->text();
    if (QFileInfo(path).isDir())
        m_ui.openWithDesktop(path);
}

void ExportPage::openTemplateFiles()
{
    openSeoTemplateFiles([this](const QString& path) { m_ui.openWithDesktop(path); });
}

CsvSettings::Texts ExportPage::csvSettingsTexts() const
{
    return {m_exportFolderEdit->text(), m_maxRowsEdit->text(), m_listSeparatorCombo->currentText(),
            m_decimalSeparatorCombo->currentText()};
}
