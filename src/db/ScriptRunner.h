#pragma once

#include <QString>
#include <functional>

class AppError;
class StatementExecutor;

// Runs an SQL script file statement by statement while reading it, with a percentage
// of the file dealt with after each statement.
class ScriptRunner
{
public:
    using ProgressHandler = std::function<void(int percent)>;
    using ErrorHandler = std::function<void(const AppError& error)>;

    // blockSize: bytes read from the file at a time.
    explicit ScriptRunner(qsizetype blockSize = 64 * 1024) : m_blockSize(blockSize) {}

    // Sends every statement as soon as its delimiter is read. A failing statement goes to
    // onStatementError and the run goes on; when the connection is lost for good, the run
    // ends and onStatementError hears once how many statements were not sent. A quote that
    // is never closed is not sent either: onStatementError hears its line and what it held back.
    // onProgress follows each statement sent or failed and each DELIMITER command, with a
    // figure from 0 to 100 that never decreases. Throws AppError when the file cannot be
    // opened or read, and CharacterSetRefused when the connection cannot carry the script.
    void restoreFromFile(const QString& fileName, StatementExecutor& executor,
                         const ProgressHandler& onProgress, const ErrorHandler& onStatementError) const;

private:
    qsizetype m_blockSize;
};
