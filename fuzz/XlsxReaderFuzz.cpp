// Reads arbitrary bytes as the worksheet of an xlsx package and, after a NUL byte, as its
// shared strings. Wherever the quick scanner reads the sheet, the full parser must read the
// same cells; and the reader that mixes the two ways must agree with the full one.
#include "FuzzFile.h"
#include "TestPackages.h"
#include "sheets/XlsxReader.h"

#include <optional>

namespace {

// The rows of the sheet, or the error that stopped the reader.
struct Reading
{
    std::optional<SpreadsheetError::Kind> error;
    SheetExtent extent;
    QList<QList<SpreadsheetCell>> rows;

    bool operator==(const Reading&) const = default;
};

Reading read(XlsxReader& reader, const QString& path)
{
    Reading reading;
    try {
        reader.open(path);
    } catch (const SpreadsheetError& error) {
        reading.error = error.kind();
        return reading;
    }
    readEveryRow(reader);
    reading.extent = reader.extent();
    const std::unique_ptr<SheetRows> rows = reader.rows();
    QList<SpreadsheetCell> cells;
    for (int row = 1; rows->next(cells); ++row)
        if (row <= 1000 || row == reading.extent.rows)
            reading.rows.append(cells);
    return reading;
}

// The package of the given worksheet and shared strings (none when null).
QByteArray package(const QByteArray& sheet, const QByteArray& sharedStrings)
{
    QList<TestZipMember> parts{{"xl/worksheets/sheet1.xml", sheet, false}};
    QByteArray relationships = workbookRelationship("rId1", "worksheet", "worksheets/sheet1.xml");
    if (!sharedStrings.isNull()) {
        parts.append({"xl/sharedStrings.xml", sharedStrings, false});
        relationships += workbookRelationship("rId2", "sharedStrings", "sharedStrings.xml");
    }
    // Stored, not deflated: deflating costs more than reading, and the fuzzer is to read.
    return makeXlsxWorkbook(R"(<sheet name="S" sheetId="1" r:id="rId1"/>)", relationships, parts, false);
}

QString writeFile(const QByteArray& bytes)
{
    return fuzzFile(reinterpret_cast<const std::uint8_t*>(bytes.constData()), std::size_t(bytes.size()));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray input(reinterpret_cast<const char*>(data), qsizetype(size));
    const qsizetype split = input.indexOf('\0');
    const QByteArray sheet = split < 0 ? input : input.first(split);
    const QByteArray sharedStrings = split < 0 ? QByteArray() : input.mid(split + 1);
    const QString path = writeFile(package(sheet, sharedStrings));

    XlsxReader full(XlsxReader::Way::FullOnly);
    const Reading fullReading = read(full, path);
    XlsxReader quick(XlsxReader::Way::QuickOnly);
    const Reading quickReading = read(quick, path);
    XlsxReader mixed;
    const Reading mixedReading = read(mixed, path);
    // The quick way reads nothing beyond the first "</sheetData>", nor does the full parser
    // but for faults it meets reading ahead: the quick way is compared with the full parser
    // on the sheet cut there.
    const qsizetype sheetDataEnd = sheet.indexOf("</sheetData>");
    const Reading fullUpToTheEnd =
        sheetDataEnd < 0 ? fullReading
                         : read(full, writeFile(package(sheet.first(sheetDataEnd + 12), sharedStrings)));
    if (!quick.quickWayGaveUp())
        check(quickReading == fullUpToTheEnd, "the quick scanner read what the full parser did not");
    // Where only the quick reading of the shared strings gave up, the mixed reader still reads
    // the sheet the quick way.
    check(mixedReading == fullReading || mixedReading == fullUpToTheEnd,
          "the reader differs from the full parser");
    return 0;
}
