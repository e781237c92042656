#include "FifteenDigits.h"

#include <QString>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

// When the shortest digits that read back as a normal value are 15 or fewer, rounding to 15 digits
// gives those same digits and can never meet a tie, where two ways of rounding would part:
// the text is then laid out from them as the 'g' format does.
FifteenDigits::FifteenDigits(double value)
{
    char shortest[32];
    // Subnormal numbers carry fewer digits than the proof needs.
    const bool normal = std::isfinite(value) && std::abs(value) >= std::numeric_limits<double>::min();
    const char* end =
        normal ? std::to_chars(shortest, shortest + sizeof shortest, value, std::chars_format::scientific).ptr
               : shortest;
    const char* e = static_cast<const char*>(std::memchr(shortest, 'e', size_t(end - shortest)));
    char digits[20];
    int count = 0;
    for (const char* c = shortest; e && c != e && count <= 15; ++c)
        if (*c >= '0' && *c <= '9')
            digits[count++] = *c;
    if (!e || count > 15) {
        const QByteArray text = QString::number(value, 'g', 15).toLatin1();
        m_size = std::min(text.size(), qsizetype(sizeof m_text));
        std::memcpy(m_text, text.constData(), size_t(m_size));
        return;
    }
    int exponent = 0;
    std::from_chars(e + (e[1] == '+' ? 2 : 1), end, exponent);
    const auto put = [this](char c) { m_text[m_size++] = c; };
    if (value < 0)
        put('-');
    if (exponent >= -4 && exponent < 15) {
        if (exponent < 0) {
            put('0');
            put('.');
            for (int k = exponent + 1; k < 0; ++k)
                put('0');
            for (int k = 0; k < count; ++k)
                put(digits[k]);
        } else {
            for (int k = 0; k <= exponent; ++k)
                put(k < count ? digits[k] : '0');
            if (count > exponent + 1) {
                put('.');
                for (int k = exponent + 1; k < count; ++k)
                    put(digits[k]);
            }
        }
        return;
    }
    put(digits[0]);
    if (count > 1) {
        put('.');
        for (int k = 1; k < count; ++k)
            put(digits[k]);
    }
    put('e');
    put(exponent < 0 ? '-' : '+');
    const int magnitude = std::abs(exponent);
    if (magnitude < 10)
        put('0');
    char number[4];
    const char* numberEnd = std::to_chars(number, number + sizeof number, magnitude).ptr;
    for (const char* c = number; c != numberEnd; ++c)
        put(*c);
}
