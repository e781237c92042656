#include "sheets/SheetGrid.h"
#include "TestPackages.h"

#include <QtTest>

class SheetGridTest : public QObject
{
    Q_OBJECT

private slots:
    void emptySheetCountsAsCellA1()
    {
        SheetGrid grid;
        QCOMPARE(grid.extent(), SheetExtent({1, 1}));
        QCOMPARE(grid.row(1), QList<SpreadsheetCell>());
    }

    void extentEndsAtTheLastValue()
    {
        SheetGrid grid;
        QVERIFY(grid.setCell(2, 3, SpreadsheetCell::number(1)));
        QVERIFY(grid.setCell(4, 1, SpreadsheetCell::text("x")));
        QVERIFY(grid.setCell(9, 9, SpreadsheetCell()));
        QCOMPARE(grid.extent(), SheetExtent({4, 3}));
        QCOMPARE(describeRow(grid.row(2)), "||n:1");
        QCOMPARE(describeRow(grid.row(3)), "");
        QCOMPARE(describeRow(grid.row(4)), "t:x");
        QCOMPARE(describeRow(grid.row(5)), "");
    }

    void oneColumnSheet()
    {
        SheetGrid grid;
        for (int row = 1; row <= 3; ++row)
            QVERIFY(grid.setCell(row, 1, SpreadsheetCell::number(row)));
        QCOMPARE(grid.extent(), SheetExtent({3, 1}));
        QCOMPARE(describeRow(grid.row(3)), "n:3");
    }

    void refusesCellsBeyondTheLargestSheet()
    {
        SheetGrid grid;
        QVERIFY(grid.setCell(SheetGrid::maxRows, SheetGrid::maxColumns, SpreadsheetCell::number(1)));
        QVERIFY(!grid.setCell(SheetGrid::maxRows + 1, 1, SpreadsheetCell::number(1)));
        QVERIFY(!grid.setCell(1, SheetGrid::maxColumns + 1, SpreadsheetCell::number(1)));
        QVERIFY(!grid.setCell(0, 1, SpreadsheetCell::number(1)));
        QCOMPARE(grid.extent(), SheetExtent({int(SheetGrid::maxRows), int(SheetGrid::maxColumns)}));
    }

    void emptyCellsCostNothingWhereverTheyLie()
    {
        SheetGrid grid;
        QVERIFY(grid.setCell(SheetGrid::maxRows + 1, SheetGrid::maxColumns + 1, SpreadsheetCell()));
        QVERIFY(grid.setCell(0, 0, SpreadsheetCell()));
        QCOMPARE(grid.extent(), SheetExtent({1, 1}));
    }

    // Cells may come in any order (the shared strings of an xlsx are filled in afterwards).
    void cellsInAnyOrder()
    {
        SheetGrid grid;
        QVERIFY(grid.setCell(3, 2, SpreadsheetCell::number(32)));
        QVERIFY(grid.setCell(1, 3, SpreadsheetCell::number(13)));
        QVERIFY(grid.setCell(3, 1, SpreadsheetCell::number(31)));
        QVERIFY(grid.setCell(1, 1, SpreadsheetCell::number(11)));
        QVERIFY(grid.setCell(1, 3, SpreadsheetCell::text("x")));
        QCOMPARE(grid.extent(), SheetExtent({3, 3}));
        QCOMPARE(describeRow(grid.row(1)), "n:11||t:x");
        QCOMPARE(describeRow(grid.row(2)), "");
        QCOMPARE(describeRow(grid.row(3)), "n:31|n:32");
    }

    // A value in the last cell of the largest sheet, and one far right on every row of a
    // long list, cost what their values do; a row hands out cells up to its last value.
    void farCellsCostTheirValuesOnly()
    {
        SheetGrid grid;
        QVERIFY(grid.setCell(SheetGrid::maxRows, SheetGrid::maxColumns, SpreadsheetCell::number(1)));
        for (int row = 1; row <= 100000; ++row) {
            QVERIFY(grid.setCell(row, 1, SpreadsheetCell::number(row)));
            QVERIFY(grid.setCell(row, SheetGrid::maxColumns - 1, SpreadsheetCell::number(row)));
        }
        QCOMPARE(grid.extent(), SheetExtent({int(SheetGrid::maxRows), int(SheetGrid::maxColumns)}));
        for (int row = 100001; row < SheetGrid::maxRows; ++row)
            QVERIFY(grid.row(row).isEmpty());
        QCOMPARE(grid.row(7).size(), SheetGrid::maxColumns - 1);
        QCOMPARE(grid.row(int(SheetGrid::maxRows)).size(), SheetGrid::maxColumns);
    }
};

QTEST_GUILESS_MAIN(SheetGridTest)
#include "SheetGridTest.moc"
