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

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray input(reinterpret_cast<const char*>(data), qsizetype(size));
    const qsizetype split = input.indexOf('\0');
    QList<TestZipMember> parts{{"xl/worksheets/sheet1.xml", split < 0 ? input : input.first(split), false}};
    QByteArray relationships = workbookRelationship("rId1", "worksheet", "worksheets/sheet1.xml");
    if (split >= 0) {
        parts.append({"xl/sharedStrings.xml", input.mid(split + 1), false});
        relationships += workbookRelationship("rId2", "sharedStrings", "sharedStrings.xml");
    }
    const QByteArray package =
        makeXlsxWorkbook(R"(<sheet name="S" sheetId="1" r:id="rId1"/>)", relationships, parts);
    const QString path = fuzzFile(reinterpret_cast<const std::uint8_t*>(package.constData()), std::size_t(package.size()));

    XlsxReader full(XlsxReader::Way::FullOnly);
    const Reading fullReading = read(full, path);
    XlsxReader quick(XlsxReader::Way::QuickOnly);
    const Reading quickReading = read(quick, path);
    if (!quick.quickWayGaveUp())
        check(quickReading == fullReading, "the quick scanner read what the full parser did not");
    XlsxReader mixed;
    check(read(mixed, path) == fullReading, "the reader differs from the full parser");
    return 0;
}
