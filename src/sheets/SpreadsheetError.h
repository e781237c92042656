#pragma once

#include "platform/AppError.h"

// Why a spreadsheet could not be read; the message tells the details (file, part, cause).
class SpreadsheetError : public AppError
{
public:
    enum class Kind
    {
        CannotOpen,       // missing, unreadable, not a spreadsheet, or a damaged workbook
        NoFirstSheet,     // the workbook holds no worksheet
        NoExtent,         // the first worksheet's cells cannot be read
        ConverterMissing, // the format needs the office converter, which is not installed
        Stopped,          // the caller gave up waiting for the office converter
    };

    SpreadsheetError(Kind kind, QString message) : AppError(std::move(message)), m_kind(kind) {}

    Kind kind() const { return m_kind; }

private:
    Kind m_kind;
};

// Throws the failure to read the file at path, for the reason given: "path: reason".
[[noreturn]] inline void failReading(SpreadsheetError::Kind kind, const QString& path, const QString& reason)
{
    throw SpreadsheetError(kind, QStringLiteral("%1: %2").arg(path, reason));
}

// Why rows read again from a file that was opened do not match what the opening found.
inline QString fileChangedReason()
{
    return QStringLiteral("the file changed while it was read");
}
