#include "TestPackages.h"

#include <QtEndian>
#include <stdexcept>
#include <zlib.h>

namespace {

void put16(QByteArray& out, quint16 value)
{
    char bytes[2];
    qToLittleEndian(value, bytes);
    out.append(bytes, 2);
}

void put32(QByteArray& out, quint32 value)
{
    char bytes[4];
    qToLittleEndian(value, bytes);
    out.append(bytes, 4);
}

// Deflates one piece on its own, ending on a byte boundary; final ends the stream.
QByteArray deflatePiece(const QByteArray& data, bool final)
{
    z_stream stream{};
    if (deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK)
        throw std::runtime_error("deflateInit2");
    QByteArray out(int(deflateBound(&stream, uLong(data.size())) + 16), '\0');
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.constData()));
    stream.avail_in = uInt(data.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = uInt(out.size());
    const int result = deflate(&stream, final ? Z_FINISH : Z_FULL_FLUSH);
    out.resize(qsizetype(stream.total_out));
    deflateEnd(&stream);
    if (result != (final ? Z_STREAM_END : Z_OK))
        throw std::runtime_error("deflate");
    return out;
}

quint32 crcOf(const QByteArray& data)
{
    return quint32(crc32(0, reinterpret_cast<const Bytef*>(data.constData()), uInt(data.size())));
}

QByteArray rawDeflate(const QByteArray& data)
{
    z_stream stream{};
    if (deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK)
        throw std::runtime_error("deflateInit2");
    QByteArray out(int(deflateBound(&stream, uLong(data.size()))), '\0');
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.constData()));
    stream.avail_in = uInt(data.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = uInt(out.size());
    const int result = deflate(&stream, Z_FINISH);
    out.resize(qsizetype(stream.total_out));
    deflateEnd(&stream);
    if (result != Z_STREAM_END)
        throw std::runtime_error("deflate");
    return out;
}

const QByteArray relationshipsNamespace = "http://schemas.openxmlformats.org/package/2006/relationships";

QByteArray packageRelationships(const QString& mainPart)
{
    return R"(<?xml version="1.0" encoding="UTF-8"?><Relationships xmlns=")" + relationshipsNamespace +
           "\">" + workbookRelationship("rId1", "officeDocument", mainPart.toUtf8()) + "</Relationships>";
}

const QByteArray xlsxContentTypes =
    R"(<?xml version="1.0" encoding="UTF-8"?><Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types"><Default Extension="xml" ContentType="application/xml"/></Types>)";

} // namespace

TestZipMember repeatingMember(const QString& name, const QByteArray& head, const QByteArray& filler,
                              int count, const QByteArray& tail)
{
    // Each piece is deflated on its own and ends on a byte boundary, so the filler's
    // deflated form can simply be repeated.
    const QByteArray deflatedFiller = deflatePiece(filler, false);
    TestZipMember member{name, deflatePiece(head, false), true, head.size(), crcOf(head)};
    const quint32 fillerCrc = crcOf(filler);
    for (int i = 0; i < count; ++i) {
        member.data += deflatedFiller;
        member.crc = quint32(crc32_combine(member.crc, fillerCrc, z_off_t(filler.size())));
    }
    member.data += deflatePiece(tail, true);
    member.crc = quint32(crc32_combine(member.crc, crcOf(tail), z_off_t(tail.size())));
    member.size += qint64(filler.size()) * count + tail.size();
    return member;
}

QByteArray makeZip(const QList<TestZipMember>& members)
{
    QByteArray archive;
    QByteArray directory;
    for (const TestZipMember& member : members) {
        const QByteArray name = member.name.toUtf8();
        const bool ready = member.size >= 0;
        const QByteArray stored = member.deflated && !ready ? rawDeflate(member.data) : member.data;
        const quint32 crc = ready ? member.crc : crcOf(member.data);
        const qint64 size = ready ? member.size : member.data.size();
        const quint32 offset = quint32(archive.size());
        for (QByteArray* header : {&archive, &directory}) {
            const bool central = header == &directory;
            put32(*header, central ? 0x02014b50 : 0x04034b50);
            if (central)
                put16(*header, 20); // made by
            put16(*header, 20);     // needed
            put16(*header, 0);      // flags
            put16(*header, member.deflated ? 8 : 0);
            put16(*header, 0);    // time
            put16(*header, 0x21); // date
            put32(*header, crc);
            put32(*header, quint32(stored.size()));
            put32(*header, quint32(size));
            put16(*header, quint16(name.size()));
            put16(*header, 0); // extra
            if (central) {
                put16(*header, 0); // comment
                put16(*header, 0); // disk
                put16(*header, 0); // internal attributes
                put32(*header, 0); // external attributes
                put32(*header, offset);
            }
            header->append(name);
        }
        archive.append(stored);
    }
    const quint32 directoryOffset = quint32(archive.size());
    archive.append(directory);
    put32(archive, 0x06054b50);
    put16(archive, 0);
    put16(archive, 0);
    put16(archive, quint16(members.size()));
    put16(archive, quint16(members.size()));
    put32(archive, quint32(directory.size()));
    put32(archive, directoryOffset);
    put16(archive, 0);
    return archive;
}

QByteArray workbookRelationship(const QByteArray& id, const QByteArray& type, const QByteArray& target)
{
    return "<Relationship Id=\"" + id +
           "\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/" + type +
           "\" Target=\"" + target + "\"/>";
}

TestZipMember worksheetPart(const QString& name, const QByteArray& sheetData)
{
    return {
        name,
        R"(<?xml version="1.0" encoding="UTF-8"?><worksheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships"><dimension ref="A1"/><sheetData>)" +
            sheetData + "</sheetData></worksheet>"};
}

QByteArray makeOfficePackage(const TestZipMember& mainPart)
{
    return makeZip({{"[Content_Types].xml", xlsxContentTypes},
                    {"_rels/.rels", packageRelationships(mainPart.name)},
                    mainPart});
}

QByteArray makeXlsx(const QByteArray& sheetData, const QByteArray& sharedStrings)
{
    QList<TestZipMember> parts{worksheetPart("xl/worksheets/sheet1.xml", sheetData)};
    QByteArray relationships = workbookRelationship("rId1", "worksheet", "worksheets/sheet1.xml");
    if (!sharedStrings.isNull()) {
        parts.append(
            {"xl/sharedStrings.xml",
             R"(<?xml version="1.0" encoding="UTF-8"?><sst xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main">)" +
                 sharedStrings + "</sst>"});
        relationships += workbookRelationship("rId2", "sharedStrings", "sharedStrings.xml");
    }
    return makeXlsxWorkbook(R"(<sheet name="Sheet1" sheetId="1" r:id="rId1"/>)", relationships, parts);
}

QByteArray makeXlsxWorkbook(const QByteArray& sheets, const QByteArray& relationships,
                            const QList<TestZipMember>& parts, bool deflated)
{
    QList<TestZipMember> members{
        {"[Content_Types].xml", xlsxContentTypes},
        {"_rels/.rels", packageRelationships("xl/workbook.xml")},
        {"xl/workbook.xml",
         R"(<?xml version="1.0" encoding="UTF-8"?><workbook xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships"><sheets>)" +
             sheets + "</sheets></workbook>"},
        {"xl/_rels/workbook.xml.rels", R"(<?xml version="1.0" encoding="UTF-8"?><Relationships xmlns=")" +
                                           relationshipsNamespace + "\">" + relationships +
                                           "</Relationships>"},
    };
    for (TestZipMember& member : members)
        member.deflated = deflated;
    members.append(parts);
    return makeZip(members);
}

QByteArray makeOds(const QByteArray& spreadsheet)
{
    const QByteArray content =
        R"(<?xml version="1.0" encoding="UTF-8"?><office:document-content xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0" xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0" xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0" xmlns:calcext="urn:org:documentfoundation:names:experimental:calc:xmlns:calcext:1.0" xmlns:dc="http://purl.org/dc/elements/1.1/" xmlns:draw="urn:oasis:names:tc:opendocument:xmlns:drawing:1.0" office:version="1.2"><office:body><office:spreadsheet>)" +
        spreadsheet + "</office:spreadsheet></office:body></office:document-content>";
    return makeZip(
        {{"mimetype", "application/vnd.oasis.opendocument.spreadsheet", false}, {"content.xml", content}});
}

QStringList sampleSheetRows(const QString& computedTruthValue)
{
    const QStringList rows{
        "t:IDPART|t:BRAND|t:TRADENUMBER|t:QUANTITY|t:PRICE|t:PUBLISHED|t:PRODUCT:product_s_desc",
        "n:101|t:Acme Tools|t:'AB-12/7|n:5|n:12.5|b:TRUE|t:line one\nline two",
        "n:102|t:text with \"quotes\"|t:00123|n:1234567|n:1234.5|n:45352|t: a  b ",
        "n:103|n:0.15|n:0.572916666666667|e:#DIV/0!|" + computedTruthValue + "|t:xy|n:25",
        "",
        "n:-3" + QString(28, u'|') + "|t:AD6",
    };
    QStringList padded;
    for (const QString& row : rows)
        padded.append(row + QString(29 - row.count(u'|'), u'|'));
    return padded;
}

QString describeRow(const QList<SpreadsheetCell>& cells)
{
    QStringList parts;
    for (const SpreadsheetCell& cell : cells) {
        switch (cell.type()) {
        case SpreadsheetCell::Type::Empty:
            parts.append(QString());
            break;
        case SpreadsheetCell::Type::Number:
            parts.append("n:" + cell.displayText());
            break;
        case SpreadsheetCell::Type::Text:
            parts.append("t:" + cell.displayText());
            break;
        case SpreadsheetCell::Type::Boolean:
            parts.append("b:" + cell.displayText());
            break;
        case SpreadsheetCell::Type::Error:
            parts.append("e:" + cell.displayText());
            break;
        }
    }
    return parts.join(u'|');
}

QStringList describeSheet(const SpreadsheetReader& reader)
{
    const SheetExtent extent = reader.extent();
    QStringList rows;
    const std::unique_ptr<SheetRows> reading = reader.rows();
    QList<SpreadsheetCell> cells;
    while (reading->next(cells)) {
        // A row ends at its last value; anything else is a fault the comparison should show.
        if (cells.size() > extent.columns || (!cells.isEmpty() && cells.last().isEmpty()))
            return {QStringLiteral("row %1 has %2 cells").arg(rows.size() + 1).arg(cells.size())};
        cells.resize(extent.columns);
        rows.append(describeRow(cells));
    }
    if (rows.size() != extent.rows)
        return {QStringLiteral("%1 rows read of %2").arg(rows.size()).arg(extent.rows)};
    return rows;
}
