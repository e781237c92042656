#include "import/PriceListColumns.h"
#include "import/PriceTable.h"
#include "platform/AppError.h"

#include <QTest>

namespace {
QList<SpreadsheetCell> header(const QStringList& names)
{
    QList<SpreadsheetCell> cells;
    for (const QString& name : names)
        cells << SpreadsheetCell::text(name);
    return cells;
}
} // namespace

class TestPriceListColumns : public QObject
{
    Q_OBJECT
private slots:
    void recognisesExactNamesOnly_data()
    {
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QString>("expected"); // idPart,price,quantity,published | mode
        QTest::newRow("price export")
            << QStringList{"IDPART", "BRAND",    "TRADENUMBER", "NAMEPART",  "QUANTITY",
                           "PRICE",  "CURRENCY", "PUBLISHED",   "note : ..."}
            << "1,6,5,8|price";
        QTest::newRow("lower case id") << QStringList{"idpart", "PRICE"} << "0,2,0,0|nothing";
        QTest::newRow("id with a blank") << QStringList{"IDPART ", "PRICE"} << "0,2,0,0|nothing";
        QTest::newRow("rightmost wins") << QStringList{"IDPART", "PRICE", "PRICE"} << "1,3,0,0|price";
        QTest::newRow("price with SEO column")
            << QStringList{"IDPART", "PRICE", "PRODUCT:metadesc"} << "1,2,0,0|price";
        QTest::newRow("product SEO") << QStringList{"IDPART", "PRODUCT:sluq"} << "1,0,0,0|product";
        QTest::newRow("category SEO only")
            << QStringList{"IDCATEGORY", "CATEGORY:metakey"} << "0,0,0,0|category";
        QTest::newRow("both SEO") << QStringList{"IDPART", "PRODUCT:metakey", "IDCATEGORY", "CATEGORY:sluq"}
                                  << "1,0,0,0|product+category";
        QTest::newRow("category column without its id")
            << QStringList{"IDPART", "CATEGORY:metakey"} << "1,0,0,0|nothing";
        QTest::newRow("none") << QStringList{"A", "B"} << "0,0,0,0|nothing";
    }

    void recognisesExactNamesOnly()
    {
        QFETCH(QStringList, names);
        QFETCH(QString, expected);
        const PriceListColumns c = PriceListColumns::recognise(header(names));
        QString mode = c.priceMode() ? QStringLiteral("price") : QString();
        if (!c.priceMode()) {
            QStringList passes;
            if (c.productSeo)
                passes << QStringLiteral("product");
            if (c.categorySeo)
                passes << QStringLiteral("category");
            mode = passes.isEmpty() ? QStringLiteral("nothing") : passes.join(u'+');
        }
        QCOMPARE(QStringLiteral("%1,%2,%3,%4|%5")
                     .arg(c.idPart)
                     .arg(c.price)
                     .arg(c.quantity)
                     .arg(c.published)
                     .arg(mode),
                 expected);
    }

    void headerCellsThatAreNoTextNameNothing()
    {
        QList<SpreadsheetCell> cells = header({"IDPART"});
        cells << SpreadsheetCell::number(5) << SpreadsheetCell()
              << SpreadsheetCell::error(QStringLiteral("#N/A")) << SpreadsheetCell::boolean(true)
              << SpreadsheetCell::text(QStringLiteral("PRICE"));
        const PriceListColumns c = PriceListColumns::recognise(cells);
        QCOMPARE(c.idPart, 1);
        QCOMPARE(c.price, 6);
    }

    void pricesReadWithEitherDecimalMark_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value"); // -99 for "no change"
        QTest::newRow("point") << "12.5" << 12.5;
        QTest::newRow("comma") << "12,50" << 12.5;
        QTest::newRow("whole") << "100" << 100.0;
        QTest::newRow("zero") << "0" << 0.0;
        QTest::newRow("negative") << "-3.5" << -3.5;
        QTest::newRow("thousands") << "1,234.5" << -99.0;
        QTest::newRow("letters") << "abc" << -99.0;
        QTest::newRow("empty") << "" << -99.0;
    }

    void pricesReadWithEitherDecimalMark()
    {
        QFETCH(QString, text);
        QFETCH(double, value);
        QCOMPARE(PriceConversion()(text).value_or(-99.0), value);
    }

    void tableEntriesStartWithoutChange()
    {
        PriceTable table;
        table.reset(2);
        PriceEntry& e = table.takeEntry();
        QCOMPARE(e.quantity, -1);
        QCOMPARE(e.price, -1.0);
        QCOMPARE(e.productId, 0);
        QCOMPARE(e.published, -1);
        table.takeEntry();
        table.takeEntry(); // more accepted rows than sheet rows cannot happen, but must not overrun
        QCOMPARE(table.entries().size(), std::size_t(3));
    }
};

QTEST_GUILESS_MAIN(TestPriceListColumns)
#include "PriceListColumnsTest.moc"
