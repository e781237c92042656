#include "UnreadableCells.h"

#include "PriceListColumns.h"

void UnreadableCells::add(int column, const QString& name, int row)
{
    Column& c = m_columns[column];
    c.name = name;
    ++c.count;
    if (c.rows.size() < RowsNamed)
        c.rows << row;
}

QStringList UnreadableCells::logLines() const
{
    QStringList lines;
    for (const auto& [column, c] : m_columns) {
        QStringList rows;
        for (const int row : c.rows)
            rows << QString::number(row);
        lines << QStringLiteral(
                     "         Column %1 (%2): %3 cells could not be read and change nothing, rows %4%5")
                     .arg(c.name, PriceListColumns::letters(column), QString::number(c.count),
                          rows.join(QStringLiteral(", ")),
                          c.count > c.rows.size() ? QStringLiteral(", ...") : QString());
    }
    return lines;
}
