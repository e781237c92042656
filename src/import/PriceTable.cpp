#include "PriceTable.h"

#include <QLocale>

void PriceTable::reset(int rows)
{
    m_entries.assign(std::size_t(std::max(rows, 0)), _PriceList{});
    m_next = 0;
}

_PriceList& PriceTable::takeEntry()
{
    if (m_next == m_entries.size())
        m_entries.emplace_back();
    return m_entries[m_next++];
}

std::optional<double> convertPrice(const QString& text)
{
    QLocale locale = QLocale::system();
    locale.setNumberOptions(QLocale::RejectGroupSeparator);
    bool ok = false;
    double value = locale.toDouble(QString(text).replace(u'.', u','), &ok);
    if (!ok)
        value = locale.toDouble(QString(text).replace(u',', u'.'), &ok);
    if (!ok)
        return std::nullopt;
    return value;
}
