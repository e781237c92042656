#include "XlsxReader.h"

#include "OfficePackage.h"
#include "PlainXmlScanner.h"
#include "SerialDate.h"
#include "ZipXmlPart.h"

#include <algorithm>
#include <charconv>
#include <future>
#include <optional>

using namespace Qt::StringLiterals;

namespace {

using Kind = SpreadsheetError::Kind;

[[noreturn]] void fail(Kind kind, const QString& path, const QString& reason)
{
    throw SpreadsheetError(kind, QStringLiteral("%1: %2").arg(path, reason));
}

int hexValue(QChar c)
{
    if (c >= u'0' && c <= u'9')
        return c.unicode() - '0';
    if (c >= u'A' && c <= u'F')
        return c.unicode() - 'A' + 10;
    if (c >= u'a' && c <= u'f')
        return c.unicode() - 'a' + 10;
    return -1;
}

// Excel writes characters that XML cannot carry, such as a carriage return, as "_xHHHH_"
// (and a literal "_x" sequence as "_x005F_x...").
QString decodeEscapes(const QString& text)
{
    if (!text.contains(QStringLiteral("_x")))
        return text;
    QString decoded;
    decoded.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'_' && i + 6 < text.size() && text[i + 1] == u'x' && text[i + 6] == u'_') {
            int code = 0;
            for (qsizetype k = i + 2; k < i + 6 && code >= 0; ++k)
                code = hexValue(text[k]) < 0 ? -1 : code * 16 + hexValue(text[k]);
            if (code >= 0) {
                decoded.append(QChar(char16_t(code)));
                i += 6;
                continue;
            }
        }
        decoded.append(text[i]);
    }
    return decoded;
}

// Reads a shared string item or an inline string (the reader stands on <si> or <is>):
// plain text or rich-text runs; phonetic readings are not part of the text.
QString readStringItem(QXmlStreamReader& xml)
{
    QString text;
    while (xml.readNextStartElement()) {
        if (xml.name() == u"t") {
            text += decodeEscapes(xml.readElementText());
        } else if (xml.name() == u"r") {
            while (xml.readNextStartElement()) {
                if (xml.name() == u"t")
                    text += decodeEscapes(xml.readElementText());
                else
                    xml.skipCurrentElement();
            }
        } else {
            xml.skipCurrentElement();
        }
    }
    return text;
}

struct Workbook
{
    QString firstWorksheet;
    QString sharedStrings;
};

Workbook readWorkbook(const ZipArchive& zip, const QString& path)
{
    const QString workbookPart = OfficePackage::mainPart(zip);
    if (workbookPart.isEmpty())
        fail(Kind::CannotOpen, path, QStringLiteral("not an Office Open XML package"));
    QList<PackageRelationship> relationships;
    QString error;
    if (!OfficePackage::readRelationships(zip, workbookPart, relationships, error))
        fail(Kind::CannotOpen, path, error);

    Workbook workbook;
    for (const PackageRelationship& relationship : relationships) {
        if (OfficePackage::hasType(relationship, u"sharedStrings"))
            workbook.sharedStrings = relationship.target;
    }
    ZipXmlPart part;
    if (!part.open(zip, workbookPart))
        fail(Kind::CannotOpen, path, part.errorString());
    QXmlStreamReader& xml = part.xml();
    if (!xml.readNextStartElement() || xml.name() != u"workbook")
        fail(Kind::CannotOpen, path,
             part.errorString().isEmpty() ? QStringLiteral("not a workbook") : part.errorString());
    // Chart sheets and macro sheets are listed among the sheets but are no worksheets.
    while (!xml.atEnd() && workbook.firstWorksheet.isEmpty()) {
        xml.readNext();
        if (!xml.isStartElement() || xml.name() != u"sheet")
            continue;
        QString id;
        const QXmlStreamAttributes attributes = xml.attributes();
        for (const QXmlStreamAttribute& attribute : attributes) {
            if (attribute.name() == u"id" && attribute.namespaceUri().endsWith(u"/relationships"))
                id = attribute.value().toString();
        }
        for (const PackageRelationship& relationship : relationships) {
            if (relationship.id == id && OfficePackage::hasType(relationship, u"worksheet"))
                workbook.firstWorksheet = relationship.target;
        }
    }
    if (!part.errorString().isEmpty())
        fail(Kind::CannotOpen, path, part.errorString());
    if (workbook.firstWorksheet.isEmpty())
        fail(Kind::NoFirstSheet, path, QStringLiteral("the workbook holds no worksheet"));
    return workbook;
}

QStringList readSharedStrings(const ZipArchive& zip, const QString& partName, const QString& path)
{
    QStringList strings;
    if (partName.isEmpty())
        return strings;
    ZipXmlPart part;
    if (!part.open(zip, partName))
        fail(Kind::CannotOpen, path, part.errorString());
    QXmlStreamReader& xml = part.xml();
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == u"si")
            strings.append(readStringItem(xml));
    }
    if (!part.errorString().isEmpty())
        fail(Kind::CannotOpen, path, part.errorString());
    return strings;
}

// "BC12" gives column 55 and row 12; either may be left out.
bool parseCellReference(QStringView reference, qint64& column, qint64& row)
{
    qsizetype i = 0;
    qint64 letters = 0;
    while (i < reference.size() && reference[i] >= u'A' && reference[i] <= u'Z' &&
           letters <= SheetGrid::maxColumns)
        letters = letters * 26 + (reference[i++].unicode() - 'A' + 1);
    if (i == 0 || i == reference.size())
        return false;
    bool ok = false;
    row = reference.mid(i).toLongLong(&ok);
    column = letters;
    return ok;
}

// A cell's value by its type attribute; nothing when the value does not fit the type.
std::optional<SpreadsheetCell> cellOfType(const QString& type, const QString& value, const QString& inlineText,
                                          const QStringList& sharedStrings)
{
    if (type == u"inlineStr")
        return SpreadsheetCell::text(inlineText);
    if (value.isEmpty())
        return SpreadsheetCell();
    if (type == u"s") {
        bool ok = false;
        const qsizetype index = value.toLongLong(&ok);
        if (ok && index >= 0 && index < sharedStrings.size())
            return SpreadsheetCell::text(sharedStrings[index]);
    } else if (type == u"str") {
        return SpreadsheetCell::text(decodeEscapes(value));
    } else if (type == u"b") {
        if (value == u"1" || value == u"true")
            return SpreadsheetCell::boolean(true);
        if (value == u"0" || value == u"false")
            return SpreadsheetCell::boolean(false);
    } else if (type == u"e") {
        return SpreadsheetCell::error(value);
    } else if (type == u"d") {
        if (const auto serial = serialFromIsoDateTime(value))
            return SpreadsheetCell::number(*serial);
    } else if (type.isEmpty() || type == u"n") {
        bool ok = false;
        const double number = value.toDouble(&ok);
        if (ok && qIsFinite(number))
            return SpreadsheetCell::number(number);
    }
    return std::nullopt;
}

class SheetParser
{
public:
    SheetParser(QXmlStreamReader& xml, const QStringList& sharedStrings, SheetGrid& grid)
        : m_xml(xml), m_sharedStrings(sharedStrings), m_grid(grid)
    {
    }

    void parse()
    {
        bool inSheetData = false;
        while (!m_xml.atEnd()) {
            m_xml.readNext();
            if (m_xml.isEndElement() && m_xml.name() == u"sheetData")
                return;
            if (!m_xml.isStartElement())
                continue;
            if (m_xml.name() == u"sheetData")
                inSheetData = true;
            else if (inSheetData && m_xml.name() == u"row")
                startRow();
            else if (inSheetData && m_xml.name() == u"c")
                readCell();
        }
    }

private:
    void startRow()
    {
        const QString number = m_xml.attributes().value("r"_L1).toString();
        // A row beyond the sheet is alike wherever it lies; its values are refused by the grid.
        m_row = std::min(number.isEmpty() ? m_row + 1 : number.toLongLong(), SheetGrid::maxRows + 1);
        m_column = 0;
        if (m_row < 1)
            m_xml.raiseError(QStringLiteral("row number \"%1\"").arg(number));
    }

    void readCell()
    {
        const QXmlStreamAttributes attributes = m_xml.attributes();
        const QString type = attributes.value("t"_L1).toString();
        const QStringView reference = attributes.value("r"_L1);
        qint64 row = m_row;
        if (reference.isEmpty()) {
            ++m_column;
        } else if (!parseCellReference(reference, m_column, row) || row != m_row) {
            m_xml.raiseError(QStringLiteral("cell reference \"%1\" in row %2").arg(reference).arg(m_row));
            return;
        }
        QString value;
        QString inlineText;
        while (m_xml.readNextStartElement()) {
            if (m_xml.name() == u"v")
                value = m_xml.readElementText();
            else if (m_xml.name() == u"is")
                inlineText = readStringItem(m_xml);
            else
                m_xml.skipCurrentElement();
        }
        if (m_xml.hasError())
            return;
        const std::optional<SpreadsheetCell> cell = cellOfType(type, value, inlineText, m_sharedStrings);
        if (!cell)
            m_xml.raiseError(QStringLiteral("cell %1 of row %2 holds \"%3\" as type \"%4\"")
                                 .arg(m_column)
                                 .arg(m_row)
                                 .arg(value, type));
        else if (!m_grid.setCell(m_row, m_column, *cell))
            m_xml.raiseError(SheetGrid::limitText());
    }

    QXmlStreamReader& m_xml;
    const QStringList& m_sharedStrings;
    SheetGrid& m_grid;
    qint64 m_row = 0;
    qint64 m_column = 0;
};

// The quick way through the two big parts: read whole, scanned by PlainXmlScanner. It gives
// up whenever the part is not as plain as spreadsheet programs write it or anything is amiss;
// the part is then read again the full way, which meets the same values or the same error.
using Token = PlainXmlScanner::Token;

// A larger part goes the full way, which holds only the values in memory.
constexpr qsizetype largestWholePart = qsizetype(256) << 20;

// The part as far as the first occurrence of end (included), or to its end when end is empty
// or missing. The memory grows with what is inflated: the size the archive declares is no
// measure, and what follows the end is never inflated.
std::optional<QByteArray> wholePart(const ZipArchive& zip, const QString& name, QByteArrayView end = {})
{
    const std::unique_ptr<ZipEntryDevice> device = zip.entry(name);
    if (!device || !device->open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray bytes;
    qsizetype got = 0;
    while (true) {
        if (got == bytes.size()) {
            if (bytes.size() >= largestWholePart)
                return std::nullopt;
            bytes.resize(std::max<qsizetype>(qsizetype(64) << 10, 2 * bytes.size()));
        }
        const qint64 n = device->read(bytes.data() + got, bytes.size() - got);
        if (n < 0)
            return std::nullopt;
        if (n == 0) {
            bytes.truncate(got);
            return bytes;
        }
        const qsizetype from = std::max<qsizetype>(0, got - end.size() + 1);
        got += qsizetype(n);
        const qsizetype found = end.isEmpty() ? -1 : QByteArrayView(bytes).first(got).indexOf(end, from);
        if (found >= 0) {
            bytes.truncate(found + end.size());
            return bytes;
        }
    }
}

// Skips the rest of the element whose start was just read.
bool skipElement(PlainXmlScanner& xml)
{
    for (int depth = 1; depth > 0;) {
        switch (xml.next()) {
        case Token::StartElement:
            ++depth;
            break;
        case Token::EndElement:
            --depth;
            break;
        case Token::Text:
            break;
        default:
            return false;
        }
    }
    return true;
}

// The text of the element whose start was just read, in UTF-8; false where the full
// parser finds an error (an element inside).
bool elementText(PlainXmlScanner& xml, QByteArray& text)
{
    text.truncate(0); // keeps the buffer
    while (true) {
        switch (xml.next()) {
        case Token::Text:
            xml.appendText(text);
            break;
        case Token::EndElement:
            return true;
        default:
            return false;
        }
    }
}

// Calls onChild on every child element of the element whose start was just read, up to its
// end; the text between them does not count. False when the scanner gave up or onChild failed.
template <typename OnChild>
bool forEachChild(PlainXmlScanner& xml, const OnChild& onChild)
{
    while (true) {
        const Token token = xml.next();
        if (token == Token::EndElement)
            return true;
        if (token != Token::Text && (token != Token::StartElement || !onChild()))
            return false;
    }
}

// As readStringItem.
std::optional<QString> scanStringItem(PlainXmlScanner& xml)
{
    QString text;
    QByteArray run;
    const auto addRun = [&] {
        if (!elementText(xml, run))
            return false;
        text += decodeEscapes(QString::fromUtf8(run));
        return true;
    };
    const bool read = forEachChild(xml, [&] {
        if (xml.isNamed("t"))
            return addRun();
        if (xml.isNamed("r"))
            return forEachChild(xml, [&] { return xml.isNamed("t") ? addRun() : skipElement(xml); });
        return skipElement(xml);
    });
    return read ? std::optional<QString>(text) : std::nullopt;
}

std::optional<QStringList> scanSharedStrings(QByteArrayView part)
{
    PlainXmlScanner xml(part);
    QStringList strings;
    while (true) {
        switch (xml.next()) {
        case Token::EndOfDocument:
            return strings;
        case Token::StartElement:
            if (xml.isNamed("si")) {
                std::optional<QString> item = scanStringItem(xml);
                if (!item)
                    return std::nullopt;
                strings.append(std::move(*item));
            }
            break;
        case Token::GiveUp:
            return std::nullopt;
        default:
            break;
        }
    }
}

// Digits only, as the full parser's number conversions surely read them.
std::optional<qint64> plainCount(QByteArrayView text)
{
    if (text.isEmpty() || text.size() > 18)
        return std::nullopt;
    qint64 n = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        n = n * 10 + (c - '0');
    }
    return n;
}

// A number as spreadsheet programs write it: what QString::toDouble reads it as, without a QString.
std::optional<double> plainNumber(QByteArrayView text)
{
    qsizetype i = text.startsWith('-') ? 1 : 0;
    const auto digits = [&] {
        const qsizetype start = i;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9')
            ++i;
        return i > start;
    };
    if (!digits())
        return std::nullopt;
    if (i < text.size() && text[i] == '.' && (++i, !digits()))
        return std::nullopt;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-'))
            ++i;
        if (!digits())
            return std::nullopt;
    }
    double value = 0;
    const auto result = std::from_chars(text.begin(), text.end(), value);
    if (i != text.size() || result.ec != std::errc() || result.ptr != text.end() || !qIsFinite(value))
        return std::nullopt;
    return value;
}

// As SheetParser; false when it gave up. The shared strings are read meanwhile on another
// core, so cells that refer to them are filled in afterwards by resolve(); for that every
// cell must come after the one before it, which is how spreadsheet programs write them.
class SheetScanner
{
public:
    enum class Outcome
    {
        Done,
        GaveUp,
        Paused
    };

    SheetScanner(QByteArrayView part, SheetGrid& grid) : m_xml(part), m_grid(grid) {}

    qsizetype position() const { return m_xml.position(); }

    // Reads on to the end of <sheetData>. Pauses after its start when pauseAtSheetData is
    // set, and at pauseAt when a row of it starts there.
    Outcome scan(bool pauseAtSheetData = false, qsizetype pauseAt = -1)
    {
        while (true) {
            if (m_inSheetData && m_xml.position() == pauseAt && m_xml.depth() == m_sheetDataDepth)
                return Outcome::Paused;
            const Token token = m_xml.next();
            if (token == Token::EndOfDocument)
                return Outcome::Done;
            if (token == Token::GiveUp)
                return Outcome::GaveUp;
            if (token == Token::EndElement && m_xml.isNamed("sheetData"))
                return Outcome::Done;
            if (token != Token::StartElement)
                continue;
            if (m_xml.isNamed("sheetData")) {
                m_inSheetData = true;
                m_sheetDataDepth = m_xml.depth();
                if (pauseAtSheetData)
                    return Outcome::Paused;
            } else if (m_inSheetData && m_xml.isNamed("row") && !startRow()) {
                return Outcome::GaveUp;
            } else if (m_inSheetData && m_xml.isNamed("c") && !readCell()) {
                return Outcome::GaveUp;
            }
        }
    }

    // A scanner for the rows from the offset at on, into grid, as this one would read them
    // there; made while this one is paused at the start of <sheetData>.
    std::optional<SheetScanner> rowsFrom(qsizetype at, SheetGrid& grid) const
    {
        SheetScanner below(m_xml, grid);
        if (!below.m_xml.continueAt(at))
            return std::nullopt;
        below.m_inSheetData = true;
        below.m_sheetDataDepth = m_sheetDataDepth;
        return below;
    }

    enum class Appending
    {
        Appended,
        NotFollowing,
        TooManyValues
    };

    // Takes over what a scanner made by rowsFrom() has read to the end, when its rows follow
    // on from the ones read here as they would have been read by this scanner alone.
    Appending append(SheetScanner&& below)
    {
        if (below.m_cellSeen && (below.m_firstCellRow <= m_lastRow || (!below.m_firstRowNumbered && m_row != 0)))
            return Appending::NotFollowing;
        if (!m_grid.appendRows(std::move(below.m_grid)))
            return Appending::TooManyValues;
        m_sharedCells.insert(m_sharedCells.end(), below.m_sharedCells.begin(), below.m_sharedCells.end());
        return Appending::Appended;
    }

    // Fills in the cells that refer to the shared strings.
    bool resolve(const QStringList& sharedStrings)
    {
        for (const SharedCell& c : m_sharedCells) {
            if (c.index >= sharedStrings.size() ||
                !m_grid.setCell(c.row, c.column, SpreadsheetCell::text(sharedStrings[c.index])))
                return false;
        }
        return true;
    }

private:
    SheetScanner(const PlainXmlScanner& xml, SheetGrid& grid) : m_xml(xml), m_grid(grid) {}

    static bool plainAttribute(QByteArrayView value)
    {
        return std::none_of(value.begin(), value.end(),
                            [](char c) { return c == '&' || c == '\t' || c == '\n' || c == '\r'; });
    }

    bool startRow()
    {
        const QByteArrayView number = m_xml.attribute("r").value_or(QByteArrayView());
        if (!std::exchange(m_rowSeen, true))
            m_firstRowNumbered = !number.isEmpty();
        if (number.isEmpty()) {
            ++m_row;
        } else {
            const std::optional<qint64> row = plainCount(number);
            if (!row || *row < 1)
                return false;
            m_row = *row;
        }
        m_column = 0;
        return true;
    }

    // The children of a cell, the full way.
    bool readCellContent(bool& inlineString, QString& inlineText)
    {
        m_value.truncate(0);
        return forEachChild(m_xml, [&] {
            if (m_xml.isNamed("v"))
                return elementText(m_xml, m_value);
            if (!m_xml.isNamed("is"))
                return skipElement(m_xml);
            std::optional<QString> text = scanStringItem(m_xml);
            if (text) {
                inlineText = std::move(*text);
                inlineString = true;
            }
            return text.has_value();
        });
    }

    bool readCell()
    {
        const QByteArrayView type = m_xml.attribute("t").value_or(QByteArrayView());
        const QByteArrayView reference = m_xml.attribute("r").value_or(QByteArrayView());
        if (!plainAttribute(type))
            return false;
        if (reference.isEmpty()) {
            ++m_column;
        } else {
            qsizetype i = 0;
            qint64 letters = 0;
            while (i < reference.size() && reference[i] >= 'A' && reference[i] <= 'Z' && letters <= SheetGrid::maxColumns)
                letters = letters * 26 + (reference[i++] - 'A' + 1);
            const std::optional<qint64> row = plainCount(reference.sliced(i));
            if (i == 0 || !row || *row != m_row)
                return false;
            m_column = letters;
        }
        if (m_row < m_lastRow || (m_row == m_lastRow && m_column <= m_lastColumn))
            return false;
        m_lastRow = m_row;
        m_lastColumn = m_column;
        if (!std::exchange(m_cellSeen, true))
            m_firstCellRow = m_row;
        QByteArrayView value;
        bool inlineString = false;
        QString inlineText;
        if (const auto text = m_xml.readOnlyChildText("v"))
            value = *text;
        else if (!readCellContent(inlineString, inlineText))
            return false;
        else
            value = m_value;
        std::optional<SpreadsheetCell> cell;
        if (!PlainXmlScanner::same(type, "inlineStr") && value.isEmpty()) {
            cell = SpreadsheetCell();
        } else if (type.isEmpty() || PlainXmlScanner::same(type, "n")) {
            if (const auto number = plainNumber(value))
                cell = SpreadsheetCell::number(*number);
        } else if (PlainXmlScanner::same(type, "s")) {
            const std::optional<qint64> index = plainCount(value);
            if (index)
                m_sharedCells.push_back({m_row, m_column, *index});
            return index.has_value();
        }
        if (!cell)
            cell = cellOfType(QString::fromUtf8(type), QString::fromUtf8(value),
                              inlineString ? inlineText : QString(), QStringList());
        return cell && m_grid.setCell(m_row, m_column, std::move(*cell));
    }

    struct SharedCell
    {
        qint64 row;
        qint64 column;
        qint64 index;
    };

    PlainXmlScanner m_xml;
    SheetGrid& m_grid;
    qint64 m_row = 0;
    qint64 m_column = 0;
    qint64 m_lastRow = 0;
    qint64 m_lastColumn = 0;
    bool m_inSheetData = false;
    qsizetype m_sheetDataDepth = 0;
    bool m_rowSeen = false;
    bool m_firstRowNumbered = false;
    bool m_cellSeen = false;
    qint64 m_firstCellRow = 0;
    QByteArray m_value;
    std::vector<SharedCell> m_sharedCells;
};

// Scans the worksheet, the rows of its second half read on another core meanwhile.
bool scanWorksheet(SheetScanner& scanner, QByteArrayView part, SheetGrid& rowsBelow)
{
    using Outcome = SheetScanner::Outcome;
    Outcome outcome = scanner.scan(true);
    if (outcome != Outcome::Paused)
        return outcome == Outcome::Done;
    const qsizetype split = part.indexOf("<row ", std::max(scanner.position(), part.size() / 2));
    std::optional<SheetScanner> below = split < 0 ? std::nullopt : scanner.rowsFrom(split, rowsBelow);
    std::future<Outcome> belowRead;
    if (below)
        belowRead = std::async(std::launch::async, [&below] { return below->scan(); });
    outcome = scanner.scan(false, below ? split : -1);
    if (outcome == Outcome::Paused) {
        if (belowRead.get() == Outcome::Done) {
            const SheetScanner::Appending appending = scanner.append(std::move(*below));
            if (appending != SheetScanner::Appending::NotFollowing)
                return appending == SheetScanner::Appending::Appended;
        }
        outcome = scanner.scan();
    }
    return outcome == Outcome::Done;
}

} // namespace

void XlsxReader::open(const QString& path)
{
    close();
    m_quickWayGaveUp = false;
    ZipArchive zip;
    if (!zip.open(path))
        fail(Kind::CannotOpen, path, zip.errorString());
    const Workbook workbook = readWorkbook(zip, path);
    const bool quick = m_way != Way::FullOnly;
    // The shared strings are read on another core meanwhile.
    std::future<std::optional<QStringList>> quickStrings = std::async(std::launch::async, [&zip, &workbook, quick] {
        if (workbook.sharedStrings.isEmpty())
            return std::optional<QStringList>(QStringList());
        const auto part = quick ? wholePart(zip, workbook.sharedStrings) : std::nullopt;
        return part ? scanSharedStrings(*part) : std::nullopt;
    });
    SheetGrid grid;
    SheetGrid rowsBelow;
    // The full way stops at the end of <sheetData> as well.
    const std::optional<QByteArray> sheetPart =
        quick ? wholePart(zip, workbook.firstWorksheet, "</sheetData>") : std::nullopt;
    std::optional<SheetScanner> scanner;
    if (sheetPart) {
        scanner.emplace(*sheetPart, grid);
        if (!scanWorksheet(*scanner, *sheetPart, rowsBelow))
            scanner.reset();
    }
    std::optional<QStringList> strings = quickStrings.get();
    if (m_way == Way::QuickOnly && (!strings || !scanner)) {
        m_quickWayGaveUp = true;
        return;
    }
    const QStringList sharedStrings = strings ? *strings : readSharedStrings(zip, workbook.sharedStrings, path);
    if (scanner && scanner->resolve(sharedStrings)) {
        m_grid = std::move(grid);
        return;
    }
    if (m_way == Way::QuickOnly) {
        m_quickWayGaveUp = true;
        return;
    }
    grid = SheetGrid();
    ZipXmlPart sheet;
    if (!sheet.open(zip, workbook.firstWorksheet))
        fail(Kind::CannotOpen, path, sheet.errorString());
    SheetParser(sheet.xml(), sharedStrings, grid).parse();
    if (!sheet.errorString().isEmpty())
        fail(Kind::NoExtent, path, sheet.errorString());
    m_grid = std::move(grid);
}
