#include "SheetGrid.h"

bool SheetGrid::setCell(qint64 row, qint64 column, SpreadsheetCell cell)
{
    if (row < 1 || column < 1 || row > maxRows || column > maxColumns)
        return false;
    if (cell.isEmpty())
        return true;
    if (size_t(row) > m_rows.size())
        m_rows.resize(size_t(row));
    auto& cells = m_rows[size_t(row - 1)];
    if (cells.isEmpty())
        cells.reserve(std::max(qint64(m_columns), column)); // rows tend to be as wide as the last
    if (column > cells.size())
        cells.resize(column);
    SpreadsheetCell& stored = cells[column - 1];
    if (stored.isEmpty() && ++m_cellCount > maxCells)
        return false;
    stored = std::move(cell);
    m_columns = std::max(m_columns, int(column));
    return true;
}

bool SheetGrid::appendRows(SheetGrid&& below)
{
    if (m_cellCount + below.m_cellCount > maxCells)
        return false;
    if (below.m_rows.size() > m_rows.size())
        m_rows.resize(below.m_rows.size());
    for (size_t r = 0; r < below.m_rows.size(); ++r)
        if (!below.m_rows[r].isEmpty())
            m_rows[r] = std::move(below.m_rows[r]);
    m_columns = std::max(m_columns, below.m_columns);
    m_cellCount += below.m_cellCount;
    below = SheetGrid();
    return true;
}

SheetExtent SheetGrid::extent() const
{
    if (m_rows.empty())
        return {};
    return {int(m_rows.size()), m_columns};
}

QList<SpreadsheetCell> SheetGrid::row(int row) const
{
    const int columns = extent().columns;
    if (row < 1 || size_t(row) > m_rows.size())
        return QList<SpreadsheetCell>(columns);
    QList<SpreadsheetCell>& stored = m_rows[size_t(row - 1)];
    if (stored.size() != columns)
        stored.resize(columns);
    return stored;
}

QString SheetGrid::limitText()
{
    return QStringLiteral("the sheet exceeds %1 rows, %2 columns or %3 values")
        .arg(maxRows)
        .arg(maxColumns)
        .arg(maxCells);
}
