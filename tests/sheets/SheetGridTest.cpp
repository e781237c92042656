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
        QCOMPARE(grid.row(1), QList<SpreadsheetCell>({SpreadsheetCell()}));
    }

    void extentEndsAtTheLastValue()
    {
        SheetGrid grid;
        QVERIFY(grid.setCell(2, 3, SpreadsheetCell::number(1)));
        QVERIFY(grid.setCell(4, 1, SpreadsheetCell::text("x")));
        QVERIFY(grid.setCell(9, 9, SpreadsheetCell()));
        QCOMPARE(grid.extent(), SheetExtent({4, 3}));
        QCOMPARE(describeRow(grid.row(2)), "||n:1");
        QCOMPARE(describeRow(grid.row(3)), "||");
        QCOMPARE(describeRow(grid.row(4)), "t:x||");
        QCOMPARE(describeRow(grid.row(5)), "||");
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
};

QTEST_GUILESS_MAIN(SheetGridTest)
#include "SheetGridTest.moc"
