#pragma once

#include <QString>

enum class SpreadsheetFormat
{
    Xlsx,          // Office Open XML workbook
    Ods,           // OpenDocument spreadsheet
    Convertible,   // binary or XML formats that only the office converter reads (xls, xlsb, wk1, fods, ...)
    DelimitedText, // anything that is text
    NotSpreadsheet,
};

// Decides by the file's content, never by its name. Throws SpreadsheetError (CannotOpen)
// when the file cannot be read.
SpreadsheetFormat detectSpreadsheetFormat(const QString& path);
