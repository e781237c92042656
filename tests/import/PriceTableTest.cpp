#include "import/PriceTable.h"

#include <QTest>
#include <cmath>

// How a price cell's text reads; a price that cannot be read changes nothing.
class PriceTableTest : public QObject
{
    Q_OBJECT

private slots:
    void readsPricesAsTyped_data();
    void readsPricesAsTyped();
};

void PriceTableTest::readsPricesAsTyped_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("price"); // "none" when no price is read

    for (const QString locale : {"C", "de_DE"}) {
        const auto row = [&](const char* text, const char* price) {
            QTest::addRow("%s %s", qPrintable(locale), text) << locale << QString(text) << QString(price);
        };
        row("12.5", "12.5");
        row("12,5", "12.5");
        row("-3", "-3");
        row("0", "0");
        row("", "none");
        row("12.5 EUR", "none");
        // A store column cannot hold these: the statement would fail when the script runs.
        row("inf", "none");
        row("-inf", "none");
        row("INF", "none");
        row("infinity", "none");
        row("nan", "none");
        row("NaN", "none");
        row("1e999", "none");
        row("-1e999", "none");
        row(qPrintable("1" + QString(400, u'0')), "none");
        row(qPrintable("1" + QString(400, u'0') + ",5"), "none");
    }
}

void PriceTableTest::readsPricesAsTyped()
{
    QFETCH(QString, locale);
    QFETCH(QString, text);
    QFETCH(QString, price);

    const std::optional<double> value = PriceConversion(QLocale(locale))(text);

    QCOMPARE(value ? QString::number(*value) : QString("none"), price);
}

QTEST_GUILESS_MAIN(PriceTableTest)
#include "PriceTableTest.moc"
