#include "PriceTable.h"

#include "sheets/FifteenDigits.h"

#include <charconv>
#include <cmath>

void PriceTable::reset(int rows)
{
    m_entries.assign(std::size_t(std::max(rows, 0)), PriceEntry{});
    m_next = 0;
}

PriceEntry& PriceTable::takeEntry()
{
    if (m_next == m_entries.size())
        m_entries.emplace_back();
    return m_entries[m_next++];
}

namespace {

// Digits with at most one "." or "," between them, and a leading minus sign.
bool isPlainNumber(const QString& text)
{
    qsizetype i = text.startsWith(u'-') ? 1 : 0;
    const qsizetype start = i;
    bool mark = false;
    for (; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c == u'.' || c == u',') {
            if (mark || i == start || i + 1 == text.size())
                return false;
            mark = true;
        } else if (c < u'0' || c > u'9') {
            return false;
        }
    }
    return i > start;
}

// "inf", "nan" and figures beyond the range of a double are no price the store can take.
std::optional<double> finitePrice(double value)
{
    return std::isfinite(value) ? std::optional(value) : std::nullopt;
}

} // namespace

PriceConversion::PriceConversion(const QLocale& locale) : m_locale(locale)
{
    m_locale.setNumberOptions(QLocale::RejectGroupSeparator);
    const QString point = m_locale.decimalPoint();
    m_plainNumbersAsInC =
        (point == u"." || point == u",") && m_locale.zeroDigit() == u"0" && m_locale.negativeSign() == u"-";
}

std::optional<double> PriceConversion::operator()(const QString& text) const
{
    // Either mark reads as the decimal mark: the same number as the locale would give.
    if (m_plainNumbersAsInC && isPlainNumber(text)) {
        bool ok = false;
        const double value = text.toLatin1().replace(',', '.').toDouble(&ok);
        if (ok)
            return finitePrice(value);
    }
    bool ok = false;
    double value = m_locale.toDouble(QString(text).replace(u'.', u','), &ok);
    if (!ok)
        value = m_locale.toDouble(QString(text).replace(u',', u'.'), &ok);
    if (!ok)
        return std::nullopt;
    return finitePrice(value);
}

std::optional<double> PriceConversion::ofNumber(double cellValue) const
{
    const FifteenDigits digits(cellValue);
    const QByteArrayView text = digits.text();
    if (!m_plainNumbersAsInC || text.contains('e') || text.contains('n'))
        return std::nullopt;
    double value = 0;
    const auto result = std::from_chars(text.begin(), text.end(), value);
    if (result.ec != std::errc() || result.ptr != text.end())
        return std::nullopt;
    return value;
}
