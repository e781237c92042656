#pragma once

#include <QString>
#include <optional>

// A signed 32-bit whole number as typed: optional leading blanks and sign, then decimal
// digits, or hexadecimal digits after "$", "x" or "0x"; nothing may follow the digits.
std::optional<int> parseWholeNumber(const QString& text);
