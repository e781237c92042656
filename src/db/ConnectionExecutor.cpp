#include "ConnectionExecutor.h"

#include "DbConnection.h"
#include "DbError.h"

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

int ConnectionExecutor::executeStatement(const QString& sql)
{
    if (!m_connection.connected())
        reopen();
    try {
        m_connection.execute(sql);
        return m_connection.warningCount();
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

QStringList ConnectionExecutor::lastWarnings()
{
    QStringList warnings;
    MysqlResult result = m_connection.query(QStringLiteral("SHOW WARNINGS"));
    for (bool row = result.first(); row; row = result.next())
        warnings << result.rawText(0) + u' ' + result.rawText(1) + QStringLiteral(": ") + result.rawText(2);
    return warnings;
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
