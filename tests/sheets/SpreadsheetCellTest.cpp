#include "sheets/SpreadsheetCell.h"

#include <QtTest>

class SpreadsheetCellTest : public QObject
{
    Q_OBJECT

private slots:
    void showsNumbersInGeneralFormat_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("fraction") << 12.5 << "12.5";
        QTest::newRow("trailing zeros dropped") << 12.50 << "12.5";
        QTest::newRow("whole number") << 1234567.0 << "1234567";
        QTest::newRow("negative") << -3.0 << "-3";
        QTest::newRow("negative zero") << -0.0 << "0";
        QTest::newRow("binary rounding hidden") << 0.1 + 0.2 << "0.3";
        QTest::newRow("15 digits") << 123456789012345.0 << "123456789012345";
        QTest::newRow("16 digits") << 1234567890123456.0 << "1.23456789012346E+15";
        QTest::newRow("large") << 1e20 << "1E+20";
        QTest::newRow("small") << 0.0000001 << "1E-07";
        QTest::newRow("date serial") << 45352.0 << "45352";
        QTest::newRow("time of day") << 0.5625 << "0.5625";
    }

    void showsNumbersInGeneralFormat()
    {
        QFETCH(double, value);
        QFETCH(QString, text);
        const SpreadsheetCell cell = SpreadsheetCell::number(value);
        QCOMPARE(cell.type(), SpreadsheetCell::Type::Number);
        QCOMPARE(cell.displayText(), text);
    }

    void showsOtherValues()
    {
        QCOMPARE(SpreadsheetCell().displayText(), QString());
        QCOMPARE(SpreadsheetCell::text(" a\r\nb ").displayText(), " a\r\nb ");
        QCOMPARE(SpreadsheetCell::boolean(true).displayText(), "TRUE");
        QCOMPARE(SpreadsheetCell::boolean(false).displayText(), "FALSE");
        QCOMPARE(SpreadsheetCell::error("#N/A").displayText(), "#N/A");
        QCOMPARE(SpreadsheetCell::error("#N/A").type(), SpreadsheetCell::Type::Error);
    }

    void emptyTextIsAnEmptyCell()
    {
        QVERIFY(SpreadsheetCell::text(QString()).isEmpty());
        QCOMPARE(SpreadsheetCell::text(""), SpreadsheetCell());
        QVERIFY(!SpreadsheetCell::text(" ").isEmpty());
    }
};

QTEST_GUILESS_MAIN(SpreadsheetCellTest)
#include "SpreadsheetCellTest.moc"
