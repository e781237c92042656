#pragma once

#include "SharedStore.h"

#include <QWidget>

class ExportPage;
class HelpPage;
class ImportPage;
class Job;
class QStackedWidget;
class QToolButton;
class SettingPage;
class Ui;

// The one main window: the toolbar, the page stack with its four pages, the dialog seam and
// the one store session that the pages share, with the thread of their long jobs. Each page
// owns its controls and handlers.
class MainWindow : public QWidget
{
    Q_OBJECT
public:
    explicit MainWindow(Ui& ui, QWidget* parent = nullptr);
    ~MainWindow() override;

    static QString applicationTitle();

    // Shows the page of that name ("SETTING", "EXPORT", "IMPORT", "HELP").
    void showPage(const QString& name);
    QString currentPageName() const;

    // The window's database session, and its jobs, as tests and benchmarks look at them.
    DbConnection& connection() { return m_store.connection; }
    const DbQuery& query() const { return m_store.query; }
    const StoreSession& session() const { return m_store.session; }
    const Job& priceExportJob() const;
    const Job& seoJob() const;
    const Job& creationJob() const;
    const Job& scriptJob() const;
    // True while a long job runs, its closing steps on the window included.
    bool jobRunning() const { return m_store.jobs.running(); }

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildToolbar(QWidget* toolbar);
    void loadPageSettings();
    // Ends a running job at its next row, file or statement without a word, closes the
    // session and saves the page settings.
    void closeWindow();

    Ui& m_ui;
    SharedStore m_store;

    QStackedWidget* m_pages = nullptr;
    QToolButton* m_settingPageButton = nullptr;
    QToolButton* m_exportPageButton = nullptr;
    QToolButton* m_importPageButton = nullptr;
    QToolButton* m_helpPageButton = nullptr;
    SettingPage* m_settingPage = nullptr;
    ExportPage* m_exportPage = nullptr;
    ImportPage* m_importPage = nullptr;
    HelpPage* m_helpPage = nullptr;
};
