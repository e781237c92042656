#include "export/PriceFileLayout.h"

#include <QMap>
#include <QTest>

using Row = QMap<QString, QString>;

namespace {

const QString Note =
    QStringLiteral("\"note : if for values [QUANTITY,PRICE,PUBLISHED] is no value is specified "
                   "(worth NULL) then these values during the upgrade does not participate\"");

CsvSettings settings(const QString& separator, const QString& decimalSeparator)
{
    CsvSettings result;
    result.separator = separator;
    result.decimalSeparator = decimalSeparator;
    return result;
}

} // namespace

class PriceFileLayoutTest : public QObject
{
    Q_OBJECT

private slots:
    void columnNames();
    void header_data();
    void header();
    void dataLine_data();
    void dataLine();
};

void PriceFileLayoutTest::columnNames()
{
    QCOMPARE(PriceFileLayout::columnNames(), (QStringList{"IDPART", "BRAND", "TRADENUMBER", "NAMEPART",
                                                          "QUANTITY", "PRICE", "CURRENCY", "PUBLISHED"}));
}

void PriceFileLayoutTest::header_data()
{
    QTest::addColumn<QStringList>("ticked");
    QTest::addColumn<QString>("separator");
    QTest::addColumn<QString>("header");

    QTest::newRow("all columns")
        << PriceFileLayout::columnNames() << ";"
        << "\"IDPART\";BRAND;TRADENUMBER;NAMEPART;QUANTITY;PRICE;CURRENCY;PUBLISHED;" + Note;
    QTest::newRow("only IDPART") << QStringList{"IDPART"} << ";"
                                 << "\"IDPART\";" + Note;
    QTest::newRow("IDPART unticked") << QStringList{} << ";"
                                     << "\"IDPART\";" + Note;
    QTest::newRow("list order, tab") << QStringList{"PRICE", "BRAND"} << "\t"
                                     << "\"IDPART\"\tBRAND\tPRICE\t" + Note;
}

void PriceFileLayoutTest::header()
{
    QFETCH(QStringList, ticked);
    QFETCH(QString, separator);
    QFETCH(QString, header);

    QCOMPARE(PriceFileLayout(ticked, settings(separator, ".")).headerLine(), header);
}

void PriceFileLayoutTest::dataLine_data()
{
    QTest::addColumn<QStringList>("ticked");
    QTest::addColumn<QString>("separator");
    QTest::addColumn<QString>("decimalSeparator");
    QTest::addColumn<Row>("row");
    QTest::addColumn<QString>("line");

    const QStringList all = PriceFileLayout::columnNames();
    const Row product{{"IDPART", "57"},          {"BRAND", "Acme"},    {"TRADENUMBER", "AB 12/7"},
                      {"NAMEPART", "Brake pad"}, {"QUANTITY", "4"},    {"PRICE", "12.50000"},
                      {"CURRENCY", "EUR"},       {"PUBLISHED", "True"}};
    Row nulls{{"IDPART", "58"}};
    Row quotes = product;
    quotes["BRAND"] = "a\"bc";
    quotes["TRADENUMBER"] = "X\"1";
    quotes["NAMEPART"] = "Pad, front";
    quotes["PUBLISHED"] = "False";
    Row lowerTrue = product;
    lowerTrue["PUBLISHED"] = "true";

    QTest::newRow("all columns") << all << ";"
                                 << "," << product
                                 << "57;\"Acme\";\"'AB 12/7\";\"Brake pad\";4;12,50000;\"EUR\";1";
    QTest::newRow("NULL values") << all << ";"
                                 << "." << nulls << "58;\"\";\"'\";\"\";;;\"\";0";
    QTest::newRow("quotes and commas")
        << all << ","
        << "." << quotes << "57,\"a\"\"bc\",\"'X\"1\",\"Pad, front\",4,12.50000,\"EUR\",0";
    QTest::newRow("comma for both") << all << ","
                                    << "," << product
                                    << "57,\"Acme\",\"'AB 12/7\",\"Brake pad\",4,\"12,50000\",\"EUR\",1";
    QTest::newRow("published is exactly True") << QStringList{"PUBLISHED"} << ";"
                                               << "." << lowerTrue << "57;0";
    QTest::newRow("only IDPART") << QStringList{"IDPART"} << ";"
                                 << "." << product << "57";
    QTest::newRow("IDPART unticked") << QStringList{"PRICE"} << "\t"
                                     << "," << product << "57\t12,50000";
}

void PriceFileLayoutTest::dataLine()
{
    QFETCH(QStringList, ticked);
    QFETCH(QString, separator);
    QFETCH(QString, decimalSeparator);
    QFETCH(Row, row);
    QFETCH(QString, line);

    const PriceFileLayout layout(ticked, settings(separator, decimalSeparator));
    const QStringList& names = PriceFileLayout::columnNames();
    QByteArray value;
    QByteArray written = "the line of an earlier row, longer than any of these";
    layout.fillDataLine(written, [&](int column) {
        value = row.value(names[column]).toUtf8();
        return QByteArrayView(value);
    });
    QCOMPARE(QString::fromUtf8(written), line);
}

QTEST_GUILESS_MAIN(PriceFileLayoutTest)
#include "PriceFileLayoutTest.moc"
