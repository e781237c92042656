#pragma once

#include "StatementExecutor.h"

class DbConnection;

// Runs a script's statements on the one connection. A closed connection is opened again
// with its stored settings; when that fails the connection counts as lost for good.
class ConnectionExecutor : public StatementExecutor
{
public:
    explicit ConnectionExecutor(DbConnection& connection) : m_connection(connection) {}

    int executeStatement(const QString& sql) override;
    QStringList lastWarnings() override;
    // The server's max_allowed_packet less the command byte, asked for once.
    qint64 largestStatement() override;
    bool isConnectionLost() const override { return m_lost; }

private:
    void reopen();

    DbConnection& m_connection;
    bool m_lost = false;
    qint64 m_largestStatement = -1;
};
