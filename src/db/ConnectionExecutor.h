#pragma once

#include "StatementExecutor.h"

class DbConnection;

// Runs a script's statements on the one connection. A closed connection is opened again
// with its stored settings; when that fails the connection counts as lost for good. The
// connection sends one statement per text again once the executor is gone.
class ConnectionExecutor : public StatementExecutor
{
public:
    explicit ConnectionExecutor(DbConnection& connection) : m_connection(connection) {}
    ~ConnectionExecutor() override;
    ConnectionExecutor(const ConnectionExecutor&) = delete;
    ConnectionExecutor& operator=(const ConnectionExecutor&) = delete;

    int executeStatement(const QString& sql) override;
    QStringList lastWarnings() override;
    // The server's max_allowed_packet less the command byte, asked for once.
    qint64 largestStatement() override;
    bool isConnectionLost() const override { return m_lost; }
    bool sendsBatches() const override { return true; }
    BatchOutcome executeBatch(const QStringList& statements) override;
    void endBatches() override;
    bool inTransaction() override;
    bool strictMode() override;

private:
    void reopen();
    // Runs send, opening the connection first when it is closed; after a lost connection it is
    // opened again for what follows, and the error passed on.
    template <typename Send> auto onConnection(const Send& send);

    DbConnection& m_connection;
    bool m_lost = false;
    qint64 m_largestStatement = -1;
};
