#include "import/PriceListImport.h"
#include "RecordedProgress.h"
#include "TestCatalog.h"
#include "TestFolder.h"
#include "TestPackages.h"
#include "TestStore.h"
#include "db/DbConnection.h"
#include "db/DbQuery.h"
#include "store/StoreSchema.h"

#include <QTest>

namespace {

QString priceBlock(int id, const QString& price)
{
    return QStringLiteral("UPDATE jos_virtuemart_product_prices as Price \r\nSET Price.product_price = %1\r\n"
                          "WHERE Price.virtuemart_product_id = %2;\r\n  \r\n")
        .arg(price)
        .arg(id);
}

QString stockBlock(int id, int stock)
{
    return QStringLiteral("UPDATE jos_virtuemart_products as Pmain \r\nSET Pmain.product_in_stock = %1\r\n"
                          "WHERE Pmain.virtuemart_product_id = %2;\r\n  \r\n")
        .arg(stock)
        .arg(id);
}

// A supplier's list: by brand and trade number, no store ids.
const QByteArray supplierList = "BRAND;TRADENUMBER;PRICE;QUANTITY\r\n"
                                "Bosch;AB-1;11;5\r\n"
                                "Bosch;  AB-2  ;22;\r\n"
                                "Bosch;NOPE;1;\r\n"
                                "Bosch;SH-1;33;\r\n"
                                "bosch;X-9;55;\r\n"
                                "Valeo;X-9;66;\r\n"
                                "Valeo;PAD 7;77;\r\n"
                                ";;;\r\n";

QByteArray inlineCell(const char* reference, const QByteArray& text)
{
    return QByteArray("<c r=\"") + reference + "\" t=\"inlineStr\"><is><t xml:space=\"preserve\">" + text +
           "</t></is></c>";
}

// The supplier's list as a spreadsheet program saves it in xlsx.
QByteArray supplierWorkbook()
{
    QByteArray rows;
    const QList<QByteArray> lines = supplierList.split('\n');
    for (int r = 0; r < lines.size(); ++r) {
        const QList<QByteArray> cells = QByteArray(lines[r]).replace('\r', "").split(';');
        if (cells.join().isEmpty())
            continue;
        rows += "<row r=\"" + QByteArray::number(r + 1) + "\">";
        for (int c = 0; c < cells.size(); ++c) {
            if (cells[c].isEmpty())
                continue;
            const QByteArray reference = QByteArray(1, char('A' + c)) + QByteArray::number(r + 1);
            rows += r > 0 && c >= 2 ? "<c r=\"" + reference + "\"><v>" + cells[c] + "</v></c>"
                                    : inlineCell(reference.constData(), cells[c]);
        }
        rows += "</row>";
    }
    return makeXlsx(rows);
}

} // namespace

// The whole import against a real store: rows matched by trade number, and the prices the
// review warns of.
class TestPriceListImport : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        m_store = std::make_unique<TestStore>(QStringLiteral("price_list_import"));
        TestCatalog::addBrand(*m_store, 1, QStringLiteral("Bosch"));
        TestCatalog::addBrand(*m_store, 2, QStringLiteral("Valeo"));
        const QList<std::tuple<int, int, QString>> products = {
            {1, 1, "AB-1"}, {2, 1, "AB-2"}, {3, 1, "SH-1"},   {4, 1, "SH-1"},
            {5, 1, "X-9"},  {6, 2, "X-9"},  {7, 2, " PAD 7 "}};
        for (const auto& [id, brand, sku] : products) {
            TestProduct product{id, brand, QStringLiteral("Part %1").arg(id), sku};
            product.stock = 1;
            product.price = QString::number(id * 10);
            TestCatalog::addProduct(*m_store, product);
        }
        m_store->connect(m_connection);
    }

    void supplierListMatchedByTradeNumber_data()
    {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("csv") << "supplier.csv" << supplierList;
        QTest::newRow("xlsx") << "supplier.xlsx" << supplierWorkbook();
    }

    void supplierListMatchedByTradeNumber()
    {
        QFETCH(QString, fileName);
        QFETCH(QByteArray, bytes);
        TestFolder folder;
        folder.write(fileName, bytes);
        // Without BRAND, a trade number two brands share matches nothing; an apostrophe before
        // it, as the program's own export writes it, does not count.
        folder.write("without brand.csv", "TRADENUMBER;PRICE\r\nX-9;1\r\n'AB-1;12\r\n");
        ImportRules rules;
        rules.matchBy = ImportRules::MatchBy::TradeNumber;
        RecordedProgress progress;
        const ImportOutcome outcome =
            run({folder.filePath(fileName), folder.filePath("without brand.csv")}, folder, rules, progress);

        QCOMPARE(script(folder), priceBlock(1, "11") + stockBlock(1, 5) + priceBlock(2, "22") +
                                     priceBlock(5, "55") + priceBlock(6, "66") + priceBlock(7, "77") +
                                     priceBlock(1, "12") + "COMMIT;\r\n");
        QCOMPARE(outcome.unmatchedRows.count(), 3);
        QVERIFY2(progress.lines.contains(
                     QStringLiteral("         2 rows not matched by trade number: row 4 'NOPE' is not "
                                    "in the store, row 5 'SH-1' is shared by products 3, 4")),
                 qPrintable(progress.lines.join(u'\n')));
        QVERIFY(progress.lines.contains(QStringLiteral(
            "         1 rows not matched by trade number: row 2 'X-9' is shared by products 5, 6")));
        QCOMPARE(outcome.summaryLines().first(),
                 QStringLiteral("3 rows not matched by trade number: they change nothing."));
        QVERIFY(outcome.previewLines().contains(
            QStringLiteral("Not matched: %1, row 4 'NOPE' is not in the store")
                .arg(folder.filePath(fileName))));
    }

    // The same lists by IDPART, as the settings' default, give today's script: a list without
    // IDPART yields nothing.
    void tradeNumbersCountOnlyWhenChosen()
    {
        TestFolder folder;
        folder.write("supplier.csv", supplierList);
        folder.write("own export.csv", "IDPART;BRAND;TRADENUMBER;PRICE\r\n2;Bosch;'AB-1;21\r\n");
        RecordedProgress progress;
        const ImportOutcome outcome =
            run({folder.filePath("supplier.csv"), folder.filePath("own export.csv")}, folder, ImportRules(),
                progress);
        QCOMPARE(script(folder), priceBlock(2, "21") + "COMMIT;\r\n");
        QCOMPARE(outcome.unmatchedRows.count(), 0);
    }

    // A decimal mark read wrong raises a price by thousands of percent: the script holds it as
    // the list says, the review names it and advises against the run.
    void priceGuard_data()
    {
        QTest::addColumn<QByteArray>("list");
        QTest::addColumn<int>("limit");
        QTest::addColumn<bool>("zero");
        QTest::addColumn<QString>("line");
        const QByteArray slip = "IDPART;PRICE\r\n1;1050\r\n2;21\r\n3;0\r\n";
        QTest::newRow("defaults")
            << slip << 50 << true
            << "2 prices change by more than 50 % or become 0: id 1 10.00000 -> 1050 (+10400 %), "
               "id 3 30.00000 -> 0 (-100 %)";
        QTest::newRow("zero only") << slip << 0 << true << "1 prices become 0: id 3 30.00000 -> 0 (-100 %)";
        QTest::newRow("limit only") << slip << 200 << false
                                    << "1 prices change by more than 200 %: id 1 10.00000 -> 1050 (+10400 %)";
        QTest::newRow("switched off") << slip << 0 << false << QString();
        QTest::newRow("within the limit")
            << QByteArray("IDPART;PRICE\r\n1;14.99\r\n") << 50 << true << QString();
    }

    void priceGuard()
    {
        QFETCH(QByteArray, list);
        QFETCH(int, limit);
        QFETCH(bool, zero);
        QFETCH(QString, line);
        TestFolder folder;
        folder.write("list.csv", list);
        ImportRules rules;
        rules.warnAbovePercent = limit;
        rules.warnWhenPriceBecomesZero = zero;
        RecordedProgress progress;
        ImportOutcome outcome = run({folder.filePath("list.csv")}, folder, rules, progress);
        QCOMPARE(outcome.priceGuard.line(), line);
        QCOMPARE(outcome.advisesAgainst(), !line.isEmpty());
        QCOMPARE(outcome.summaryLines().contains(line), !line.isEmpty());
        int marked = 0;
        for (const ChangePreview::ChangedRow& row : outcome.review.preview.rows)
            marked += row.warned;
        QCOMPARE(marked, int(outcome.priceGuard.warned.size()));
        QVERIFY(script(folder).contains(QStringLiteral("SET Price.product_price = ") +
                                        QString::fromLatin1(list.split('\n')[1].split(';')[1]).trimmed()));
    }

private:
    ImportOutcome run(const QStringList& files, const TestFolder& folder, const ImportRules& rules,
                      RecordedProgress& progress)
    {
        DbQuery query(QStringLiteral("UniQuery1"), m_connection);
        PriceListImport import(m_connection, query);
        ImportRequest request{files, folder.filePath("update.sql"), "windows-1252", rules};
        return import
            .run(request, StoreSchema{m_store->prefix(), QStringLiteral("_") + m_store->language()}, progress)
            .value();
    }

    static QString script(const TestFolder& folder)
    {
        return QString::fromUtf8(folder.read("update.sql").mid(3));
    }

    std::unique_ptr<TestStore> m_store;
    DbConnection m_connection{QStringLiteral("UniConnection1")};
};

QTEST_GUILESS_MAIN(TestPriceListImport)
#include "PriceListImportTest.moc"
