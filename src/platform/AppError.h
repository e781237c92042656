#pragma once

#include <QString>
#include <exception>

// An error that ends the running operation; its message is what the operator sees.
class AppError : public std::exception
{
public:
    explicit AppError(QString message) : m_message(std::move(message)), m_utf8(m_message.toUtf8()) {}

    const QString& message() const { return m_message; }
    const char* what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_message;
    QByteArray m_utf8;
};

// The text of the application's error box: a full stop is appended when the last
// character sorts after "." in character-code order.
QString errorBoxText(const QString& message);

// The message of any error, as the error box and the logs show it.
QString errorMessage(const std::exception& error);
