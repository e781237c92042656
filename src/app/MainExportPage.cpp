#include "ClickableLabel.h"
#include "DropDownComboBox.h"
#include "Main.h"
#include "PageFrame.h"
#include "Widgets.h"
#include "export/PriceFileLayout.h"
#include "seo/SeoColumns.h"

#include <QCheckBox>
#include <QComboBox>
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

QComboBox* pickList(QWidget* parent, const QString& name, const QString& fieldLabel, const QStringList& items)
{
    auto* combo = new QComboBox(parent);
    combo->setObjectName(name);
    combo->setAccessibleName(fieldLabel);
    combo->addItems(items);
    return combo;
}

} // namespace

QWidget* TForm1::buildExportPage()
{
    auto* page = new QWidget;
    QWidget* content = pageFrame(page, QStringLiteral("Label12"), QStringLiteral("Export prices and availability in csv-files"));
    auto* layout = new QVBoxLayout(content);
    layout->setContentsMargins(0, 0, 0, 0);
    PageControl1 = new QTabWidget(content);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    layout->addWidget(PageControl1);

    // Tab 0: settings
    auto* setting = new QWidget;
    setting->setObjectName(QStringLiteral("TabSheet1"));
    auto* s = new QGridLayout(setting);
    s->addWidget(heading(setting, QStringLiteral("Label13"), QStringLiteral("CSV-settings")), 0, 0, 1, 3);
    ComboBox6 = pickList(setting, QStringLiteral("ComboBox6"), QStringLiteral("Decimal separator"),
                         {QStringLiteral(","), QStringLiteral(".")});
    s->addWidget(Widgets::label(setting, QStringLiteral("Label14"), QStringLiteral("Decimal separator")), 1, 0);
    s->addWidget(ComboBox6, 1, 1);
    ComboBox5 = pickList(setting, QStringLiteral("ComboBox5"), QStringLiteral("List separator"),
                         {QStringLiteral(";"), QStringLiteral(","), QStringLiteral("TAB")});
    s->addWidget(Widgets::label(setting, QStringLiteral("Label15"), QStringLiteral("List separator")), 2, 0);
    s->addWidget(ComboBox5, 2, 1);
    Edit6 = Widgets::edit(setting, QStringLiteral("Edit6"), QStringLiteral("Maximum number of rows in the csv-file"),
                          QStringLiteral("10000"));
    s->addWidget(Widgets::label(setting, QStringLiteral("Label16"), QStringLiteral("Maximum number of rows in the csv-file")), 3, 0);
    s->addWidget(Edit6, 3, 1);
    s->addWidget(heading(setting, QStringLiteral("Label17"), QStringLiteral("Folder export settings")), 4, 0, 1, 3);
    Edit7 = Widgets::edit(setting, QStringLiteral("Edit7"), QStringLiteral("Path"));
    SpeedButton9 = Widgets::button(setting, QStringLiteral("SpeedButton9"), QStringLiteral("..."));
    SpeedButton9->setAccessibleName(QStringLiteral("Choose the export folder"));
    s->addWidget(Widgets::label(setting, QStringLiteral("Label18"), QStringLiteral("Path")), 5, 0);
    s->addWidget(Edit7, 5, 1);
    s->addWidget(SpeedButton9, 5, 2);
    s->addWidget(heading(setting, QStringLiteral("Label19"), QStringLiteral("Connection settings")), 6, 0, 1, 3);
    ComboBox3 = new DropDownComboBox(setting);
    ComboBox3->setObjectName(QStringLiteral("ComboBox3"));
    ComboBox3->setAccessibleName(QStringLiteral("Connection Name"));
    s->addWidget(Widgets::label(setting, QStringLiteral("Label20"), QStringLiteral("Connection Name")), 7, 0);
    s->addWidget(ComboBox3, 7, 1);
    SpeedButton8 = Widgets::button(setting, QStringLiteral("SpeedButton8"), QStringLiteral("  Testing and database connection"));
    s->addWidget(SpeedButton8, 8, 1, Qt::AlignLeft);
    s->setColumnStretch(1, 1);
    s->setRowStretch(9, 1);
    PageControl1->addTab(setting, QStringLiteral("  Setting ...  "));

    // Tab 1: brands, columns and the SEO panel
    auto* brands = new QWidget;
    brands->setObjectName(QStringLiteral("TabSheet2"));
    auto* b = new QGridLayout(brands);
    b->addWidget(Widgets::label(brands, QStringLiteral("Label21"),
                                QStringLiteral("Select the desired brands of spare parts or all brands")), 0, 0, 1, 3);
    CheckListBox1 = Widgets::checkList(brands, QStringLiteral("CheckListBox1"), QStringLiteral("Brands"));
    b->addWidget(CheckListBox1, 1, 0, 2, 1);
    SpeedButton11 = Widgets::imageButton(brands, QStringLiteral("SpeedButton11"), QStringLiteral("checkall"),
                                         QStringLiteral("Sellect all / Cancell all"),
                                         QStringLiteral("Sellect all / Cancell all"), 40);
    b->addWidget(SpeedButton11, 1, 1, Qt::AlignTop);
    CheckListBox3 = Widgets::checkList(brands, QStringLiteral("CheckListBox3"), QStringLiteral("Columns for export"),
                                       PriceFileLayout::columnNames());
    b->addWidget(CheckListBox3, 1, 2);
    SpeedButton10 = Widgets::button(brands, QStringLiteral("SpeedButton10"), QStringLiteral("  Start export"));
    b->addWidget(SpeedButton10, 2, 2);

    auto* seo = new QGroupBox(brands);
    seo->setObjectName(QStringLiteral("GroupBox2"));
    seo->setTitle(QStringLiteral("SEO"));
    auto* g = new QGridLayout(seo);
    RadioButton1 = new QRadioButton(QStringLiteral("Export existing data"), seo);
    RadioButton1->setObjectName(QStringLiteral("RadioButton1"));
    RadioButton1->setAccessibleName(RadioButton1->text());
    RadioButton1->setChecked(true);
    RadioButton2 = new QRadioButton(QStringLiteral("Generating a default data"), seo);
    RadioButton2->setObjectName(QStringLiteral("RadioButton2"));
    RadioButton2->setAccessibleName(RadioButton2->text());
    g->addWidget(RadioButton1, 0, 0);
    g->addWidget(RadioButton2, 1, 0);
    CheckListBox4 = Widgets::checkList(seo, QStringLiteral("CheckListBox4"), QStringLiteral("SEO columns"), SeoColumns::names());
    g->addWidget(CheckListBox4, 2, 0, 6, 1);
    CheckBox2 = Widgets::checkBox(seo, QStringLiteral("CheckBox2"), QStringLiteral("Substituting the data from the file for PRODUCT:product_s_desc"));
    CheckBox3 = Widgets::checkBox(seo, QStringLiteral("CheckBox3"), QStringLiteral("Substituting the data from the file for PRODUCT:metadesc"));
    CheckBox5 = Widgets::checkBox(seo, QStringLiteral("CheckBox5"), QStringLiteral("Substituting the data from the file for PRODUCT:customtitle"));
    CheckBox4 = Widgets::checkBox(seo, QStringLiteral("CheckBox4"), QStringLiteral("Substituting the data from the file for CATEGORY:metadesc"));
    CheckBox6 = Widgets::checkBox(seo, QStringLiteral("CheckBox6"), QStringLiteral("Substituting the data from the file for CATEGORY:customtitle"));
    int row = 0;
    for (QCheckBox* box : {CheckBox2, CheckBox3, CheckBox5, CheckBox4, CheckBox6})
        g->addWidget(box, row++, 1);
    Label40 = Widgets::label(seo, QStringLiteral("Label40"), QStringLiteral("How to work with files ?"));
    Label40->setTextFormat(Qt::RichText);
    Label40->setText(QStringLiteral("<a href=\"#\">How to work with files ?</a>"));
    Label40->setCursor(Qt::PointingHandCursor);
    g->addWidget(Label40, row++, 1);
    SpeedButton20 = Widgets::button(seo, QStringLiteral("SpeedButton20"), QStringLiteral("  SEO data export"));
    g->addWidget(SpeedButton20, row, 1, Qt::AlignRight | Qt::AlignBottom);
    g->setColumnStretch(1, 1);
    b->addWidget(seo, 3, 0, 1, 3);
    b->setColumnStretch(0, 1);
    b->setColumnStretch(2, 1);
    b->setRowStretch(1, 1);
    b->setRowStretch(3, 2);
    PageControl1->addTab(brands, QStringLiteral("  List of manufacturers  ....   "));

    // Tab 2: progress
    auto* progress = new QWidget;
    progress->setObjectName(QStringLiteral("TabSheet3"));
    auto* p = new QGridLayout(progress);
    p->addWidget(Widgets::band(progress, QStringLiteral("Label22"), QStringLiteral("Processing ..."), Qt::yellow,
                               QColor(0x00, 0x80, 0x00)), 0, 0, 1, 2);
    p->addWidget(Widgets::label(progress, QStringLiteral("Label26"), QStringLiteral("Path to export")), 1, 0);
    Label23 = new ClickableLabel(QStringLiteral(".........."), progress);
    Label23->setObjectName(QStringLiteral("Label23"));
    Label23->setAccessibleName(QStringLiteral("Path to export"));
    Label23->setCursor(Qt::PointingHandCursor);
    p->addWidget(Label23, 1, 1);
    p->addWidget(Widgets::label(progress, QStringLiteral("Label27"), QStringLiteral("Number export file")), 2, 0);
    Label24 = Widgets::label(progress, QStringLiteral("Label24"), QStringLiteral("000"));
    Label24->setAccessibleName(QStringLiteral("Number export file"));
    p->addWidget(Label24, 2, 1);
    p->addWidget(Widgets::label(progress, QStringLiteral("Label28"), QStringLiteral("Number export row")), 3, 0);
    Label25 = Widgets::label(progress, QStringLiteral("Label25"), QStringLiteral("000"));
    Label25->setAccessibleName(QStringLiteral("Number export row"));
    p->addWidget(Label25, 3, 1);
    Label44 = Widgets::label(progress, QStringLiteral("Label44"), QStringLiteral("processing  brand ..."));
    Label44->setAccessibleName(QStringLiteral("Brand being exported"));
    p->addWidget(Label44, 4, 0, 1, 2);
    SpeedButton12 = Widgets::button(progress, QStringLiteral("SpeedButton12"), QStringLiteral("  Stop export"));
    p->addWidget(SpeedButton12, 5, 1, Qt::AlignRight);
    p->setColumnStretch(1, 1);
    p->setRowStretch(6, 1);
    PageControl1->addTab(progress, QStringLiteral("  Export ...  "));
    return page;
}
