#include "platform/WholeNumber.h"

#include <QTest>

class TestWholeNumber : public QObject
{
    Q_OBJECT
private slots:
    // Ids are decimal only: a typing slip must not name another product.
    void decimalWholeNumbers_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("value"); // -1: not a number
        QTest::newRow("plain") << "57" << 57;
        QTest::newRow("blanks around") << " \t57 " << 57;
        QTest::newRow("plus") << "+57" << 57;
        QTest::newRow("minus") << "-3" << -3;
        QTest::newRow("x hex") << "x12" << -1;
        QTest::newRow("0x hex") << "0x12" << -1;
        QTest::newRow("dollar hex") << "$10" << -1;
        QTest::newRow("letters after") << "12a" << -1;
        QTest::newRow("fraction") << "2.5" << -1;
        QTest::newRow("blank") << "  " << -1;
        QTest::newRow("sign alone") << "-" << -1;
        QTest::newRow("blank inside") << "1 2" << -1;
        QTest::newRow("beyond int") << "2147483648" << -1;
        QTest::newRow("largest") << "2147483647" << 2147483647;
        QTest::newRow("arabic-indic digits") << QString::fromUtf8("\u0661\u0662") << -1;
    }

    void decimalWholeNumbers()
    {
        QFETCH(QString, text);
        QFETCH(int, value);
        const auto n = parseDecimalWholeNumber(text);
        QCOMPARE(n.value_or(-1), value);
    }

    // The settings and the port keep their own rule, hexadecimal included.
    void hexadecimalStaysForTheOtherReaders()
    {
        QCOMPARE(parseWholeNumber(QStringLiteral("x12")).value_or(-1), 18);
    }
};

QTEST_MAIN(TestWholeNumber)
#include "WholeNumberTest.moc"
