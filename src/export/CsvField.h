#pragma once

#include <QString>

struct CsvSettings;

// The ways a value's text is written as a field of an exported CSV line.
namespace CsvField {

QString plain(const QString& text);
// Enclosed in double quotes, every double quote inside doubled.
QString quoted(const QString& text);
// Enclosed in double quotes as it is, for values that never hold one (currency codes).
QString quotedVerbatim(const QString& text);
// An apostrophe in front keeps a spreadsheet program from reading an article number as a number.
QString tradeNumber(const QString& text);
// A number with its decimal separator made the chosen one; enclosed in double quotes when
// that separator also separates the fields.
QString decimal(const QString& text, const CsvSettings& settings);

} // namespace CsvField
