#include "SheetGridReader.h"

namespace {

class GridRows : public SheetRows
{
public:
    explicit GridRows(const SheetGrid& grid) : m_grid(grid), m_rows(grid.extent().rows) {}

    bool next(QList<SpreadsheetCell>& cells) override
    {
        if (m_row == m_rows)
            return false;
        cells = m_grid.row(++m_row);
        return true;
    }

private:
    const SheetGrid& m_grid;
    int m_rows;
    int m_row = 0;
};

} // namespace

std::unique_ptr<SheetRows> SheetGridReader::rows() const
{
    return std::make_unique<GridRows>(m_grid);
}
