#pragma once

#include <QLocale>
#include <QString>
#include <optional>
#include <vector>

// The changes read for one product; a negative quantity or price and a published of -1 mean
// "no change", a productId of 0 an entry that carries nothing.
struct PriceEntry
{
    int quantity = -1;
    double price = -1.0;
    int productId = 0;
    int published = -1;
};

// The price table of one file: one entry per accepted data row, in row order.
class PriceTable
{
public:
    // Room for rows entries, all without change.
    void reset(int rows);
    // The next entry for an accepted row.
    PriceEntry& takeEntry();
    const std::vector<PriceEntry>& entries() const { return m_entries; }

private:
    std::vector<PriceEntry> m_entries;
    std::size_t m_next = 0;
};

// Reads prices as typed: "," or "." as decimal mark, no thousands separators, finite, under the
// locale it was made with (the import takes the system's once per file: asking the system
// for every cell would cost more than the reading itself).
class PriceConversion
{
public:
    explicit PriceConversion(const QLocale& locale = QLocale::system());

    std::optional<double> operator()(const QString& text) const;
    // What reading a number cell's text gives, without the text: the value of its fifteen
    // digits. Nothing where that text would not be a plain number under this locale.
    std::optional<double> ofNumber(double cellValue) const;

private:
    QLocale m_locale;
    // The locale writes a plain number as C does but for its decimal mark, "." or ",".
    bool m_plainNumbersAsInC = false;
};
