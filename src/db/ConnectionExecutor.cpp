#include "ConnectionExecutor.h"

#include "DbConnection.h"
#include "DbError.h"
#include "ServerWarnings.h"

#include <algorithm>

void ConnectionExecutor::reopen()
{
    try {
        m_connection.open();
    } catch (...) {
        m_lost = true;
        throw;
    }
}

ConnectionExecutor::~ConnectionExecutor()
{
    try {
        m_connection.endBatches();
    } catch (const AppError&) {
        // A connection that cannot take the switch is lost; a new one starts without batches.
    }
}

template <typename Send> auto ConnectionExecutor::onConnection(const Send& send)
{
    if (!m_connection.connected())
        reopen();
    try {
        return send();
    } catch (const DbError& error) {
        if (error.isConnectionLost()) {
            try {
                reopen();
            } catch (...) {
            }
        }
        throw;
    }
}

int ConnectionExecutor::executeStatement(const QString& sql)
{
    return onConnection([&] {
        m_connection.execute(sql);
        return m_connection.warningCount();
    });
}

BatchOutcome ConnectionExecutor::executeBatch(const QStringList& statements)
{
    return onConnection([&] { return m_connection.executeBatch(statements); });
}

void ConnectionExecutor::endBatches()
{
    onConnection([&] { m_connection.endBatches(); });
}

bool ConnectionExecutor::inTransaction()
{
    try {
        MysqlResult result = m_connection.query(QStringLiteral("SELECT @@in_transaction"));
        return result.first() && result.integer(0) != 0;
    } catch (const AppError&) {
        return false; // a connection that cannot answer holds no transaction of ours any more
    }
}

bool ConnectionExecutor::strictMode()
{
    try {
        MysqlResult result = m_connection.query(QStringLiteral("SELECT @@SESSION.sql_mode"));
        return result.first() && result.rawText(0).contains(QStringLiteral("STRICT_"));
    } catch (const AppError&) {
        return false;
    }
}

QStringList ConnectionExecutor::lastWarnings()
{
    MysqlResult result = m_connection.query(QStringLiteral("SHOW WARNINGS"));
    return serverWarningLines(result);
}

qint64 ConnectionExecutor::largestStatement()
{
    if (m_largestStatement < 0) {
        m_largestStatement = 0;
        try {
            MysqlResult result = m_connection.query(QStringLiteral("SELECT @@max_allowed_packet"));
            if (result.first())
                m_largestStatement = std::max<qint64>(0, result.rawText(0).toLongLong() - 1);
        } catch (const AppError&) {
            // Unknown: the statement is sent, and the server says what it says.
        }
    }
    return m_largestStatement;
}
