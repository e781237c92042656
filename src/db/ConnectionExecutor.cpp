#include "ConnectionExecutor.h"

#include "DbConnection.h"
#include "DbError.h"

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
