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

// The rows of a worksheet in order, from row 1 to the last row of its extent.
class SheetRows
{
public:
    virtual ~SheetRows() = default;

    // The next row's cells up to its last value (none for a row without values): the cells
    // beyond, up to the extent's columns, are empty. False after the last row.
    virtual bool next(QList<SpreadsheetCell>& cells) = 0;
};

// Reads the first worksheet of a spreadsheet file. Every failure throws SpreadsheetError.
class SpreadsheetReader
{
public:
    virtual ~SpreadsheetReader() = default;

    virtual void open(const QString& path) = 0;
    virtual SheetExtent extent() const = 0;
    // The rows from the first on, each time rows() is called; read while the reader is open.
    virtual std::unique_ptr<SheetRows> rows() const = 0;
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
