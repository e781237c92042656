#include "ConnectionSecurity.h"

#include <QStringList>

const QStringList& ConnectionSecurity::encryptionNames()
{
    static const QStringList names = {QStringLiteral("off"), QStringLiteral("required"),
                                      QStringLiteral("required and verify the server")};
    return names;
}
