#include "CsvReader.h"

#include "SheetGrid.h"
#include "platform/RegularFile.h"
#include "platform/TextDecoding.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
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

// The text of a file, decoded piece by piece.
class DecodedFile
{
public:
    DecodedFile(const QString& path, const TextEncoding& encoding)
        : m_path(path), m_file(path), m_decoder(encoding.name.constData())
    {
        QString error;
        if (!openRegularFile(m_file, error))
            failReading(SpreadsheetError::Kind::CannotOpen, path, error);
        if (!m_decoder.isValid())
            m_decoder = QStringDecoder(QStringConverter::Latin1);
        m_file.skip(encoding.bomLength);
    }

    const QString& path() const { return m_path; }

    // Appends the text of up to bytes more bytes; false, appending nothing, at the end of the file.
    bool appendTo(QString& text, qsizetype bytes)
    {
        // No more than the file holds: a small file takes a small piece.
        bytes = qsizetype(qBound<qint64>(1, m_file.size() - m_file.pos(), bytes));
        m_piece.resize(bytes);
        const qint64 n = m_file.read(m_piece.data(), bytes);
        if (n < 0)
            failReading(SpreadsheetError::Kind::CannotOpen, m_path, m_file.errorString());
        if (n == 0)
            return false;
        text += m_decoder.decode(QByteArrayView(m_piece).first(n));
        return true;
    }

private:
    QString m_path;
    QFile m_file;
    QStringDecoder m_decoder;
    QByteArray m_piece;
};

// What a field's text is needed for: the cell's value, or only whether it has one.
struct FieldText
{
    QString text;
    void append(QStringView part) { text.append(part); }
    void append(QChar c) { text.append(c); }
};

struct FieldPresence
{
    bool any = false;
    void append(QStringView part) { any = any || !part.isEmpty(); }
    void append(QChar) { any = true; }
};

// The records of delimited text, read from pieces of it held one after another: a record
// that a piece cuts off is read again once the next piece has come.
class DelimitedText
{
public:
    explicit DelimitedText(DecodedFile& file) : m_file(file) {}

    // Takes the separator from the first line: a first line "sep=X" names it and is no row.
    void start()
    {
        while (!holdsFirstLine() && more()) {
        }
        if (!readSeparatorLine())
            detectSeparator();
    }

    // Reads the next record through fields (see RecordValues); false at the end of the text.
    template <typename Fields> bool readRecord(Fields& fields)
    {
        while (true) {
            if (m_at == m_text.size() && !more())
                return false;
            const qsizetype recordStart = m_at;
            fields.clear();
            if (parseRecord(fields))
                return true;
            m_at = recordStart;
            more();
        }
    }

    // The value of the field at the reading position, which goes on to its end.
    SpreadsheetCell readCell()
    {
        FieldText field;
        qsizetype restStart = 0;
        const bool quoted = readField(field, restStart);
        const QStringView rest = QStringView(m_text).sliced(restStart, m_at - restStart);
        if (!quoted && isPlainDecimal(rest))
            return SpreadsheetCell::number(decimalValue(rest));
        field.append(rest);
        return SpreadsheetCell::text(std::move(field.text));
    }

    // Whether readCell() would give a value, without making it.
    bool skipCell()
    {
        FieldPresence field;
        qsizetype restStart = 0;
        readField(field, restStart);
        return field.any || m_at > restStart;
    }

private:
    // Drops the records read and appends the next piece, larger the longer the record that
    // waits for it; false at the end of the text. A record is read again whole as each piece
    // comes, so one beyond any price list's is refused rather than read for minutes.
    bool more()
    {
        m_text.remove(0, m_at);
        m_at = 0;
        if (m_text.size() > CsvReader::LongestRecord)
            failReading(
                SpreadsheetError::Kind::NoExtent, m_file.path(),
                QStringLiteral("a line (or a quoted cell) is longer than %1 characters: no price list "
                               "holds one")
                    .arg(CsvReader::LongestRecord));
        // The piece doubles what is held, but never by far beyond the longest record.
        constexpr qsizetype smallestPiece = 256 * 1024;
        const qsizetype piece =
            std::max(smallestPiece, std::min(m_text.size(), CsvReader::LongestRecord + 1 - m_text.size()));
        if (!m_ended)
            m_ended = !m_file.appendTo(m_text, piece);
        return !m_ended;
    }

    // Whether the first line lies whole in what was read, with what follows its end.
    bool holdsFirstLine() const
    {
        bool inQuotes = false;
        for (qsizetype i = 0; i < m_text.size(); ++i) {
            if (m_text[i] == u'"')
                inQuotes = !inQuotes;
            else if (!inQuotes && isLineEnd(m_text[i]))
                return i + 1 < m_text.size();
        }
        return m_ended;
    }

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

    // False when the piece ends before the record does and more text follows. Empty fields
    // cost nothing: a line of separators alone is a record without values.
    template <typename Fields> bool parseRecord(Fields& fields)
    {
        for (qint64 column = 1;; ++column) {
            if (m_at < m_text.size() && m_text[m_at] == m_separator) {
                ++m_at;
                continue;
            }
            fields.read(*this, column);
            if (m_at >= m_text.size())
                return m_ended;
            if (m_text[m_at] == m_separator) {
                ++m_at;
                continue;
            }
            skipLineEnd();
            // A CR at the end of a piece may be followed by the LF of the same line end.
            return m_at < m_text.size() || m_ended;
        }
    }

    void skipLineEnd()
    {
        if (m_at < m_text.size() && m_text[m_at] == u'\r')
            ++m_at;
        if (m_at < m_text.size() && m_text[m_at] == u'\n')
            ++m_at;
    }

    bool endsField(QChar c) const { return c == m_separator || isLineEnd(c); }

    // Reads a field up to the separator or line end: a quoted part into field, the rest
    // (from restStart on) left in the text. Text after a closing quote up to the separator
    // belongs to the cell, as in spreadsheet programs. True when the field is quoted.
    template <typename Field> bool readField(Field& field, qsizetype& restStart)
    {
        const bool quoted = m_at < m_text.size() && m_text[m_at] == u'"';
        if (quoted) {
            ++m_at;
            while (m_at < m_text.size()) {
                const qsizetype quote = m_text.indexOf(u'"', m_at);
                const qsizetype end = quote < 0 ? m_text.size() : quote;
                field.append(QStringView(m_text).sliced(m_at, end - m_at));
                m_at = end + 1;
                if (quote < 0 || m_at >= m_text.size() || m_text[m_at] != u'"')
                    break;
                field.append(u'"'); // a doubled quote
                ++m_at;
            }
            m_at = std::min(m_at, m_text.size());
        }
        restStart = m_at;
        while (m_at < m_text.size() && !endsField(m_text[m_at]))
            ++m_at;
        return quoted;
    }

    DecodedFile& m_file;
    QString m_text;
    qsizetype m_at = 0;
    bool m_ended = false;
    QChar m_separator = u';';
};

// The values of a record with their columns.
struct RecordValues
{
    std::vector<std::pair<qint64, SpreadsheetCell>> cells;

    void clear() { cells.clear(); }
    void read(DelimitedText& text, qint64 column)
    {
        SpreadsheetCell cell = text.readCell();
        if (!cell.isEmpty())
            cells.emplace_back(column, std::move(cell));
    }
};

// The last column of a record that holds a value; 0 for none.
struct RecordWidth
{
    qint64 lastColumn = 0;

    void clear() { lastColumn = 0; }
    void read(DelimitedText& text, qint64 column)
    {
        if (text.skipCell())
            lastColumn = column;
    }
};

// The size and time of the last change of a file.
std::pair<qint64, QDateTime> fileStamp(const QString& path)
{
    const QFileInfo info(path);
    return {info.size(), info.lastModified()};
}

class CsvRows : public SheetRows
{
public:
    // stamp: the file's when it was opened.
    CsvRows(const QString& path, const TextEncoding& encoding, SheetExtent extent,
            std::pair<qint64, QDateTime> stamp)
        : m_path(path), m_stamp(std::move(stamp)), m_file(path, encoding), m_text(m_file), m_extent(extent)
    {
        checkUnchanged();
        m_text.start();
    }

    bool next(QList<SpreadsheetCell>& cells) override
    {
        if (m_row == m_extent.rows) {
            checkUnchanged();
            return false;
        }
        ++m_row;
        cells.clear();
        if (!m_text.readRecord(m_record))
            return true;
        // Only a file changed since it was opened reaches beyond its extent.
        qint64 width = 0;
        for (const auto& value : m_record.cells)
            width = value.first <= m_extent.columns ? value.first : width;
        cells.resize(width);
        for (auto& [column, cell] : m_record.cells)
            if (column <= width)
                cells[column - 1] = std::move(cell);
        return true;
    }

private:
    void checkUnchanged() const
    {
        if (fileStamp(m_path) != m_stamp)
            failReading(SpreadsheetError::Kind::NoExtent, m_path, fileChangedReason());
    }

    QString m_path;
    std::pair<qint64, QDateTime> m_stamp;
    DecodedFile m_file;
    DelimitedText m_text;
    SheetExtent m_extent;
    int m_row = 0;
    RecordValues m_record;
};

} // namespace

void CsvReader::open(const QString& path)
{
    close();
    QFile file(path);
    QString error;
    if (!openRegularFile(file, error))
        failReading(SpreadsheetError::Kind::CannotOpen, path, error);
    const auto stamp = fileStamp(path);
    const FileEncoding encoding = chooseFileEncoding(
        readingOf(file, [&] { failReading(SpreadsheetError::Kind::CannotOpen, path, file.errorString()); }),
        m_legacyCodePage);
    file.close();

    DecodedFile decoded(path, encoding.encoding);
    DelimitedText text(decoded);
    text.start();
    SheetExtent extent;
    RecordWidth record;
    for (qint64 row = 1; text.readRecord(record); ++row) {
        if (record.lastColumn == 0)
            continue;
        if (row > SheetGrid::maxRows || record.lastColumn > SheetGrid::maxColumns)
            failReading(SpreadsheetError::Kind::NoExtent, path, SheetGrid::limitText());
        extent.rows = int(row);
        extent.columns = std::max(extent.columns, int(record.lastColumn));
    }
    m_path = path;
    m_extent = extent;
    m_encoding = encoding;
    m_stamp = stamp;
}

std::unique_ptr<SheetRows> CsvReader::rows() const
{
    if (!m_encoding)
        failReading(SpreadsheetError::Kind::CannotOpen, m_path, QStringLiteral("the file is not open"));
    return std::make_unique<CsvRows>(m_path, m_encoding->encoding, m_extent, m_stamp);
}

void CsvReader::close()
{
    m_path.clear();
    m_extent = {};
    m_encoding.reset();
}
