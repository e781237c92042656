#pragma once

#include <QString>

// What the script runner needs of the database session: one statement at a time.
class StatementExecutor
{
public:
    virtual ~StatementExecutor() = default;

    // Sends one statement and waits for the server's answer; throws AppError when it fails.
    virtual void executeStatement(const QString& sql) = 0;
    // True after a failure when the connection is gone and cannot be opened again.
    virtual bool isConnectionLost() const = 0;
};
