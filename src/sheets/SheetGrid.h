#pragma once

#include "SpreadsheetCell.h"

#include <QList>
#include <map>
#include <vector>

// How much of a worksheet is used: the row and the column of its last used cell (1-based).
struct SheetExtent
{
    int rows = 1;
    int columns = 1;

    bool operator==(const SheetExtent&) const = default;
};

// The non-empty cells of one worksheet, held in memory. Only values cost memory: a cell far
// to the right or below costs as much as one in A1.
class SheetGrid
{
public:
    static constexpr qint64 maxRows = 1048576;
    static constexpr qint64 maxColumns = 16384;
    // Keeps a small file that repeats one value over a whole sheet from exhausting memory.
    static constexpr qint64 maxCells = 1 << 23;

    // row and column are 1-based; an empty cell is not stored, wherever it lies. Returns
    // false when a value lies beyond the largest sheet a spreadsheet program opens, or when
    // the sheet would hold more than maxCells values.
    bool setCell(qint64 row, qint64 column, SpreadsheetCell cell);
    // Why setCell refused a cell.
    static QString limitText();
    // Whether a cell (row and column 1-based) lies within the largest sheet.
    static bool withinSheet(qint64 row, qint64 column)
    {
        return row >= 1 && column >= 1 && row <= maxRows && column <= maxColumns;
    }

    // An empty sheet counts as its cell A1, as in a spreadsheet program.
    SheetExtent extent() const;

    // The cells of a row up to its last value; none for a row without values.
    QList<SpreadsheetCell> row(int row) const;

    bool operator==(const SheetGrid&) const = default;

private:
    struct Entry
    {
        int column;
        SpreadsheetCell cell;

        bool operator==(const Entry&) const = default;
    };
    // Each row's values in the order of their columns, by row number.
    std::map<int, std::vector<Entry>> m_rows;
    int m_columns = 0;
    qint64 m_cellCount = 0;
};
