#include "Main.h"

#include "ClickableLabel.h"
#include "DropDownComboBox.h"
#include "Widgets.h"
#include "platform/AppError.h"
#include "platform/Ui.h"
#include "settings/PageSettings.h"
#include "settings/SettingsFile.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>
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

TForm1::TForm1(QWidget* parent) : QWidget(parent)
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
    Notebook1 = new QStackedWidget(right);
    Notebook1->setObjectName(QStringLiteral("Notebook1"));
    const QList<QWidget*> pages = {buildSettingPage(), buildExportPage(), buildImportPage(), buildHelpPage()};
    for (int i = 0; i < pages.size(); ++i) {
        pages[i]->setObjectName(pageNames[i]);
        Notebook1->addWidget(pages[i]);
    }
    rightLayout->addWidget(Notebook1);
    root->addWidget(right, 1);

    UniConnection1.setAfterDisconnect([this] { UniConnection1AfterDisconnect(); });
    connectHandlers();
    showPage(QStringLiteral("SETTING"));
}

TForm1::~TForm1()
{
    UniConnection1.setAfterDisconnect(nullptr);
}

QString TForm1::applicationTitle()
{
    return QStringLiteral("Velmora: import and update of price lists, SEO tags for VirtueMart");
}

void TForm1::buildToolbar(QWidget* toolbar)
{
    auto* layout = new QVBoxLayout(toolbar);
    layout->setContentsMargins(px(4), px(4), px(4), px(4));
    layout->setSpacing(px(4));
    SpeedButton3 = Widgets::imageButton(toolbar, QStringLiteral("SpeedButton3"), QStringLiteral("setting"),
                                        QStringLiteral("Connection setup"), QStringLiteral("Connection setup"));
    SpeedButton2 = Widgets::imageButton(toolbar, QStringLiteral("SpeedButton2"), QStringLiteral("export"),
                                        QStringLiteral("Export prices and availability in csv-files"),
                                        QStringLiteral("Export prices and availability in csv-files"));
    SpeedButton1 = Widgets::imageButton(toolbar, QStringLiteral("SpeedButton1"), QStringLiteral("import"),
                                        QStringLiteral("Import price lists in store"),
                                        QStringLiteral("Import price lists in store"));
    SpeedButton24 = Widgets::imageButton(toolbar, QStringLiteral("SpeedButton24"), QStringLiteral("help"), QString(),
                                         QStringLiteral("Help"));
    for (QToolButton* b : {SpeedButton3, SpeedButton2, SpeedButton1, SpeedButton24})
        layout->addWidget(b);
    layout->addStretch(1);
}

void TForm1::showPage(const QString& name)
{
    const int index = pageNames.indexOf(name);
    if (index >= 0)
        Notebook1->setCurrentIndex(index);
}

QString TForm1::currentPageName() const
{
    return pageNames.value(Notebook1->currentIndex());
}

void TForm1::guarded(const std::function<void()>& handler)
{
    try {
        handler();
    } catch (const std::exception& error) {
        Ui::instance().errorBox(errorBoxText(errorMessage(error)));
    }
}

void TForm1::connectHandlers()
{
    on(SpeedButton3, &QToolButton::clicked, &TForm1::SpeedButton3Click);
    on(SpeedButton2, &QToolButton::clicked, &TForm1::SpeedButton2Click);
    on(SpeedButton1, &QToolButton::clicked, &TForm1::SpeedButton1Click);
    on(SpeedButton24, &QToolButton::clicked, &TForm1::SpeedButton24Click);

    on(ComboBox1, &DropDownComboBox::aboutToDropDown, &TForm1::ComboBox1DropDown);
    on(ComboBox1, &QComboBox::activated, &TForm1::ComboBox1Change);
    on(SpeedButton5, &QToolButton::clicked, &TForm1::SpeedButton5Click);
    on(SpeedButton4, &QToolButton::clicked, &TForm1::SpeedButton4Click);
    on(SpeedButton6, &QToolButton::clicked, &TForm1::SpeedButton6Click);
    on(SpeedButton7, &QToolButton::clicked, &TForm1::SpeedButton7Click);

    on(ComboBox3, &DropDownComboBox::aboutToDropDown, &TForm1::ComboBox3DropDown);
    on(SpeedButton8, &QPushButton::clicked, &TForm1::SpeedButton8Click);
    on(SpeedButton9, &QPushButton::clicked, &TForm1::SpeedButton9Click);
    on(SpeedButton11, &QToolButton::clicked, &TForm1::SpeedButton11Click);
    on(CheckListBox3, &QListWidget::itemChanged, &TForm1::CheckListBox3ClickCheck);
    on(CheckListBox4, &QListWidget::itemChanged, &TForm1::CheckListBox4ClickCheck);
    on(SpeedButton10, &QPushButton::clicked, &TForm1::SpeedButton10Click);
    on(SpeedButton12, &QPushButton::clicked, &TForm1::SpeedButton12Click);
    on(Label23, &ClickableLabel::clicked, &TForm1::Label23Click);
    on(SpeedButton20, &QPushButton::clicked, &TForm1::SpeedButton20Click);
    on(Label40, &QLabel::linkActivated, &TForm1::Label40Click);

    on(ComboBox8, &DropDownComboBox::aboutToDropDown, &TForm1::ComboBox8DropDown);
    on(SpeedButton13, &QPushButton::clicked, &TForm1::SpeedButton13Click);
    on(SpeedButton14, &QPushButton::clicked, &TForm1::SpeedButton14Click);
    on(SpeedButton15, &QToolButton::clicked, &TForm1::SpeedButton15Click);
    on(SpeedButton18, &QToolButton::clicked, &TForm1::SpeedButton18Click);
    on(SpeedButton16, &QPushButton::clicked, &TForm1::SpeedButton16Click);
    on(SpeedButton17, &QPushButton::clicked, &TForm1::SpeedButton17Click);
    on(SpeedButton19, &QPushButton::clicked, &TForm1::SpeedButton19Click);
}

void TForm1::SpeedButton3Click()
{
    showPage(QStringLiteral("SETTING"));
}

void TForm1::SpeedButton2Click()
{
    showPage(QStringLiteral("EXPORT"));
}

void TForm1::SpeedButton1Click()
{
    showPage(QStringLiteral("IMPORT"));
}

void TForm1::SpeedButton24Click()
{
    showPage(QStringLiteral("HELP"));
}

void TForm1::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous())
        guarded([this] { FormShow(); });
}

void TForm1::closeEvent(QCloseEvent* event)
{
    guarded([this] { FormClose(); });
    event->accept();
}

void TForm1::FormShow()
{
    applyPageSettings(PageSettings::load(SettingsFile::open()));
}

void TForm1::FormClose()
{
    // A job still running stops quietly at its next look at its flag.
    windowClosing = true;
    exportGoOn = false;
    creationGoOn = false;
    UniConnection1.close();
    IniFile file = SettingsFile::open();
    pageSettingsFromControls().save(file);
}

PageSettings TForm1::pageSettingsFromControls() const
{
    PageSettings s;
    s.decimalSeparator = ComboBox6->currentIndex();
    s.listSeparator = ComboBox5->currentIndex();
    s.maxRowInCsv = Edit6->text();
    s.folderToExport = Edit7->text();
    s.folderToImport = Edit9->text();
    for (int i = 0; i < PageSettings::ExportColumnCount; ++i)
        s.exportColumns[i] = CheckListBox3->item(i)->checkState() == Qt::Checked;
    for (int i = 0; i < PageSettings::SeoColumnCount; ++i)
        s.seoColumns[i] = CheckListBox4->item(i)->checkState() == Qt::Checked;
    const QList<QCheckBox*> boxes = {CheckBox2, CheckBox3, CheckBox4, CheckBox5, CheckBox6};
    for (int i = 0; i < boxes.size(); ++i)
        s.checkToSeo[i] = boxes[i]->isChecked();
    s.seoExportExisting = RadioButton1->isChecked();
    return s;
}

void TForm1::applyPageSettings(const PageSettings& s)
{
    ComboBox6->setCurrentIndex(s.decimalSeparator >= 0 && s.decimalSeparator < ComboBox6->count() ? s.decimalSeparator : -1);
    ComboBox5->setCurrentIndex(s.listSeparator >= 0 && s.listSeparator < ComboBox5->count() ? s.listSeparator : -1);
    Edit6->setText(s.maxRowInCsv);
    Edit7->setText(s.folderToExport);
    Edit9->setText(s.folderToImport);
    const QSignalBlocker block3(CheckListBox3);
    const QSignalBlocker block4(CheckListBox4);
    for (int i = 0; i < PageSettings::ExportColumnCount; ++i)
        CheckListBox3->item(i)->setCheckState(s.exportColumns[i] ? Qt::Checked : Qt::Unchecked);
    for (int i = 0; i < PageSettings::SeoColumnCount; ++i)
        CheckListBox4->item(i)->setCheckState(s.seoColumns[i] ? Qt::Checked : Qt::Unchecked);
    const QList<QCheckBox*> boxes = {CheckBox2, CheckBox3, CheckBox4, CheckBox5, CheckBox6};
    for (int i = 0; i < boxes.size(); ++i)
        boxes[i]->setChecked(s.checkToSeo[i]);
    RadioButton1->setChecked(s.seoExportExisting);
    RadioButton2->setChecked(!s.seoExportExisting);
}

bool TForm1::jobRunning() const
{
    return exportRunning || seoRunning || creationRunning || scriptRunning;
}
