// Reads arbitrary bytes as the content.xml of an ods package.
#include "FuzzFile.h"
#include "TestPackages.h"
#include "sheets/OdsReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray content(reinterpret_cast<const char*>(data), qsizetype(size));
    const QByteArray package = makeZip({{"mimetype", "application/vnd.oasis.opendocument.spreadsheet", false},
                                        {"content.xml", content, false}});
    OdsReader reader;
    try {
        reader.open(fuzzFile(reinterpret_cast<const std::uint8_t*>(package.constData()),
                             std::size_t(package.size())));
    } catch (const SpreadsheetError&) {
        return 0;
    }
    readEveryRow(reader);
    return 0;
}
