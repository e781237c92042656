#pragma once

#include "import/CreationProgress.h"

#include <QStringList>

// The progress of a script creation as its log lines and failures, for tests to compare.
class RecordedProgress : public CreationProgress
{
public:
    QStringList lines;

    void setStatus(const QString&) override {}
    void setCountStatus(const QString&, qint64, const QString&) override {}
    void log(const QString& line) override { lines.append(line); }
    void processEvents() override {}
    void failed(const QString& message) override { lines.append(QStringLiteral("failed: ") + message); }
};
