#pragma once

#include "BatchOutcome.h"

#include <QString>
#include <QStringList>

// What the script runner needs of the database session: one statement at a time and, where
// the session can, several in one round trip.
class StatementExecutor
{
public:
    virtual ~StatementExecutor() = default;

    // Sends one statement and waits for the server's answer; throws AppError when it fails.
    // Gives the number of warnings the statement left (values cut, clamped or rounded on a
    // server without strict mode).
    virtual int executeStatement(const QString& sql) = 0;
    // The warnings of the statement just sent, "Warning 1265: Data truncated for ...".
    virtual QStringList lastWarnings() = 0;
    // The most bytes of UTF-8 the server takes in one statement; 0 when unknown.
    virtual qint64 largestStatement() = 0;
    // True after a failure when the connection is gone and cannot be opened again.
    virtual bool isConnectionLost() const = 0;

    // Whether executeBatch() may be used; without it the runner sends one statement at a time.
    virtual bool sendsBatches() const { return false; }
    // Sends statements in one round trip; the server stops at the first that fails. Throws
    // AppError only when the connection is lost.
    virtual BatchOutcome executeBatch(const QStringList&) { return {}; }
    // Back to one statement per round trip, for statements that must not be sent together.
    virtual void endBatches() {}
    // Whether a transaction is open: false after the server rolled one back whole.
    virtual bool inTransaction() { return false; }
    // Whether the session's sql_mode turns cut values into errors rather than warnings.
    virtual bool strictMode() { return true; }
};
