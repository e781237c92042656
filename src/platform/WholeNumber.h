#pragma once

#include <QString>
#include <optional>

// A signed 32-bit whole number as typed: optional leading blanks and sign, then decimal
// digits, or hexadecimal digits after "$", "x" or "0x"; nothing may follow the digits.
std::optional<int> parseWholeNumber(const QString& text);

// A signed 32-bit whole number in decimal digits only, blanks allowed around it and a sign
// before it: for ids, where "x12" read as hexadecimal would name another product.
std::optional<int> parseDecimalWholeNumber(const QString& text);
