#include "SpreadsheetReader.h"

#include "ConvertingReader.h"
#include "CsvReader.h"
#include "OdsReader.h"
#include "SpreadsheetFormat.h"
#include "XlsxReader.h"

std::unique_ptr<SpreadsheetReader> openSpreadsheet(const QString& path, const KeepWaiting& keepWaiting,
                                                   const QByteArray& legacyCodePage)
{
    std::unique_ptr<SpreadsheetReader> reader;
    switch (detectSpreadsheetFormat(path)) {
    case SpreadsheetFormat::Xlsx:
        reader = std::make_unique<XlsxReader>();
        break;
    case SpreadsheetFormat::Ods:
        reader = std::make_unique<OdsReader>();
        break;
    case SpreadsheetFormat::Convertible:
        reader = std::make_unique<ConvertingReader>(keepWaiting);
        break;
    case SpreadsheetFormat::DelimitedText:
        reader = std::make_unique<CsvReader>(legacyCodePage);
        break;
    case SpreadsheetFormat::NotSpreadsheet:
        throw SpreadsheetError(SpreadsheetError::Kind::CannotOpen,
                               QStringLiteral("%1: not a spreadsheet").arg(path));
    }
    reader->open(path);
    return reader;
}
