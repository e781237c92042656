#include "FifteenDigits.h"

#include <QString>
#include <charconv>
#include <cmath>
#include <cstring>

FifteenDigits::FifteenDigits(double value)
{
    if (std::isfinite(value) && value != 0) {
        // When the shortest digits that read back as the value are 15 or fewer, rounding to
        // 15 digits gives the same digits and can never meet a tie, where the two ways of
        // rounding would part.
        const auto shortest = std::to_chars(m_text, m_text + sizeof m_text, value, std::chars_format::scientific);
        int digits = 0;
        for (const char* c = m_text; c != shortest.ptr && *c != 'e'; ++c)
            digits += *c >= '0' && *c <= '9';
        if (digits <= 15) {
            m_size = std::to_chars(m_text, m_text + sizeof m_text, value, std::chars_format::general, 15).ptr - m_text;
            return;
        }
    }
    const QByteArray text = QString::number(value, 'g', 15).toLatin1();
    m_size = std::min(text.size(), qsizetype(sizeof m_text));
    std::memcpy(m_text, text.constData(), size_t(m_size));
}
