#include "OdsReader.h"

#include "SerialDate.h"
#include "ZipXmlPart.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

using Kind = SpreadsheetError::Kind;

const QString officeNs = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:office:1.0");
const QString tableNs = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:table:1.0");
const QString textNs = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:text:1.0");
const QString calcextNs =
    QStringLiteral("urn:org:documentfoundation:names:experimental:calc:xmlns:calcext:1.0");

// The longest text a cell holds; <text:s> repeats a space, so its repeats are bounded by it
// for the whole cell, or a small file could ask for gigabytes of blanks.
constexpr qint64 maxSpaces = 32767;

bool isElement(const QXmlStreamReader& xml, const QString& ns, QStringView name)
{
    return xml.namespaceUri() == ns && xml.name() == name;
}

// Appends the text of the element the reader stands on, up to its end. Blanks and line
// ends in the markup are kept as LibreOffice reads them: it writes a trailing blank as is.
// spacesLeft is what the cell may still add by <text:s>.
void readInline(QXmlStreamReader& xml, QString& paragraph, qint64& spacesLeft)
{
    int depth = 0;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isEndElement() && depth-- == 0)
            return;
        if (xml.isCharacters()) {
            paragraph.append(xml.text());
            continue;
        }
        if (!xml.isStartElement())
            continue;
        // Notes, ruby annotations and drawings are not part of the paragraph's text.
        if (xml.namespaceUri() != textNs || xml.name() == u"note" || xml.name() == u"ruby-text") {
            xml.skipCurrentElement();
        } else if (xml.name() == u"s") {
            const QString count = xml.attributes().value(textNs, "c"_L1).toString();
            const qint64 blanks = count.isEmpty() ? 1 : count.toLongLong();
            if (blanks < 1 || blanks > maxSpaces) {
                xml.raiseError(QStringLiteral("space count \"%1\"").arg(count));
                return;
            }
            if (blanks > spacesLeft) {
                xml.raiseError(QStringLiteral("more than %1 repeated spaces in one cell").arg(maxSpaces));
                return;
            }
            spacesLeft -= blanks;
            paragraph.append(QString(blanks, u' '));
            xml.skipCurrentElement();
        } else if (xml.name() == u"tab") {
            paragraph.append(u'\t');
            xml.skipCurrentElement();
        } else if (xml.name() == u"line-break") {
            paragraph.append(u'\n');
            xml.skipCurrentElement();
        } else {
            ++depth; // spans, links and fields: their text counts
        }
    }
}

double valueOrError(QXmlStreamReader& xml, const std::optional<double>& value, const QString& text)
{
    if (!value)
        xml.raiseError(QStringLiteral("cell value \"%1\"").arg(text));
    return value.value_or(0);
}

std::optional<double> parseDouble(const QString& text)
{
    bool ok = false;
    const double value = text.toDouble(&ok);
    return ok && qIsFinite(value) ? std::optional(value) : std::nullopt;
}

// Reads a table cell up to its end.
SpreadsheetCell readCell(QXmlStreamReader& xml)
{
    const QXmlStreamAttributes attributes = xml.attributes();
    const QString type = attributes.value(officeNs, "value-type"_L1).toString();
    const bool isError = attributes.value(calcextNs, "value-type"_L1) == u"error";
    QStringList paragraphs;
    qint64 spacesLeft = maxSpaces;
    while (xml.readNextStartElement()) {
        if (xml.namespaceUri() == textNs && (xml.name() == u"p" || xml.name() == u"h")) {
            QString paragraph;
            readInline(xml, paragraph, spacesLeft);
            paragraphs.append(paragraph);
        } else {
            xml.skipCurrentElement(); // annotations, drawings
        }
    }
    const QString text = paragraphs.join(u'\n');
    if (isError)
        return SpreadsheetCell::error(text);
    if (type == u"float" || type == u"percentage" || type == u"currency") {
        const QString value = attributes.value(officeNs, "value"_L1).toString();
        return SpreadsheetCell::number(valueOrError(xml, parseDouble(value), value));
    }
    if (type == u"date") {
        const QString value = attributes.value(officeNs, "date-value"_L1).toString();
        return SpreadsheetCell::number(valueOrError(xml, serialFromIsoDateTime(value), value));
    }
    if (type == u"time") {
        const QString value = attributes.value(officeNs, "time-value"_L1).toString();
        return SpreadsheetCell::number(valueOrError(xml, serialFromIsoDuration(value), value));
    }
    if (type == u"boolean")
        return SpreadsheetCell::boolean(attributes.value(officeNs, "boolean-value"_L1) == u"true");
    if (type == u"string" && !attributes.value(officeNs, "string-value"_L1).isNull())
        return SpreadsheetCell::text(attributes.value(officeNs, "string-value"_L1).toString());
    return SpreadsheetCell::text(text);
}

// A repeat count, at most one beyond limit: whatever reaches past the sheet's edge is alike,
// and the positions added up from the counts then stay far from overflowing.
qint64 repeatCount(const QXmlStreamReader& xml, QLatin1StringView attribute, qint64 limit)
{
    const QString value = xml.attributes().value(tableNs, attribute).toString();
    bool ok = false;
    const qint64 count = value.toLongLong(&ok);
    if (ok)
        return std::clamp<qint64>(count, 1, limit + 1);
    const bool tooLarge = !value.isEmpty() && std::all_of(value.begin(), value.end(),
                                                          [](QChar c) { return c >= u'0' && c <= u'9'; });
    return tooLarge ? limit + 1 : 1;
}

class TableParser
{
public:
    TableParser(QXmlStreamReader& xml, SheetGrid& grid) : m_xml(xml), m_grid(grid) {}

    // The reader stands on <table:table>; reads up to its end.
    void parse()
    {
        while (!m_xml.atEnd()) {
            m_xml.readNext();
            if (m_xml.isEndElement() && isElement(m_xml, tableNs, u"table"))
                return;
            if (!m_xml.isStartElement())
                continue;
            if (isElement(m_xml, tableNs, u"table-row"))
                readRow();
            else if (!isRowGroup())
                m_xml.skipCurrentElement();
        }
    }

private:
    bool isRowGroup() const
    {
        return isElement(m_xml, tableNs, u"table-header-rows") || isElement(m_xml, tableNs, u"table-rows") ||
               isElement(m_xml, tableNs, u"table-row-group");
    }

    void readRow()
    {
        const qint64 rows = repeatCount(m_xml, "number-rows-repeated"_L1, SheetGrid::maxRows);
        qint64 column = 1;
        while (m_xml.readNextStartElement()) {
            if (!isElement(m_xml, tableNs, u"table-cell") &&
                !isElement(m_xml, tableNs, u"covered-table-cell")) {
                m_xml.skipCurrentElement();
                continue;
            }
            const qint64 columns = repeatCount(m_xml, "number-columns-repeated"_L1, SheetGrid::maxColumns);
            const SpreadsheetCell cell = readCell(m_xml);
            // Trailing repeats of empty rows and cells fill whole sheets; only values are stored.
            if (!cell.isEmpty() && !store(cell, column, columns, rows))
                return;
            column = std::min(column + columns, SheetGrid::maxColumns + 1);
        }
        m_row = std::min(m_row + rows, SheetGrid::maxRows + 1);
    }

    bool store(const SpreadsheetCell& cell, qint64 column, qint64 columns, qint64 rows)
    {
        bool fits = m_row + rows - 1 <= SheetGrid::maxRows && column + columns - 1 <= SheetGrid::maxColumns &&
                    rows * columns <= SheetGrid::maxCells;
        for (qint64 r = m_row; fits && r < m_row + rows; ++r) {
            for (qint64 c = column; fits && c < column + columns; ++c)
                fits = m_grid.setCell(r, c, cell);
        }
        if (!fits)
            m_xml.raiseError(SheetGrid::limitText());
        return fits;
    }

    QXmlStreamReader& m_xml;
    SheetGrid& m_grid;
    qint64 m_row = 1;
};

} // namespace

void OdsReader::open(const QString& path)
{
    close();
    ZipArchive zip;
    if (!zip.open(path))
        failReading(Kind::CannotOpen, path, zip.errorString());
    ZipXmlPart content;
    if (!content.open(zip, QStringLiteral("content.xml")))
        failReading(Kind::CannotOpen, path, content.errorString());
    QXmlStreamReader& xml = content.xml();
    bool inSpreadsheet = false;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && isElement(xml, officeNs, u"spreadsheet")) {
            inSpreadsheet = true;
        } else if (xml.isEndElement() && isElement(xml, officeNs, u"spreadsheet")) {
            failReading(Kind::NoFirstSheet, path, QStringLiteral("the document holds no table"));
        } else if (inSpreadsheet && xml.isStartElement() && isElement(xml, tableNs, u"table")) {
            SheetGrid grid;
            TableParser(xml, grid).parse();
            if (!content.errorString().isEmpty())
                failReading(Kind::NoExtent, path, content.errorString());
            m_grid = std::move(grid);
            return;
        }
    }
    failReading(Kind::CannotOpen, path,
                content.errorString().isEmpty() ? QStringLiteral("not a spreadsheet document")
                                                : content.errorString());
}
