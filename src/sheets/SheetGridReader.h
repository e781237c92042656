#pragma once

#include "SpreadsheetReader.h"

// A reader that loads the whole worksheet on open and serves rows from memory.
class SheetGridReader : public SpreadsheetReader
{
public:
    SheetExtent extent() const override { return m_grid.extent(); }
    std::unique_ptr<SheetRows> rows() const override;
    void close() override { m_grid = {}; }

protected:
    SheetGrid m_grid;
};
