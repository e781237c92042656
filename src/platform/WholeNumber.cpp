#include "WholeNumber.h"

std::optional<int> parseWholeNumber(const QString& text)
{
    QString s = text;
    qsizetype i = 0;
    while (i < s.size() && s[i] == u' ')
        ++i;
    s = s.mid(i);
    bool negative = false;
    if (!s.isEmpty() && (s[0] == u'+' || s[0] == u'-')) {
        negative = s[0] == u'-';
        s = s.mid(1);
    }
    int base = 10;
    if (s.startsWith(u'$') || s.startsWith(u'x') || s.startsWith(u'X')) {
        base = 16;
        s = s.mid(1);
    } else if (s.startsWith(QStringLiteral("0x"), Qt::CaseInsensitive)) {
        base = 16;
        s = s.mid(2);
    }
    if (s.isEmpty())
        return std::nullopt;
    qint64 value = 0;
    for (const QChar c : s) {
        const int digit = c.isDigit() && c.unicode() < 128 ? c.unicode() - '0'
                          : base == 16 && c.toLower() >= u'a' && c.toLower() <= u'f'
                              ? c.toLower().unicode() - 'a' + 10
                              : -1;
        if (digit < 0 || digit >= base)
            return std::nullopt;
        value = value * base + digit;
        if (value > (base == 16 ? 0xFFFFFFFFLL : 0x80000000LL))
            return std::nullopt;
    }
    if (base == 10 && !negative && value > 0x7FFFFFFFLL)
        return std::nullopt;
    return int(negative ? -value : value);
}

std::optional<int> parseDecimalWholeNumber(const QString& text)
{
    const QString s = text.trimmed();
    qsizetype i = 0;
    if (!s.isEmpty() && (s[0] == u'+' || s[0] == u'-'))
        i = 1;
    if (i == s.size())
        return std::nullopt;
    for (qsizetype k = i; k < s.size(); ++k)
        if (s[k] < u'0' || s[k] > u'9')
            return std::nullopt;
    bool ok = false;
    const int value = s.toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}
