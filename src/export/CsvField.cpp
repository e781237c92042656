#include "CsvField.h"

#include "CsvSettings.h"

namespace CsvField {

void appendPlain(QByteArray& line, QByteArrayView text)
{
    line.append(text);
}

void appendQuoted(QByteArray& line, QByteArrayView text)
{
    line.append('"');
    for (qsizetype from = 0;;) {
        const qsizetype quote = text.indexOf('"', from);
        if (quote < 0) {
            line.append(text.sliced(from));
            break;
        }
        line.append(text.sliced(from, quote + 1 - from)).append('"');
        from = quote + 1;
    }
    line.append('"');
}

void appendQuotedVerbatim(QByteArray& line, QByteArrayView text)
{
    line.append('"').append(text).append('"');
}

void appendTradeNumber(QByteArray& line, QByteArrayView text)
{
    line.append("\"'").append(text).append('"');
}

void appendDecimal(QByteArray& line, QByteArrayView text, const CsvSettings& settings)
{
    const bool quoted = settings.decimalSeparator == settings.separator;
    const bool point = settings.decimalSeparator == QLatin1String(".");
    if (quoted)
        line.append('"');
    for (const char c : text) {
        if (point && c == ',')
            line.append('.');
        else if (!point && c == '.')
            line.append(settings.decimalSeparator.toUtf8());
        else
            line.append(c);
    }
    if (quoted)
        line.append('"');
}

namespace {

QString asText(void (*append)(QByteArray&, QByteArrayView), const QString& text)
{
    QByteArray line;
    append(line, text.toUtf8());
    return QString::fromUtf8(line);
}

} // namespace

QString quoted(const QString& text)
{
    return asText(appendQuoted, text);
}

QString quotedVerbatim(const QString& text)
{
    return asText(appendQuotedVerbatim, text);
}

} // namespace CsvField
