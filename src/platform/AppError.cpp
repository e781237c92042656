#include "AppError.h"

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
    return QString::fromUtf8(error.what());
}
