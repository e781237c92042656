#pragma once

#include "export/ExportProgress.h"

#include <QObject>
#include <QTimer>

class ClickableLabel;
class QLabel;
class QTabWidget;

// The EXPORT page's progress tab as the export runs drive it, for the length of one click.
// The window processes its events after every row, so that Stop takes effect at the next
// row. The counters change as often; painting them that often would cost more than the export
// itself, so they reach their labels once a frame, and before any paint of the window:
// whatever is painted shows the current values. While the tab is shown by a run the counter
// labels keep their size, so that a new text repaints the label alone instead of laying out,
// and repainting, the whole tab.
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

    ExportProgressTab(const Controls& controls, QWidget& window);
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
    QString m_fileText;
    QString m_rowText;
    bool m_countersPending = false;
    bool m_countersPinned = false;
    QTimer m_nextFrame;
};
