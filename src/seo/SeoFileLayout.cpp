#include "SeoFileLayout.h"

#include "export/CsvField.h"

#include <algorithm>

using namespace SeoColumns;

namespace {

QString cell(int column, const QString& text)
{
    switch (column) {
    case IdPart:
    case IdCategory:
        return CsvField::plain(text);
    case TradeNumber:
        return CsvField::tradeNumber(text);
    default:
        return CsvField::quoted(text);
    }
}

} // namespace

bool SeoColumnTicks::isTicked(int column) const
{
    return column == IdPart || column == IdCategory || ticked.at(column);
}

bool SeoColumnTicks::productsWanted() const
{
    return std::any_of(ticked.begin() + IdPart + 1, ticked.begin() + LastProductColumn + 1,
                       [](bool t) { return t; });
}

bool SeoColumnTicks::categoriesWanted() const
{
    return std::any_of(ticked.begin() + IdCategory + 1, ticked.end(), [](bool t) { return t; });
}

QString SeoFileLayout::title(const QString& brand, const QString& tradeNumber, const QString& name)
{
    return brand + u' ' + tradeNumber + QStringLiteral(" - ") + name;
}

SeoFileLayout::SeoFileLayout(SeoColumnTicks ticks, QString separator)
    : m_ticks(ticks), m_separator(std::move(separator))
{
}

QString SeoFileLayout::productHeader() const
{
    return header(QStringLiteral("IDPART"), IdPart + 1, LastProductColumn);
}

QString SeoFileLayout::categoryHeader() const
{
    return header(QStringLiteral("DATAPARTS"), IdCategory, LastCategoryColumn);
}

QString SeoFileLayout::productLine(const ColumnText& text) const
{
    return cell(IdPart, text(IdPart)) + cells(IdPart + 1, LastProductColumn, text);
}

QString SeoFileLayout::categoryLine(const QString& brand, const QString& tradeNumber, const QString& namePart,
                                    const ColumnText& text) const
{
    return CsvField::quoted(title(brand, tradeNumber, namePart)) +
           cells(IdCategory, LastCategoryColumn, text);
}

QString SeoFileLayout::header(const QString& first, int from, int to) const
{
    const QStringList& items = names();
    QString line = CsvField::quotedVerbatim(first);
    for (int column = from; column <= to; ++column)
        if (m_ticks.isTicked(column))
            line += m_separator + CsvField::quotedVerbatim(items[column]);
    return line;
}

QString SeoFileLayout::cells(int from, int to, const ColumnText& text) const
{
    QString line;
    for (int column = from; column <= to; ++column)
        if (m_ticks.isTicked(column))
            line += m_separator + cell(column, text(column));
    return line;
}
