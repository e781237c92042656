#include "DropDownComboBox.h"
#include "Main.h"
#include "PageFrame.h"
#include "Widgets.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

using Widgets::px;

QWidget* TForm1::buildImportPage()
{
    auto* page = new QWidget;
    QWidget* content = pageFrame(page, QStringLiteral("Label29"), QStringLiteral("Import price lists into database"));
    auto* layout = new QVBoxLayout(content);
    layout->setContentsMargins(0, 0, 0, 0);
    PageControl2 = new QTabWidget(content);
    PageControl2->setObjectName(QStringLiteral("PageControl2"));
    layout->addWidget(PageControl2);
    const QColor grey(0x80, 0x80, 0x80);

    // Tab 0: connection and folder
    auto* setting = new QWidget;
    setting->setObjectName(QStringLiteral("TabSheet4"));
    auto* s = new QGridLayout(setting);
    s->addWidget(Widgets::band(setting, QStringLiteral("Label31"), QStringLiteral("Connection settings"), Qt::white, grey, 16), 0, 0, 1, 3);
    s->addWidget(Widgets::label(setting, QStringLiteral("Label32"), QStringLiteral("Connection Name")), 1, 0);
    ComboBox8 = new DropDownComboBox(setting);
    ComboBox8->setObjectName(QStringLiteral("ComboBox8"));
    ComboBox8->setAccessibleName(QStringLiteral("Connection Name"));
    s->addWidget(ComboBox8, 1, 1);
    SpeedButton13 = Widgets::button(setting, QStringLiteral("SpeedButton13"), QStringLiteral("  Testing and database connection"));
    s->addWidget(SpeedButton13, 2, 1, Qt::AlignLeft);
    s->addWidget(Widgets::band(setting, QStringLiteral("Label34"), QStringLiteral("Folder with price -lists"), Qt::white, grey, 16), 3, 0, 1, 3);
    s->addWidget(Widgets::label(setting, QStringLiteral("Label33"), QStringLiteral("Path")), 4, 0);
    Edit9 = Widgets::edit(setting, QStringLiteral("Edit9"), QStringLiteral("Path"));
    s->addWidget(Edit9, 4, 1);
    SpeedButton14 = Widgets::button(setting, QStringLiteral("SpeedButton14"), QStringLiteral("..."));
    SpeedButton14->setAccessibleName(QStringLiteral("Choose the folder with price lists"));
    s->addWidget(SpeedButton14, 4, 2);
    auto* note = new QGroupBox(QStringLiteral("  Note  "), setting);
    note->setObjectName(QStringLiteral("GroupBox1"));
    note->setStyleSheet(QStringLiteral("QGroupBox, QGroupBox QLabel { color: red; }"));
    auto* n = new QVBoxLayout(note);
    n->addWidget(Widgets::label(note, QStringLiteral("Label41"), QStringLiteral("1. On the computer must be installed MS Excel")));
    n->addWidget(Widgets::label(note, QStringLiteral("Label42"), QStringLiteral("2. All spare parts will import relative \"IDPART\"")));
    n->addWidget(Widgets::label(note, QStringLiteral("Label43"), QStringLiteral("3. For importing suitable all files that work with MS Excel")));
    s->addWidget(note, 5, 0, 1, 3);
    s->setColumnStretch(1, 1);
    s->setRowStretch(6, 1);
    PageControl2->addTab(setting, QStringLiteral("  Setting ...  "));

    // Tab 1: the price lists of the folder
    auto* lists = new QWidget;
    lists->setObjectName(QStringLiteral("TabSheet5"));
    auto* l = new QGridLayout(lists);
    SpeedButton18 = Widgets::imageButton(lists, QStringLiteral("SpeedButton18"), QStringLiteral("refresh"),
                                         QStringLiteral("Sellect all / Cancell all"), QStringLiteral("Refresh the list of files"), 40);
    SpeedButton15 = Widgets::imageButton(lists, QStringLiteral("SpeedButton15"), QStringLiteral("checkall"),
                                         QStringLiteral("Sellect all / Cancell all"), QStringLiteral("Sellect all / Cancell all"), 40);
    auto* column = new QVBoxLayout;
    column->addWidget(SpeedButton18);
    column->addWidget(SpeedButton15);
    column->addStretch(1);
    l->addLayout(column, 0, 0);
    CheckListBox2 = Widgets::checkList(lists, QStringLiteral("CheckListBox2"), QStringLiteral("Price lists"));
    l->addWidget(CheckListBox2, 0, 1);
    SpeedButton16 = Widgets::button(lists, QStringLiteral("SpeedButton16"), QStringLiteral("  Start creation script"));
    l->addWidget(SpeedButton16, 1, 1, Qt::AlignRight);
    l->setColumnStretch(1, 1);
    PageControl2->addTab(lists, QStringLiteral("  List of price lists ...  "));

    // Tab 2: progress and log
    auto* progress = new QWidget;
    progress->setObjectName(QStringLiteral("TabSheet6"));
    auto* p = new QGridLayout(progress);
    p->addWidget(Widgets::band(progress, QStringLiteral("Label35"), QStringLiteral("Processing ..."), Qt::yellow,
                               QColor(0x00, 0x80, 0x00)), 0, 0, 1, 4);
    p->addWidget(Widgets::label(progress, QStringLiteral("Label36"), QStringLiteral("Process")), 1, 0);
    Label39 = Widgets::label(progress, QStringLiteral("Label39"), QStringLiteral(".........."));
    Label39->setAccessibleName(QStringLiteral("Process"));
    QFont bold = Label39->font();
    bold.setBold(true);
    Label39->setFont(bold);
    Label39->setStyleSheet(QStringLiteral("color: maroon;"));
    p->addWidget(Label39, 1, 1, 1, 3);
    SpeedButton17 = Widgets::button(progress, QStringLiteral("SpeedButton17"), QStringLiteral("  Stop creation script"));
    SpeedButton19 = Widgets::button(progress, QStringLiteral("SpeedButton19"), QStringLiteral("  Start script update"),
                                    QStringLiteral("Manual start script"));
    p->addWidget(SpeedButton17, 2, 2);
    p->addWidget(SpeedButton19, 2, 3);
    ProgressBar1 = new QProgressBar(progress);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setAccessibleName(QStringLiteral("Script progress"));
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
    p->addWidget(ProgressBar1, 3, 0, 1, 4);
    Memo1 = new QPlainTextEdit(progress);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setAccessibleName(QStringLiteral("Import log"));
    Memo1->setReadOnly(true);
    p->addWidget(Memo1, 4, 0, 1, 4);
    p->setColumnStretch(1, 1);
    p->setRowStretch(4, 1);
    PageControl2->addTab(progress, QStringLiteral("  Import ...  "));
    return page;
}
