#pragma once

#include "FramePacer.h"
#include "export/ExportProgress.h"

#include <QObject>
#include <QTimer>

class ClickableLabel;
class DbConnection;
class QLabel;
class QTabWidget;

// The EXPORT page's progress tab as the export runs drive it, for the length of one click.
// The runs report after every row; the window processes its events at most once a frame, so a
// click on Stop takes effect at the row after the one in whose report it was handled. The
// counters change with every row; painting them that often would cost more than the export
// itself, so they reach their labels once a frame, and before any paint of the window:
// whatever is painted shows the current values. While the tab is shown by a run the counter
// labels keep their size, so that a new text repaints the label alone instead of laying out,
// and repainting, the whole tab. While a statement's result is awaited, the window processes
// its events at the same pace, so that it answers while a large brand is read.
class ExportProgressTab : public QObject, public ExportProgress
{
public:
    struct Controls
    {
        QTabWidget* tabs;
        ClickableLabel* path;
        QLabel* fileNumber;
        QLabel* rowNumber;
        QLabel* brand;
    };

    ExportProgressTab(const Controls& controls, QWidget& window, DbConnection& connection);
    ~ExportProgressTab() override;

    void setPathText(const QString& text) override;
    void setFileText(const QString& text) override;
    void setRowText(const QString& text) override;
    void setBrandText(const QString& text) override;
    void showProgressTab() override;
    void processEvents() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void counterChanged();
    void showCounters();
    void pinCounterSizes(bool pinned);

    Controls m_controls;
    QWidget& m_window;
    DbConnection& m_connection;
    FramePacer m_pacer;
    QString m_fileText;
    QString m_rowText;
    bool m_countersPending = false;
    bool m_countersPinned = false;
    QTimer m_nextFrame;
};
