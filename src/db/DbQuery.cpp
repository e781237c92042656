#include "DbQuery.h"

#include "DbConnection.h"
#include "platform/AppError.h"

DbQuery::DbQuery(QString name, DbConnection& connection) : m_name(std::move(name)), m_connection(connection)
{
}

void DbQuery::close()
{
    m_result = MysqlResult();
    m_active = false;
    m_eof = true;
}

void DbQuery::open()
{
    close();
    if (!m_connection.connected())
        throw AppError(m_name + QStringLiteral(": Connection is not open"));
    m_result = m_connection.query(sql.join(QStringLiteral("\r\n")));
    m_active = true;
    m_eof = !m_result.first();
}

void DbQuery::first()
{
    m_eof = !m_result.first();
}

void DbQuery::next()
{
    if (!m_eof)
        m_eof = !m_result.next();
}

int DbQuery::fieldIndex(const QString& column) const
{
    const int index = m_result.fieldIndex(column);
    if (index < 0)
        throw AppError(m_name + QStringLiteral(": Field '%1' not found").arg(column));
    return index;
}

QString DbQuery::fieldByName(const QString& column) const
{
    return fieldText(fieldIndex(column));
}

QString DbQuery::fieldText(int index) const
{
    return m_result.text(index);
}

int DbQuery::fieldInteger(int index) const
{
    return m_result.integer(index);
}

bool DbQuery::fieldIsNull(int index) const
{
    return m_result.isNull(index);
}
