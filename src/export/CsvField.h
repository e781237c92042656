#pragma once

#include <QByteArray>
#include <QString>

struct CsvSettings;

// The ways a value's text is written as a field of an exported CSV line. Rows are built in
// UTF-8, each field appended to the line without a string of its own; header lines use the
// text forms at the end.
namespace CsvField {

void appendPlain(QByteArray& line, QByteArrayView text);
// Enclosed in double quotes, every double quote inside doubled.
void appendQuoted(QByteArray& line, QByteArrayView text);
// Enclosed in double quotes as it is, for values that never hold one (currency codes).
void appendQuotedVerbatim(QByteArray& line, QByteArrayView text);
// An apostrophe in front keeps a spreadsheet program from reading an article number as a number.
void appendTradeNumber(QByteArray& line, QByteArrayView text);
// A number with its decimal separator made the chosen one; enclosed in double quotes when
// that separator also separates the fields.
void appendDecimal(QByteArray& line, QByteArrayView text, const CsvSettings& settings);

QString quoted(const QString& text);
QString quotedVerbatim(const QString& text);

} // namespace CsvField
