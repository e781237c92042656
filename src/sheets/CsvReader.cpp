#include "CsvReader.h"

#include "RegularFile.h"
#include "platform/TextDecoding.h"

#include <QFile>
#include <algorithm>
#include <charconv>
#include <vector>

namespace {

bool isLineEnd(QChar c)
{
    return c == u'\r' || c == u'\n';
}

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

// A plain decimal's value, read as correctly rounded as any text-to-number conversion.
double decimalValue(QStringView plainDecimal)
{
    char digits[20];
    qsizetype n = 0;
    for (const QChar c : plainDecimal)
        digits[n++] = char(c.unicode());
    double value = 0;
    std::from_chars(digits, digits + n, value);
    return value;
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

    // The values of the next record with their columns, into cells (cleared first). Empty
    // fields cost nothing: a line of separators alone is a record without values.
    void readRecord(std::vector<std::pair<qint64, SpreadsheetCell>>& cells)
    {
        cells.clear();
        for (qint64 column = 1;; ++column) {
            if (!atEnd() && m_text[m_at] == m_separator) {
                ++m_at;
                continue;
            }
            SpreadsheetCell cell = readCell();
            if (!cell.isEmpty())
                cells.emplace_back(column, std::move(cell));
            if (atEnd())
                break;
            if (m_text[m_at] == m_separator) {
                ++m_at;
                continue;
            }
            skipLineEnd();
            break;
        }
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
    SpreadsheetCell readCell()
    {
        QString text;
        const bool quoted = !atEnd() && m_text[m_at] == u'"';
        if (quoted) {
            ++m_at;
            while (!atEnd()) {
                const qsizetype quote = m_text.indexOf(u'"', m_at);
                const qsizetype end = quote < 0 ? m_text.size() : quote;
                text.append(m_text.sliced(m_at, end - m_at));
                m_at = end + 1;
                if (quote < 0 || atEnd() || m_text[m_at] != u'"')
                    break;
                text.append(u'"'); // a doubled quote
                ++m_at;
            }
            m_at = std::min(m_at, m_text.size());
        }
        const qsizetype start = m_at;
        while (!atEnd() && !endsField(m_text[m_at]))
            ++m_at;
        const QStringView rest = m_text.sliced(start, m_at - start);
        if (!quoted && isPlainDecimal(rest))
            return SpreadsheetCell::number(decimalValue(rest));
        text.append(rest);
        return SpreadsheetCell::text(std::move(text));
    }

    QStringView m_text;
    qsizetype m_at = 0;
    QChar m_separator = u';';
};

} // namespace

void CsvReader::open(const QString& path)
{
    close();
    QFile file(path);
    QString error;
    if (!openRegularFile(file, error))
        throw SpreadsheetError(SpreadsheetError::Kind::CannotOpen, QStringLiteral("%1: %2").arg(path, error));
    const QByteArray bytes = file.readAll();
    m_encoding = chooseFileEncoding(bytes, m_legacyCodePage);
    const QString text = decodeText(bytes, m_encoding->encoding);

    DelimitedText input(text);
    if (!input.readSeparatorLine())
        input.detectSeparator();
    SheetGrid grid;
    std::vector<std::pair<qint64, SpreadsheetCell>> cells;
    for (qint64 row = 1; !input.atEnd(); ++row) {
        input.readRecord(cells);
        for (auto& [column, cell] : cells) {
            if (!grid.setCell(row, column, std::move(cell)))
                throw SpreadsheetError(SpreadsheetError::Kind::NoExtent,
                                       QStringLiteral("%1: %2").arg(path, SheetGrid::limitText()));
        }
    }
    m_grid = std::move(grid);
}
