#pragma once

#include "SheetGrid.h"
#include "SpreadsheetCell.h"
#include "SpreadsheetError.h"
#include "platform/TextDecoding.h"

#include <QList>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

// Reads the first worksheet of a spreadsheet file. Every failure throws SpreadsheetError.
class SpreadsheetReader
{
public:
    virtual ~SpreadsheetReader() = default;

    virtual void open(const QString& path) = 0;
    virtual SheetExtent extent() const = 0;
    // row is 1-based; gives the cells up to the last value of the row (none for a row
    // without values): the cells beyond, up to extent().columns, are empty.
    virtual QList<SpreadsheetCell> readRow(int row) const = 0;
    virtual void close() = 0;
    // How the file was read as text; nothing for a spreadsheet package.
    virtual std::optional<FileEncoding> textEncoding() const { return std::nullopt; }
};

// Called again and again while the office converter works, a few times a second at least, so
// that the caller can keep its window alive; false gives up the wait (SpreadsheetError Stopped).
using KeepWaiting = std::function<bool()>;

// Chooses the reader by the file's content, not its name: xlsx and ods packages are read
// directly, other binary spreadsheet formats through the office converter, anything else
// as delimited text, with legacyCodePage for text that is not UTF-8. Returns the reader opened
// on path.
std::unique_ptr<SpreadsheetReader> openSpreadsheet(const QString& path, const KeepWaiting& keepWaiting = {},
                                                   const QByteArray& legacyCodePage = localeLegacyCodePage());
