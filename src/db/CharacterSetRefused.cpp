#include "CharacterSetRefused.h"

CharacterSetRefused::CharacterSetRefused(const QString& characterSet)
    : AppError(
          QStringLiteral("The database server imposes the character set %1 on this connection; only utf8mb4 "
                         "or utf8 keeps texts intact and their quotes inside their strings, so nothing is "
                         "sent over it. The server must accept the character set its clients ask for")
              .arg(characterSet.isEmpty() ? QStringLiteral("(none)") : characterSet))
{
}
