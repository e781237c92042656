#pragma once

#include "import/CreationProgress.h"

#include <QString>
#include <functional>

class JobThread;
class QLabel;
class QPlainTextEdit;

// The IMPORT page's progress tab as the import run drives it from the job's thread: the status
// line reaches its label once a frame at its latest, every log line in order. A failure that
// ended the run is shown through onFailure while the run waits, so that its box comes before
// anything the run says after it.
class ImportProgressTab : public CreationProgress
{
public:
    using FailureHandler = std::function<void(const QString& message)>;

    ImportProgressTab(QLabel* status, QPlainTextEdit* log, JobThread& jobs, FailureHandler onFailure);

    void setStatus(const QString& text) override;
    void setCountStatus(const QString& before, qint64 number, const QString& after) override;
    // A lone carriage return inside a line starts a new line on screen.
    void log(const QString& line) override;
    // The window's thread is free: nothing to process but for tests in lock step.
    void processEvents() override;
    void failed(const QString& message) override;

private:
    enum Key
    {
        Status = 1
    };

    QLabel* m_status;
    QPlainTextEdit* m_log;
    JobThread& m_jobs;
    FailureHandler m_onFailure;
};
