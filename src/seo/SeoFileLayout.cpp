#include "SeoFileLayout.h"

#include "export/CsvField.h"

#include <algorithm>

using namespace SeoColumns;

namespace {

void appendCell(QByteArray& line, int column, QByteArrayView text)
{
    switch (column) {
    case IdPart:
    case IdCategory:
        CsvField::appendPlain(line, text);
        break;
    case TradeNumber:
        CsvField::appendTradeNumber(line, text);
        break;
    default:
        CsvField::appendQuoted(line, text);
        break;
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
    : m_ticks(ticks), m_separator(std::move(separator)), m_separatorUtf8(m_separator.toUtf8())
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

void SeoFileLayout::fillProductLine(QByteArray& line, const ColumnText& text) const
{
    line.truncate(0);
    appendCell(line, IdPart, text(IdPart));
    appendCells(line, IdPart + 1, LastProductColumn, text);
}

QByteArray SeoFileLayout::titleCell(const QString& brand, const QString& tradeNumber, const QString& namePart)
{
    QByteArray cell;
    CsvField::appendQuoted(cell, title(brand, tradeNumber, namePart).toUtf8());
    return cell;
}

void SeoFileLayout::fillCategoryLine(QByteArray& line, QByteArrayView titleCell, const ColumnText& text) const
{
    line.truncate(0);
    line.append(titleCell);
    appendCells(line, IdCategory, LastCategoryColumn, text);
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

void SeoFileLayout::appendCells(QByteArray& line, int from, int to, const ColumnText& text) const
{
    for (int column = from; column <= to; ++column)
        if (m_ticks.isTicked(column)) {
            line.append(m_separatorUtf8);
            appendCell(line, column, text(column));
        }
}
