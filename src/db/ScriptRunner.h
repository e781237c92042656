#pragma once

#include "platform/AppError.h"
#include "platform/Job.h"
#include "platform/TextDecoding.h"

#include <QString>
#include <functional>

class StatementExecutor;

// A statement of a script that failed: the server's message, and the statement's first line
// so that the operator can find it in the file.
class StatementFailure : public AppError
{
public:
    StatementFailure(const QString& message, QString firstLine)
        : AppError(message), m_firstLine(std::move(firstLine))
    {
    }
    const QString& firstLine() const { return m_firstLine; }
    // "Statement failed: UPDATE ... : the server's message", for a log.
    QString logLine() const
    {
        return QStringLiteral("Statement failed: ") + m_firstLine + QStringLiteral(" : ") + message();
    }

private:
    QString m_firstLine;
};

// How a run went: statements sent (the failed ones among them) and, after a lost connection,
// the ones never sent; whether a stop ended it; the statements that left warnings, which on a
// server without strict mode means values it cut, clamped or rounded.
struct ScriptRunSummary
{
    static constexpr int WarningsShown = 5;

    qint64 ran = 0;
    qint64 failed = 0;
    qint64 notSent = 0;
    qint64 withWarnings = 0;
    bool stopped = false;
    // The first few warnings: "Warning 1265: Data truncated ... (statement: UPDATE ...)".
    QStringList firstWarnings;

    // "Script run: 12 statements ran, 1 failed." with ", 3 not sent" after a lost connection,
    // ", 2 changed values with warnings" and ", stopped before the rest" after a stop.
    QString text() const;
};

// Runs an SQL script file statement by statement while reading it, with a percentage
// of the file dealt with after each statement. A stop request ends the run before the next
// round trip; the statements that ran stay applied.
class ScriptRunner : public Job
{
public:
    using ProgressHandler = std::function<void(int percent)>;
    using ErrorHandler = std::function<void(const StatementFailure& error)>;

    static constexpr qsizetype DefaultBlockSize = 64 * 1024;

    // blockSize: bytes read from the file at a time.
    explicit ScriptRunner(qsizetype blockSize = DefaultBlockSize) : m_blockSize(blockSize) {}

    // The code page of scripts that are not UTF-8; the locale's until set.
    void setLegacyCodePage(QByteArray codePage) { m_legacyCodePage = std::move(codePage); }

    // Sends the statements as their delimiters are read, the data changes many to a round trip
    // and committed in groups where the executor can (see ScriptSending). A failing statement goes to
    // onStatementError and the run goes on; when the connection is lost for good, the run
    // ends and onStatementError hears once how many statements were not sent. A quote that
    // is never closed is not sent either: onStatementError hears its line and what it held back.
    // onProgress follows each statement sent or failed and each DELIMITER command, with a
    // figure from 0 to 100 that never decreases. Throws AppError when the file cannot be
    // opened or read, and CharacterSetRefused when the connection cannot carry the script.
    // Does nothing while a run is going on.
    ScriptRunSummary restoreFromFile(const QString& fileName, StatementExecutor& executor,
                                     const ProgressHandler& onProgress, const ErrorHandler& onStatementError);

private:
    qsizetype m_blockSize;
    QByteArray m_legacyCodePage = localeLegacyCodePage();
};
