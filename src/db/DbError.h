#pragma once

#include "platform/AppError.h"

// An error reported by the MySQL client or server, with its number and SQLSTATE kept together.
class DbError : public AppError
{
public:
    DbError(unsigned int number, QString sqlState, const QString& message)
        : AppError(message), m_number(number), m_sqlState(std::move(sqlState))
    {
    }

    unsigned int number() const { return m_number; }
    const QString& sqlState() const { return m_sqlState; }
    // The connection itself is gone (as opposed to a statement that failed).
    bool isConnectionLost() const;

private:
    unsigned int m_number;
    QString m_sqlState;
};

// The name of an error's type, as the connection test writes it into its log.
QString errorTypeName(const std::exception& error);
