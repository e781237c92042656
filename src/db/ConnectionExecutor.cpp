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

void ConnectionExecutor::executeStatement(const QString& sql)
{
    if (!m_connection.connected())
        reopen();
    try {
        m_connection.execute(sql);
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
