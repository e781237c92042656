#include "AppError.h"

#include <new>

QString errorBoxText(const QString& message)
{
    if (!message.isEmpty() && message.back() > QChar(u'.'))
        return message + u'.';
    return message;
}

QString errorMessage(const std::exception& error)
{
    if (const auto* app = dynamic_cast<const AppError*>(&error))
        return app->message();
    // The runtime's own texts ("std::bad_alloc") mean nothing to an operator.
    if (dynamic_cast<const std::bad_alloc*>(&error))
        return QStringLiteral("Not enough memory");
    return QString::fromUtf8(error.what());
}
