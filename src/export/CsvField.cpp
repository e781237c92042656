#include "CsvField.h"

#include "CsvSettings.h"

namespace CsvField {

QString plain(const QString& text)
{
    return text;
}

QString quoted(const QString& text)
{
    return u'"' + QString(text).replace(u'"', QStringLiteral("\"\"")) + u'"';
}

QString quotedVerbatim(const QString& text)
{
    return u'"' + text + u'"';
}

QString tradeNumber(const QString& text)
{
    return QStringLiteral("\"'") + text + u'"';
}

QString decimal(const QString& text, const CsvSettings& settings)
{
    QString number = text;
    if (settings.decimalSeparator == QLatin1String("."))
        number.replace(u',', u'.');
    else
        number.replace(u'.', settings.decimalSeparator);
    if (settings.decimalSeparator == settings.separator)
        return quotedVerbatim(number);
    return number;
}

} // namespace CsvField
