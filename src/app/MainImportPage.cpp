#include "ChangePreviewTab.h"
#include "DropDownComboBox.h"
#include "MainWindow.h"
#include "PageFrame.h"
#include "Widgets.h"
#include "import/ImportRules.h"
#include "platform/TextDecoding.h"

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

QWidget* MainWindow::buildImportPage()
{
    auto* page = new QWidget;
    QWidget* content = pageFrame(page, QStringLiteral("Label29"), QStringLiteral("Import price lists into database"));
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
    s->addWidget(Widgets::band(setting, QStringLiteral("Label31"), QStringLiteral("Connection settings"), Qt::white, grey, 16), 0, 0, 1, 3);
    s->addWidget(Widgets::label(setting, QStringLiteral("Label32"), QStringLiteral("Connection Name")), 1, 0);
    m_importProfileChooser = new DropDownComboBox(setting);
    m_importProfileChooser->setObjectName(QStringLiteral("ComboBox8"));
    m_importProfileChooser->setAccessibleName(QStringLiteral("Connection Name"));
    s->addWidget(m_importProfileChooser, 1, 1);
    m_importConnectButton = Widgets::button(setting, QStringLiteral("SpeedButton13"), QStringLiteral("  Testing and database connection"));
    s->addWidget(m_importConnectButton, 2, 1, Qt::AlignLeft);
    s->addWidget(Widgets::band(setting, QStringLiteral("Label34"), QStringLiteral("Folder with price -lists"), Qt::white, grey, 16), 3, 0, 1, 3);
    s->addWidget(Widgets::label(setting, QStringLiteral("Label33"), QStringLiteral("Path")), 4, 0);
    m_importFolderEdit = Widgets::edit(setting, QStringLiteral("Edit9"), QStringLiteral("Path"));
    s->addWidget(m_importFolderEdit, 4, 1);
    m_chooseImportFolderButton = Widgets::button(setting, QStringLiteral("SpeedButton14"), QStringLiteral("..."));
    m_chooseImportFolderButton->setAccessibleName(QStringLiteral("Choose the folder with price lists"));
    s->addWidget(m_chooseImportFolderButton, 4, 2);
    const QString codePageCaption = QStringLiteral("Code page of older files");
    s->addWidget(Widgets::label(setting, QStringLiteral("LabelCodePage"), codePageCaption), 5, 0);
    QStringList codePages;
    for (const QByteArray& codePage : legacyCodePages())
        codePages << QString::fromLatin1(codePage);
    m_codePageCombo = Widgets::pickList(setting, QStringLiteral("ComboBoxCodePage"), codePageCaption, codePages);
    s->addWidget(m_codePageCombo, 5, 1, Qt::AlignLeft);
    const QString matchCaption = QStringLiteral("Match rows by");
    s->addWidget(Widgets::label(setting, QStringLiteral("LabelMatchBy"), matchCaption), 6, 0);
    m_matchByCombo = Widgets::pickList(setting, QStringLiteral("ComboBoxMatchBy"), matchCaption, ImportRules::matchByNames());
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
    m_warnZeroCheck = Widgets::checkBox(setting, QStringLiteral("CheckBoxWarnZero"), QStringLiteral("Warn when a price becomes 0"));
    s->addWidget(m_warnZeroCheck, 8, 1, Qt::AlignLeft);
    auto* note = new QGroupBox(QStringLiteral("  Note  "), setting);
    note->setObjectName(QStringLiteral("GroupBox1"));
    note->setStyleSheet(QStringLiteral("QGroupBox, QGroupBox QLabel { color: red; }"));
    auto* n = new QVBoxLayout(note);
    n->addWidget(Widgets::label(note, QStringLiteral("Label41"), QStringLiteral("1. CSV, xlsx and ods files are read directly")));
    n->addWidget(Widgets::label(note, QStringLiteral("Label42"), QStringLiteral("2. All spare parts will import relative \"IDPART\"")));
    n->addWidget(Widgets::label(note, QStringLiteral("Label43"), QStringLiteral("3. Other spreadsheet formats (xls, xlsb, ...) need LibreOffice installed")));
    s->addWidget(note, 9, 0, 1, 3);
    s->setColumnStretch(1, 1);
    s->setRowStretch(10, 1);
    m_importTabs->addTab(setting, QStringLiteral("  Setting ...  "));

    // Tab 1: the price lists of the folder
    auto* lists = new QWidget;
    lists->setObjectName(QStringLiteral("TabSheet5"));
    auto* l = new QGridLayout(lists);
    m_refreshPriceListsButton = Widgets::imageButton(lists, QStringLiteral("SpeedButton18"), QStringLiteral("refresh"),
                                         QStringLiteral("Sellect all / Cancell all"), QStringLiteral("Refresh the list of files"), 40);
    m_togglePriceListsButton = Widgets::imageButton(lists, QStringLiteral("SpeedButton15"), QStringLiteral("checkall"),
                                         QStringLiteral("Sellect all / Cancell all"), QStringLiteral("Sellect all / Cancell all"), 40);
    auto* column = new QVBoxLayout;
    column->addWidget(m_refreshPriceListsButton);
    column->addWidget(m_togglePriceListsButton);
    column->addStretch(1);
    l->addLayout(column, 0, 0);
    m_priceListFiles = Widgets::checkList(lists, QStringLiteral("CheckListBox2"), QStringLiteral("Price lists"));
    l->addWidget(m_priceListFiles, 0, 1);
    m_startCreationButton = Widgets::button(lists, QStringLiteral("SpeedButton16"), QStringLiteral("  Start creation script"));
    l->addWidget(m_startCreationButton, 1, 1, Qt::AlignRight);
    l->setColumnStretch(1, 1);
    m_importTabs->addTab(lists, QStringLiteral("  List of price lists ...  "));

    // Tab 2: progress and log
    auto* progress = new QWidget;
    progress->setObjectName(QStringLiteral("TabSheet6"));
    auto* p = new QGridLayout(progress);
    p->addWidget(Widgets::band(progress, QStringLiteral("Label35"), QStringLiteral("Processing ..."), Qt::yellow,
                               QColor(0x00, 0x80, 0x00)), 0, 0, 1, 4);
    p->addWidget(Widgets::label(progress, QStringLiteral("Label36"), QStringLiteral("Process")), 1, 0);
    m_importStatus = Widgets::label(progress, QStringLiteral("Label39"), QStringLiteral(".........."));
    m_importStatus->setAccessibleName(QStringLiteral("Process"));
    QFont bold = m_importStatus->font();
    bold.setBold(true);
    m_importStatus->setFont(bold);
    m_importStatus->setStyleSheet(QStringLiteral("color: maroon;"));
    p->addWidget(m_importStatus, 1, 1, 1, 3);
    m_stopCreationButton = Widgets::button(progress, QStringLiteral("SpeedButton17"), QStringLiteral("  Stop creation script"));
    m_startScriptButton = Widgets::button(progress, QStringLiteral("SpeedButton19"), QStringLiteral("  Start script update"),
                                    QStringLiteral("Manual start script"));
    m_stopScriptButton = Widgets::button(progress, QStringLiteral("SpeedButtonStopScript"), QStringLiteral("  Stop script update"));
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
    return page;
}
