#pragma once

#include "SpreadsheetReader.h"

// A reader that loads the whole worksheet on open and serves rows from memory.
class SheetGridReader : public SpreadsheetReader
{
public:
    SheetExtent extent() const override { return m_grid.extent(); }
    QList<SpreadsheetCell> readRow(int row) const override { return m_grid.row(row); }
    void close() override { m_grid = {}; }

protected:
    SheetGrid m_grid;
};
