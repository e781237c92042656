#include "CsvReader.h"

#include "platform/TextDecoding.h"

#include <QFile>

namespace {

struct Field
{
    QString text;
    bool quoted = false;
};

bool isLineEnd(QChar c)
{
    return c == u'\r' || c == u'\n';
}

class DelimitedText
{
public:
    explicit DelimitedText(QStringView text) : m_text(text) {}

    bool atEnd() const { return m_at >= m_text.size(); }

    // A first line "sep=X" names the separator and is no row.
    bool readSeparatorLine()
    {
        if (!m_text.startsWith(u"sep=") || m_text.size() < 5 || isLineEnd(m_text[4]))
            return false;
        if (m_text.size() > 5 && !isLineEnd(m_text[5]))
            return false;
        m_separator = m_text[4];
        m_at = 5;
        skipLineEnd();
        return true;
    }

    void detectSeparator()
    {
        const QChar candidates[] = {u';', u',', u'\t'};
        int counts[3] = {0, 0, 0};
        bool inQuotes = false;
        for (qsizetype i = m_at; i < m_text.size() && (inQuotes || !isLineEnd(m_text[i])); ++i) {
            if (m_text[i] == u'"')
                inQuotes = !inQuotes;
            for (int k = 0; k < 3 && !inQuotes; ++k)
                counts[k] += m_text[i] == candidates[k];
        }
        int best = 0;
        for (int k = 1; k < 3; ++k)
            best = counts[k] > counts[best] ? k : best;
        m_separator = candidates[best];
    }

    QList<Field> readRecord()
    {
        QList<Field> fields;
        while (true) {
            fields.append(readField());
            if (atEnd())
                break;
            if (m_text[m_at] == m_separator) {
                ++m_at;
                continue;
            }
            skipLineEnd();
            break;
        }
        return fields;
    }

private:
    void skipLineEnd()
    {
        if (m_at < m_text.size() && m_text[m_at] == u'\r')
            ++m_at;
        if (m_at < m_text.size() && m_text[m_at] == u'\n')
            ++m_at;
    }

    bool endsField(QChar c) const { return c == m_separator || isLineEnd(c); }

    // Text after a closing quote up to the separator belongs to the cell, as in spreadsheet programs.
    Field readField()
    {
        Field field;
        if (!atEnd() && m_text[m_at] == u'"') {
            field.quoted = true;
            ++m_at;
            while (!atEnd()) {
                const QChar c = m_text[m_at++];
                if (c != u'"') {
                    field.text.append(c);
                } else if (!atEnd() && m_text[m_at] == u'"') {
                    field.text.append(c);
                    ++m_at;
                } else {
                    break;
                }
            }
        }
        const qsizetype start = m_at;
        while (!atEnd() && !endsField(m_text[m_at]))
            ++m_at;
        field.text.append(m_text.sliced(start, m_at - start));
        return field;
    }

    QStringView m_text;
    qsizetype m_at = 0;
    QChar m_separator = u';';
};

// Only an unquoted plain decimal of at most 15 digits becomes a number: "00123", "'123",
// "1e5", "+5", "1,5" and longer digit runs stay text as written, so codes never change.
bool isPlainDecimal(QStringView text)
{
    qsizetype i = text.startsWith(u'-') ? 1 : 0;
    const qsizetype integerStart = i;
    while (i < text.size() && text[i].isDigit() && text[i].unicode() < 128)
        ++i;
    const qsizetype integerDigits = i - integerStart;
    if (integerDigits == 0 || (integerDigits > 1 && text[integerStart] == u'0'))
        return false;
    qsizetype fractionDigits = 0;
    if (i < text.size() && text[i] == u'.') {
        ++i;
        while (i < text.size() && text[i].isDigit() && text[i].unicode() < 128) {
            ++i;
            ++fractionDigits;
        }
        if (fractionDigits == 0)
            return false;
    }
    return i == text.size() && integerDigits + fractionDigits <= 15;
}

SpreadsheetCell toCell(const Field& field)
{
    if (!field.quoted && isPlainDecimal(field.text))
        return SpreadsheetCell::number(field.text.toDouble());
    return SpreadsheetCell::text(field.text);
}

} // namespace

void CsvReader::open(const QString& path)
{
    close();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw SpreadsheetError(SpreadsheetError::Kind::CannotOpen,
                               QStringLiteral("%1: %2").arg(path, file.errorString()));
    const QString text = decodeText(file.readAll());

    DelimitedText input(text);
    if (!input.readSeparatorLine())
        input.detectSeparator();
    SheetGrid grid;
    for (qint64 row = 1; !input.atEnd(); ++row) {
        const QList<Field> fields = input.readRecord();
        for (qsizetype column = 0; column < fields.size(); ++column) {
            if (!grid.setCell(row, column + 1, toCell(fields[column])))
                throw SpreadsheetError(SpreadsheetError::Kind::NoExtent,
                                       QStringLiteral("%1: %2").arg(path, SheetGrid::limitText()));
        }
    }
    m_grid = std::move(grid);
}
