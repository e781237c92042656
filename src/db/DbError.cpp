#include "DbError.h"

#include <errmsg.h>

bool DbError::isConnectionLost() const
{
    return m_number == CR_SERVER_GONE_ERROR || m_number == CR_SERVER_LOST ||
           m_number == CR_CONNECTION_ERROR || m_number == CR_CONN_HOST_ERROR ||
           m_number == CR_SERVER_LOST_EXTENDED;
}

QString errorTypeName(const std::exception& error)
{
    if (dynamic_cast<const DbError*>(&error))
        return QStringLiteral("DbError");
    if (dynamic_cast<const AppError*>(&error))
        return QStringLiteral("AppError");
    return QStringLiteral("Error");
}
