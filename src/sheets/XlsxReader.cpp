#include "XlsxReader.h"

#include "OfficePackage.h"
#include "PlainXmlScanner.h"
#include "SerialDate.h"
#include "WorksheetPieces.h"
#include "ZipXmlPart.h"

#include <QHash>
#include <algorithm>
#include <charconv>
#include <functional>
#include <future>
#include <memory>
#include <optional>

using namespace Qt::StringLiterals;

namespace {

using Kind = SpreadsheetError::Kind;

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

// The workbook part is small and plain: its first worksheet the quick way, empty when it lists
// none; nothing when the quick way gives up (a reference in an id included) and the full
// parser is to read it.
std::optional<QString> quickFirstWorksheet(const ZipArchive& zip, const QString& workbookPart,
                                           const std::function<QString(const QString& id)>& worksheetOf)
{
    const std::optional<QByteArray> part = zip.wholeMember(workbookPart, qsizetype(1) << 20);
    if (!part)
        return std::nullopt;
    PlainXmlScanner xml(*part);
    bool root = true;
    while (true) {
        switch (xml.next()) {
        case PlainXmlScanner::Token::EndOfDocument:
            return root ? std::nullopt : std::optional<QString>(QString());
        case PlainXmlScanner::Token::GiveUp:
            return std::nullopt;
        case PlainXmlScanner::Token::StartElement: {
            if (std::exchange(root, false)) {
                if (!xml.isNamed("workbook"))
                    return std::nullopt;
                break;
            }
            if (!xml.isNamed("sheet"))
                break;
            // Chart sheets and macro sheets are listed among the sheets but are no worksheets.
            const QByteArrayView id =
                xml.attributeInNamespace("id", "/relationships").value_or(QByteArrayView());
            if (id.contains('&'))
                return std::nullopt;
            if (QString worksheet = worksheetOf(QString::fromUtf8(id)); !worksheet.isEmpty())
                return worksheet;
            break;
        }
        default:
            break;
        }
    }
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
        failReading(Kind::CannotOpen, path, QStringLiteral("not an Office Open XML package"));
    QList<PackageRelationship> relationships;
    QString error;
    if (!OfficePackage::readRelationships(zip, workbookPart, relationships, error))
        failReading(Kind::CannotOpen, path, error);

    Workbook workbook;
    for (const PackageRelationship& relationship : relationships) {
        if (OfficePackage::hasType(relationship, u"sharedStrings"))
            workbook.sharedStrings = relationship.target;
    }
    const auto worksheetOf = [&](const QString& id) {
        for (const PackageRelationship& relationship : relationships) {
            if (relationship.id == id && OfficePackage::hasType(relationship, u"worksheet"))
                return relationship.target;
        }
        return QString();
    };
    if (const auto first = quickFirstWorksheet(zip, workbookPart, worksheetOf)) {
        if (first->isEmpty())
            failReading(Kind::NoFirstSheet, path, QStringLiteral("the workbook holds no worksheet"));
        workbook.firstWorksheet = *first;
        return workbook;
    }
    ZipXmlPart part;
    if (!part.open(zip, workbookPart))
        failReading(Kind::CannotOpen, path, part.errorString());
    QXmlStreamReader& xml = part.xml();
    if (!xml.readNextStartElement() || xml.name() != u"workbook")
        failReading(Kind::CannotOpen, path,
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
        workbook.firstWorksheet = worksheetOf(id);
    }
    if (!part.errorString().isEmpty())
        failReading(Kind::CannotOpen, path, part.errorString());
    if (workbook.firstWorksheet.isEmpty())
        failReading(Kind::NoFirstSheet, path, QStringLiteral("the workbook holds no worksheet"));
    return workbook;
}

QStringList readSharedStrings(const ZipArchive& zip, const QString& partName, const QString& path)
{
    QStringList strings;
    if (partName.isEmpty())
        return strings;
    ZipXmlPart part;
    if (!part.open(zip, partName))
        failReading(Kind::CannotOpen, path, part.errorString());
    QXmlStreamReader& xml = part.xml();
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == u"si")
            strings.append(readStringItem(xml));
    }
    if (!part.errorString().isEmpty())
        failReading(Kind::CannotOpen, path, part.errorString());
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
std::optional<SpreadsheetCell> cellOfType(const QString& type, const QString& value,
                                          const QString& inlineText, const QStringList& sharedStrings)
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

// The quick way through the two big parts: scanned by PlainXmlScanner, the shared strings
// read whole, the worksheet piece by piece. It gives up whenever the part is not as plain as
// spreadsheet programs write it or anything is amiss; the part is then read again the full way,
// which meets the same values or the same error.
using Token = PlainXmlScanner::Token;

// A larger part goes the full way, which holds only the values in memory.
constexpr qsizetype largestWholePart = qsizetype(256) << 20;

// The whole part, when it is no larger than largestWholePart.
std::optional<QByteArray> wholePart(const ZipArchive& zip, const QString& name)
{
    return zip.wholeMember(name, largestWholePart);
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
template <typename OnChild> bool forEachChild(PlainXmlScanner& xml, const OnChild& onChild)
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

// Where the quick way puts the cells it reads; false from either gives the quick way up.
class CellSink
{
public:
    virtual ~CellSink() = default;

    virtual bool value(qint64 row, qint64 column, SpreadsheetCell cell) = 0;
    // A cell that refers to the shared string of that index.
    virtual bool sharedString(qint64 row, qint64 column, qint64 index) = 0;
};

// As SheetParser, on the pieces of the worksheet one after another (see restartOn); every cell
// must come after the one before it, which is how spreadsheet programs write them.
class SheetScanner
{
public:
    enum class Outcome
    {
        Done,
        GaveUp,
        Paused
    };

    // Scans document into sink from its start, where the row reached so far goes on: the
    // document is the worksheet's start up to its rows and the next piece of them.
    void restartOn(QByteArrayView document, CellSink& sink)
    {
        m_xml = PlainXmlScanner(document);
        m_sink = &sink;
        m_inSheetData = false;
    }

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

private:
    static bool plainAttribute(QByteArrayView value)
    {
        return std::none_of(value.begin(), value.end(),
                            [](char c) { return c == '&' || c == '\t' || c == '\n' || c == '\r'; });
    }

    bool startRow()
    {
        const QByteArrayView number = m_xml.attribute("r").value_or(QByteArrayView());
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
            while (i < reference.size() && reference[i] >= 'A' && reference[i] <= 'Z' &&
                   letters <= SheetGrid::maxColumns)
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
            return index && m_sink->sharedString(m_row, m_column, *index);
        }
        if (!cell)
            cell = cellOfType(QString::fromUtf8(type), QString::fromUtf8(value),
                              inlineString ? inlineText : QString(), QStringList());
        return cell && m_sink->value(m_row, m_column, std::move(*cell));
    }

    PlainXmlScanner m_xml{QByteArrayView()};
    CellSink* m_sink = nullptr;
    qint64 m_row = 0;
    qint64 m_column = 0;
    qint64 m_lastRow = 0;
    qint64 m_lastColumn = 0;
    bool m_inSheetData = false;
    qsizetype m_sheetDataDepth = 0;
    QByteArray m_value;
};

// The worksheet the quick way, piece by piece, each piece's cells into the sink the caller gives.
class SheetPieces
{
public:
    enum class Outcome
    {
        Piece,
        End,
        GaveUp,
        RowTooLarge
    };

    SheetPieces(const ZipArchive& zip, const QString& part) : m_opened(m_pieces.open(zip, part)) {}

    // Reads the next piece into sink.
    Outcome next(CellSink& sink)
    {
        if (!m_opened)
            return Outcome::GaveUp;
        if (m_done)
            return Outcome::End;
        // Each piece is read behind the worksheet's start, where its namespaces are declared:
        // the start stays at the front of the document, the pieces follow it in turn.
        const bool first = m_prefixLength < 0;
        m_document.truncate(first ? 0 : m_prefixLength);
        if (!m_pieces.appendNext(m_document)) {
            if (m_pieces.rowTooLarge())
                return Outcome::RowTooLarge;
            return m_pieces.failed() || first ? Outcome::GaveUp : Outcome::End;
        }
        m_scanner.restartOn(m_document, sink);
        SheetScanner::Outcome outcome = m_scanner.scan(true);
        if (outcome == SheetScanner::Outcome::Paused) {
            if (first)
                m_prefixLength = m_scanner.position();
            outcome = m_scanner.scan(false, m_pieces.isLast() ? -1 : m_document.size());
        }
        if (outcome == SheetScanner::Outcome::GaveUp)
            return Outcome::GaveUp;
        m_done = outcome == SheetScanner::Outcome::Done;
        return Outcome::Piece;
    }

private:
    WorksheetPieces m_pieces;
    bool m_opened;
    bool m_done = false;
    QByteArray m_document;
    qsizetype m_prefixLength = -1;
    SheetScanner m_scanner;
};

// The extent of the values that the quick way reads; it holds none of them.
class ExtentOfValues : public CellSink
{
public:
    bool value(qint64 row, qint64 column, SpreadsheetCell cell) override
    {
        return cell.isEmpty() || note(row, column);
    }

    // An empty shared string is no value: which ones are is known once the strings are read,
    // meanwhile on another core. Until then the furthest use of each index is noted.
    bool sharedString(qint64 row, qint64 column, qint64 index) override
    {
        // Indexes run below the number of cells that use them, but for strings a sheet leaves
        // unused: those, and an index far beyond, are kept apart rather than make room for it.
        ++m_sharedCells;
        Use* use = nullptr;
        if (index < qint64(m_sharedUses.size())) {
            use = &m_sharedUses[std::size_t(index)];
        } else if (index < 2 * m_sharedCells + 4096) {
            m_sharedUses.resize(std::size_t(index) + 1);
            use = &m_sharedUses[std::size_t(index)];
        } else {
            use = &m_farSharedUses[index];
        }
        use->row = std::max(use->row, row);
        use->column = std::max(use->column, column);
        return true;
    }

    // Nothing where a cell refers to a string that is not there.
    std::optional<SheetExtent> extent(const QStringList& sharedStrings)
    {
        const auto noteUse = [&](qint64 index, const Use& use) {
            if (use.row < 0)
                return true; // an index no cell used
            if (index >= sharedStrings.size())
                return false;
            return sharedStrings[index].isEmpty() || note(use.row, use.column);
        };
        for (std::size_t index = 0; index < m_sharedUses.size(); ++index)
            if (!noteUse(qint64(index), m_sharedUses[index]))
                return std::nullopt;
        for (auto use = m_farSharedUses.cbegin(); use != m_farSharedUses.cend(); ++use)
            if (!noteUse(use.key(), *use))
                return std::nullopt;
        return m_extent;
    }

private:
    // As the grid refuses values beyond the sheet.
    bool note(qint64 row, qint64 column)
    {
        if (!SheetGrid::withinSheet(row, column))
            return false;
        m_extent.rows = std::max(m_extent.rows, int(row));
        m_extent.columns = std::max(m_extent.columns, int(column));
        return true;
    }

    struct Use
    {
        qint64 row = -1; // -1: no cell uses the string
        qint64 column = -1;
    };
    SheetExtent m_extent;
    qint64 m_sharedCells = 0;
    std::vector<Use> m_sharedUses;
    QHash<qint64, Use> m_farSharedUses;
};

// The rows of one piece of the worksheet that hold values, in order, each as SheetGrid::row()
// gives it. The quick way meets the cells in order, so they are put in place as they come.
class PieceRows : public CellSink
{
public:
    using Rows = std::vector<std::pair<int, QList<SpreadsheetCell>>>;

    explicit PieceRows(const QStringList& sharedStrings) : m_sharedStrings(sharedStrings) {}

    // Hands out the rows read so far.
    Rows take() { return std::exchange(m_rows, Rows()); }

    bool value(qint64 row, qint64 column, SpreadsheetCell cell) override
    {
        // As the grid takes values: an empty cell is none, a value beyond the sheet refused.
        if (cell.isEmpty())
            return true;
        if (!SheetGrid::withinSheet(row, column))
            return false;
        if (m_rows.empty() || m_rows.back().first != row)
            m_rows.emplace_back(int(row), QList<SpreadsheetCell>());
        QList<SpreadsheetCell>& cells = m_rows.back().second;
        cells.resize(column);
        cells[column - 1] = std::move(cell);
        return true;
    }

    bool sharedString(qint64 row, qint64 column, qint64 index) override
    {
        return index < m_sharedStrings.size() &&
               value(row, column, SpreadsheetCell::text(m_sharedStrings[index]));
    }

private:
    const QStringList& m_sharedStrings;
    Rows m_rows;
};

// The rows of a worksheet that the quick way read through once when it was opened.
class StreamedRows : public SheetRows
{
public:
    StreamedRows(const ZipArchive& zip, const QString& part, std::shared_ptr<const QStringList> sharedStrings,
                 SheetExtent extent, QString path)
        : m_pieces(zip, part), m_sharedStrings(std::move(sharedStrings)), m_piece(*m_sharedStrings),
          m_extent(extent), m_path(std::move(path))
    {
    }

    bool next(QList<SpreadsheetCell>& cells) override
    {
        if (m_gaveUp)
            fileChanged(); // no piece can be read after one that failed
        if (m_row == m_extent.rows)
            return false;
        ++m_row;
        while (m_next == m_rows.size() && !m_ended)
            readPiece();
        if (m_next < m_rows.size() && m_rows[m_next].first == m_row)
            cells = std::move(m_rows[m_next++].second);
        else
            cells.clear(); // a row without values
        return true;
    }

private:
    void readPiece()
    {
        switch (m_pieces.next(m_piece)) {
        case SheetPieces::Outcome::End:
            m_ended = true;
            return;
        case SheetPieces::Outcome::Piece:
            m_rows = m_piece.take();
            m_next = 0;
            return;
        case SheetPieces::Outcome::GaveUp:
        case SheetPieces::Outcome::RowTooLarge:
            m_gaveUp = true;
            fileChanged();
        }
    }

    [[noreturn]] void fileChanged() const { failReading(Kind::NoExtent, m_path, fileChangedReason()); }

    SheetPieces m_pieces;
    std::shared_ptr<const QStringList> m_sharedStrings;
    PieceRows m_piece;
    SheetExtent m_extent;
    QString m_path;
    PieceRows::Rows m_rows; // of the piece at hand
    std::size_t m_next = 0;
    int m_row = 0;
    bool m_ended = false;
    bool m_gaveUp = false;
};

// The extent of the worksheet the quick way, its shared strings read meanwhile; nothing when
// the quick way gave up. A row too large to hold fails the file: the full way would hold it.
std::optional<SheetExtent> quickExtent(const ZipArchive& zip, const QString& part,
                                       const std::function<const QStringList*()>& sharedStrings,
                                       const QString& path)
{
    SheetPieces pieces(zip, part);
    ExtentOfValues values;
    while (true) {
        switch (pieces.next(values)) {
        case SheetPieces::Outcome::GaveUp:
            return std::nullopt;
        case SheetPieces::Outcome::RowTooLarge:
            failReading(Kind::NoExtent, path,
                        QStringLiteral("%1 holds a row larger than %2 MB: no price list holds one")
                            .arg(part)
                            .arg(WorksheetPieces::LargestRow >> 20));
        case SheetPieces::Outcome::Piece:
            break;
        case SheetPieces::Outcome::End:
            const QStringList* strings = sharedStrings();
            return strings ? values.extent(*strings) : std::nullopt;
        }
    }
}

} // namespace

void XlsxReader::open(const QString& path)
{
    close();
    m_quickWayGaveUp = false;
    ZipArchive zip;
    if (!zip.open(path))
        failReading(Kind::CannotOpen, path, zip.errorString());
    const Workbook workbook = readWorkbook(zip, path);
    const bool quick = m_way != Way::FullOnly;
    // The shared strings are read on another core meanwhile, unless they are few enough to
    // take less time than starting a thread.
    const std::unique_ptr<ZipEntryDevice> stringsPart =
        workbook.sharedStrings.isEmpty() ? nullptr : zip.entry(workbook.sharedStrings);
    const bool fewStrings = !stringsPart || stringsPart->uncompressedSize() < (qint64(1) << 20);
    const auto launch = fewStrings ? std::launch::deferred : std::launch::async;
    std::future<std::optional<QStringList>> quickStrings = std::async(launch, [&zip, &workbook, quick] {
        if (workbook.sharedStrings.isEmpty())
            return std::optional<QStringList>(QStringList());
        const auto part = quick ? wholePart(zip, workbook.sharedStrings) : std::nullopt;
        return part ? scanSharedStrings(*part) : std::nullopt;
    });
    // Waited for once the worksheet has been read through; the full way where the quick one
    // gave up, but for Way::QuickOnly.
    std::optional<QStringList> strings;
    bool stringsRead = false;
    const auto sharedStrings = [&]() -> const QStringList* {
        if (!std::exchange(stringsRead, true)) {
            strings = quickStrings.get();
            if (!strings && m_way != Way::QuickOnly)
                strings = readSharedStrings(zip, workbook.sharedStrings, path);
        }
        return strings ? &*strings : nullptr;
    };
    if (quick) {
        if (const std::optional<SheetExtent> extent =
                quickExtent(zip, workbook.firstWorksheet, sharedStrings, path)) {
            m_streamed = Streamed{zip, workbook.firstWorksheet, path,
                                  std::make_shared<const QStringList>(std::move(*strings)), *extent};
            return;
        }
    }
    if (m_way == Way::QuickOnly) {
        m_quickWayGaveUp = true;
        return;
    }
    const QStringList* fullStrings = sharedStrings();
    SheetGrid grid;
    ZipXmlPart sheet;
    if (!sheet.open(zip, workbook.firstWorksheet))
        failReading(Kind::CannotOpen, path, sheet.errorString());
    SheetParser(sheet.xml(), *fullStrings, grid).parse();
    if (!sheet.errorString().isEmpty())
        failReading(Kind::NoExtent, path, sheet.errorString());
    m_grid = std::move(grid);
}

SheetExtent XlsxReader::extent() const
{
    return m_streamed ? m_streamed->extent : SheetGridReader::extent();
}

std::unique_ptr<SheetRows> XlsxReader::rows() const
{
    if (!m_streamed)
        return SheetGridReader::rows();
    return std::make_unique<StreamedRows>(m_streamed->zip, m_streamed->part, m_streamed->sharedStrings,
                                          m_streamed->extent, m_streamed->path);
}

void XlsxReader::close()
{
    SheetGridReader::close();
    m_streamed.reset();
}
