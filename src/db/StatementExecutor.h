#pragma once

#include <QString>
#include <QStringList>

// What the script runner needs of the database session: one statement at a time.
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
};
