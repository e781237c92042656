// Reads arbitrary bytes as a ZIP archive: its members by the names office packages use, and
// the archive as an xlsx and as an ods package.
#include "FuzzFile.h"
#include "sheets/OdsReader.h"
#include "sheets/SpreadsheetFormat.h"
#include "sheets/XlsxReader.h"
#include "sheets/ZipArchive.h"

namespace {

const QString memberNames[] = {
    "mimetype",
    "content.xml",
    "[Content_Types].xml",
    "_rels/.rels",
    "xl/workbook.xml",
    "xl/_rels/workbook.xml.rels",
    "xl/worksheets/sheet1.xml",
    "xl/sharedStrings.xml",
};

void readPackage(SpreadsheetReader&& reader, const QString& path)
{
    try {
        reader.open(path);
    } catch (const SpreadsheetError&) {
        return;
    }
    readEveryRow(reader);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString path = fuzzFile(data, size);
    ZipArchive zip;
    if (!zip.open(path))
        return 0;
    for (const QString& name : memberNames) {
        const auto member = zip.entry(name);
        check(zip.contains(name) == bool(member), "contains() and entry() disagree");
        if (!member || !member->open(QIODevice::ReadOnly))
            continue;
        char buffer[4096];
        qint64 total = 0;
        for (qint64 n; (n = member->read(buffer, sizeof buffer)) > 0;)
            total += n;
        check(total <= member->uncompressedSize(), "more data than the directory declares");
        check(!member->atEnd() || member->hasFailed() || total == member->uncompressedSize(),
              "member ended short of its size without an error");
    }
    try {
        // Never the converter: only what the program reads itself.
        const SpreadsheetFormat format = detectSpreadsheetFormat(path);
        if (format == SpreadsheetFormat::Xlsx)
            readPackage(XlsxReader(), path);
        else if (format == SpreadsheetFormat::Ods)
            readPackage(OdsReader(), path);
    } catch (const SpreadsheetError&) {
    }
    return 0;
}
