#include "EscapeSqlText.h"

QString escapeSqlText(const QString& text)
{
    // Backslashes first, so the ones added below are not doubled.
    QString s = text;
    s.replace(u'\\', QStringLiteral("\\\\"));
    s.replace(u'\'', QStringLiteral("\\'"));
    s.replace(u'"', QStringLiteral("\\\""));
    s.replace(QChar(0), QStringLiteral("\\0"));
    s.replace(u'\n', QStringLiteral("\\n"));
    s.replace(u'\r', QStringLiteral("\\r"));
    s.replace(QChar(26), QStringLiteral("\\Z"));
    return s;
}
