#pragma once

#include "import/CreationProgress.h"

// The creation run's log on standard error, a line at a time; the status line, which
// changes with every row, is left out.
class ConsoleCreationProgress : public CreationProgress
{
public:
    void setStatus(const QString&) override {}
    void setCountStatus(const QString&, qint64, const QString&) override {}
    void log(const QString& line) override;
    void processEvents() override {}
    // The failure is in the log already; the exit code tells the rest.
    void failed(const QString&) override {}
};
