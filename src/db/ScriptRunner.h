#pragma once

#include "platform/Job.h"
#include "platform/TextDecoding.h"

#include <QString>
#include <functional>

class AppError;
class StatementExecutor;

// Runs an SQL script file statement by statement while reading it, with a percentage
// of the file dealt with after each statement. A stop request ends the run before the next
// statement is sent.
class ScriptRunner : public Job
{
public:
    using ProgressHandler = std::function<void(int percent)>;
    using ErrorHandler = std::function<void(const AppError& error)>;

    static constexpr qsizetype DefaultBlockSize = 64 * 1024;

    // blockSize: bytes read from the file at a time.
    explicit ScriptRunner(qsizetype blockSize = DefaultBlockSize) : m_blockSize(blockSize) {}

    // The code page of scripts that are not UTF-8; the locale's until set.
    void setLegacyCodePage(QByteArray codePage) { m_legacyCodePage = std::move(codePage); }

    // Sends every statement as soon as its delimiter is read. A failing statement goes to
    // onStatementError and the run goes on; when the connection is lost for good, the run
    // ends and onStatementError hears once how many statements were not sent.
    // onProgress follows each statement sent or failed and each DELIMITER command, with a
    // figure from 0 to 100 that never decreases. Throws AppError when the file cannot be
    // opened or read. Does nothing while a run is going on.
    void restoreFromFile(const QString& fileName, StatementExecutor& executor,
                         const ProgressHandler& onProgress, const ErrorHandler& onStatementError);

private:
    qsizetype m_blockSize;
    QByteArray m_legacyCodePage = localeLegacyCodePage();
};
