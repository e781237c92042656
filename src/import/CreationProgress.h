#pragma once

#include <QString>

// The import run's progress as a front end shows it: the IMPORT page's progress tab, or
// standard error on the command line.
class CreationProgress
{
public:
    virtual ~CreationProgress() = default;

    virtual void setStatus(const QString& text) = 0; // the one-line status
    // The status before + number + after. Rows change it by the hundred thousand, so the text
    // is put together only when it is shown.
    virtual void setCountStatus(const QString& before, qint64 number, const QString& after) = 0;
    virtual void log(const QString& line) = 0; // a line of the import log
    // Lets the window process its pending events (repaints, a click on Stop).
    virtual void processEvents() = 0;
    // The run ended by this failure (already in the log). Said at once, before the review of
    // the script and the question after it, so that they cannot pass for the end of a good run.
    virtual void failed(const QString& message) = 0;
};
