#include "MainWindow.h"

#include "ExportPage.h"
#include "Guarded.h"
#include "HelpPage.h"
#include "ImportPage.h"
#include "SettingPage.h"
#include "Widgets.h"
#include "settings/PageSettings.h"
#include "settings/SettingsFile.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QScreen>
#include <QStackedWidget>
#include <QThread>
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
    m_settingPage = new SettingPage(m_ui, m_store);
    m_exportPage = new ExportPage(m_ui, m_store);
    m_importPage = new ImportPage(m_ui, m_store);
    m_helpPage = new HelpPage(m_ui);
    const QList<QWidget*> pages = {m_settingPage, m_exportPage, m_importPage, m_helpPage};
    for (int i = 0; i < pages.size(); ++i) {
        pages[i]->setObjectName(pageNames[i]);
        m_pages->addWidget(pages[i]);
    }
    rightLayout->addWidget(m_pages);
    root->addWidget(right, 1);

    // Every closing of the connection empties the brand list; a job closes it on its own thread.
    m_store.connection.setAfterDisconnect([this] {
        if (QThread::currentThread() == thread())
            m_exportPage->clearBrandList();
        else
            m_store.jobs.report(0, [this] { m_exportPage->clearBrandList(); });
    });
    const QList<QToolButton*> pageButtons = {m_settingPageButton, m_exportPageButton, m_importPageButton,
                                             m_helpPageButton};
    for (int i = 0; i < pageButtons.size(); ++i)
        connect(pageButtons[i], &QToolButton::clicked, this, [this, i] { showPage(pageNames[i]); });
    showPage(QStringLiteral("SETTING"));
}

MainWindow::~MainWindow()
{
    // The pages' jobs may not outlive them.
    m_store.jobs.stopAndWait();
    m_store.connection.setAfterDisconnect(nullptr);
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
    m_settingPageButton =
        Widgets::imageButton(toolbar, QStringLiteral("SpeedButton3"), QStringLiteral("setting"),
                             QStringLiteral("Connection setup"), QStringLiteral("Connection setup"));
    m_exportPageButton =
        Widgets::imageButton(toolbar, QStringLiteral("SpeedButton2"), QStringLiteral("export"),
                             QStringLiteral("Export prices and availability in csv-files"),
                             QStringLiteral("Export prices and availability in csv-files"));
    m_importPageButton = Widgets::imageButton(
        toolbar, QStringLiteral("SpeedButton1"), QStringLiteral("import"),
        QStringLiteral("Import price lists in store"), QStringLiteral("Import price lists in store"));
    m_helpPageButton = Widgets::imageButton(toolbar, QStringLiteral("SpeedButton24"), QStringLiteral("help"),
                                            QString(), QStringLiteral("Help"));
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

const Job& MainWindow::priceExportJob() const
{
    return m_exportPage->priceExportJob();
}

const Job& MainWindow::seoJob() const
{
    return m_exportPage->seoJob();
}

const Job& MainWindow::creationJob() const
{
    return m_importPage->creationJob();
}

const Job& MainWindow::scriptJob() const
{
    return m_importPage->scriptJob();
}

void MainWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous())
        runGuarded(m_ui, [this] { loadPageSettings(); });
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    // A failure to save the settings is still worth a word while the window goes.
    runGuarded(m_ui, [this] { closeWindow(); });
    event->accept();
}

void MainWindow::loadPageSettings()
{
    const PageSettings settings = PageSettings::load(SettingsFile::open());
    m_exportPage->applySettings(settings);
    m_importPage->applySettings(settings);
}

void MainWindow::closeWindow()
{
    m_store.jobs.stopAndWait();
    m_store.connection.close();
    PageSettings settings;
    m_exportPage->saveSettings(settings);
    m_importPage->saveSettings(settings);
    IniFile file = SettingsFile::open();
    settings.save(file);
}
