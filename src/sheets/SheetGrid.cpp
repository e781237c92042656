#include "SheetGrid.h"

#include <algorithm>
#include <iterator>

bool SheetGrid::setCell(qint64 row, qint64 column, SpreadsheetCell cell)
{
    if (cell.isEmpty())
        return true;
    if (!withinSheet(row, column))
        return false;
    // Readers mostly go row by row, left to right: the last row and its end come first.
    auto found = m_rows.empty() ? m_rows.end() : std::prev(m_rows.end());
    if (found == m_rows.end() || found->first < row) {
        const std::size_t width = found == m_rows.end() ? 0 : found->second.size();
        found = m_rows.emplace_hint(m_rows.end(), int(row), std::vector<Entry>());
        found->second.reserve(width); // rows tend to hold as many values as the one before
    } else if (found->first != row)
        found = m_rows.try_emplace(int(row)).first;
    std::vector<Entry>& cells = found->second;
    auto at = cells.empty() || cells.back().column < column
                  ? cells.end()
                  : std::lower_bound(cells.begin(), cells.end(), column,
                                     [](const Entry& e, qint64 c) { return e.column < c; });
    if (at != cells.end() && at->column == column) {
        at->cell = std::move(cell);
        return true;
    }
    if (m_cellCount >= maxCells) {
        if (cells.empty())
            m_rows.erase(found);
        return false;
    }
    cells.insert(at, {int(column), std::move(cell)});
    ++m_cellCount;
    m_columns = std::max(m_columns, int(column));
    return true;
}

SheetExtent SheetGrid::extent() const
{
    if (m_rows.empty())
        return {};
    return {m_rows.rbegin()->first, m_columns};
}

QList<SpreadsheetCell> SheetGrid::row(int row) const
{
    const auto found = m_rows.find(row);
    if (found == m_rows.end())
        return {};
    const std::vector<Entry>& cells = found->second;
    QList<SpreadsheetCell> list(cells.back().column);
    for (const Entry& e : cells)
        list[e.column - 1] = e.cell;
    return list;
}

QString SheetGrid::limitText()
{
    return QStringLiteral("the sheet exceeds %1 rows, %2 columns or %3 values")
        .arg(maxRows)
        .arg(maxColumns)
        .arg(maxCells);
}
