#pragma once

#include "export/ExportProgress.h"

#include <QString>
#include <functional>

class ClickableLabel;
class JobThread;
class QLabel;
class QTabWidget;
class QWidget;

// The EXPORT page's progress tab as the export runs drive it. A run reports after every row
// from the job's thread; the reports reach the labels on the window's thread once a frame, a
// counter at its latest value. Called on the window's thread (the resting texts before a run),
// it shows at once.
class ExportProgressTab : public ExportProgress
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

    ExportProgressTab(const Controls& controls, JobThread& jobs);

    void setPathText(const QString& text) override;
    void setFileText(const QString& text) override;
    void setRowText(const QString& text) override;
    void setBrandText(const QString& text) override;
    void showProgressTab() override;
    // The window's thread is free: nothing to process but for tests in lock step.
    void processEvents() override;
    // After a run: the counter labels lay out again with their texts.
    void runEnded();

private:
    enum Key
    {
        Path = 1,
        FileNumber,
        RowNumber,
        Brand,
        Tab
    };
    void show(Key key, std::function<void()> update);
    // While a run shows its counters they keep their size, so that a new text repaints the
    // label alone instead of laying out, and repainting, the whole tab.
    void pinCounterSizes(bool pinned);

    Controls m_controls;
    JobThread& m_jobs;
};
