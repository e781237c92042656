#include "XlsxReader.h"

#include "OfficePackage.h"
#include "SerialDate.h"
#include "ZipXmlPart.h"

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
        m_row = number.isEmpty() ? m_row + 1 : number.toLongLong();
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
        const SpreadsheetCell cell = makeCell(type, value, inlineText);
        if (!m_xml.hasError() && !m_grid.setCell(m_row, m_column, cell))
            m_xml.raiseError(SheetGrid::limitText());
    }

    SpreadsheetCell makeCell(const QString& type, const QString& value, const QString& inlineText)
    {
        if (type == u"inlineStr")
            return SpreadsheetCell::text(inlineText);
        if (value.isEmpty())
            return {};
        if (type == u"s") {
            bool ok = false;
            const qsizetype index = value.toLongLong(&ok);
            if (ok && index >= 0 && index < m_sharedStrings.size())
                return SpreadsheetCell::text(m_sharedStrings[index]);
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
        m_xml.raiseError(QStringLiteral("cell %1 of row %2 holds \"%3\" as type \"%4\"")
                             .arg(m_column)
                             .arg(m_row)
                             .arg(value, type));
        return {};
    }

    QXmlStreamReader& m_xml;
    const QStringList& m_sharedStrings;
    SheetGrid& m_grid;
    qint64 m_row = 0;
    qint64 m_column = 0;
};

} // namespace

void XlsxReader::open(const QString& path)
{
    close();
    ZipArchive zip;
    if (!zip.open(path))
        fail(Kind::CannotOpen, path, zip.errorString());
    const Workbook workbook = readWorkbook(zip, path);
    const QStringList sharedStrings = readSharedStrings(zip, workbook.sharedStrings, path);

    ZipXmlPart sheet;
    if (!sheet.open(zip, workbook.firstWorksheet))
        fail(Kind::CannotOpen, path, sheet.errorString());
    SheetGrid grid;
    SheetParser(sheet.xml(), sharedStrings, grid).parse();
    if (!sheet.errorString().isEmpty())
        fail(Kind::NoExtent, path, sheet.errorString());
    m_grid = std::move(grid);
}
