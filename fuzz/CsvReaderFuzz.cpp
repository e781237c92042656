// Reads arbitrary bytes as delimited text and checks the sheet against its extent.
#include "FuzzFile.h"
#include "sheets/CsvReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    CsvReader reader;
    try {
        reader.open(fuzzFile(data, size));
    } catch (const SpreadsheetError&) {
        return 0;
    }
    readEveryRow(reader);
    return 0;
}
