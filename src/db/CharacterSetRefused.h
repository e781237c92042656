#pragma once

#include "platform/AppError.h"

// The server imposes a character set other than UTF-8 on the connection: nothing may be sent
// over it, so whatever meets this ends at once instead of carrying on statement by statement.
class CharacterSetRefused : public AppError
{
public:
    explicit CharacterSetRefused(const QString& characterSet);
};
