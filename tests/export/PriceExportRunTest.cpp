#include "export/PriceExportRun.h"
#include "db/DbConnection.h"
#include "db/DbQuery.h"
#include "export/ExportProgress.h"
#include "export/PriceFileLayout.h"
#include "platform/AppError.h"

#include "TestCatalog.h"
#include "TestFolder.h"
#include "TestStore.h"

#include <QTest>
#include <functional>

namespace {

// Records what the run shows, in order; a stop is requested at a chosen event processing,
// as a click on Stop would.
class RecordingProgress : public ExportProgress
{
public:
    QStringList calls;
    int stopAtEvents = 0; // the n-th processing of events confirms a stop; 0 never
    Job* job = nullptr;
    std::function<void(const QString&)> onBrand;

    void setPathText(const QString& text) override { calls << "path " + text; }
    void setFileText(const QString& text) override { calls << "file " + text; }
    void setRowText(const QString& text) override { calls << "row " + text; }
    void setBrandText(const QString& text) override
    {
        calls << text;
        if (onBrand)
            onBrand(text);
    }
    void showProgressTab() override { calls << "tab"; }
    void processEvents() override
    {
        calls << "events";
        if (++m_events == stopAtEvents)
            job->requestStop();
    }

private:
    int m_events = 0;
};

// One export run as the window makes it, with progress able to stop it.
void runExport(DbQuery& query, const StoreSchema& schema, RecordingProgress& progress,
               const CsvSettings& settings, const std::vector<BrandEntry>& brands, const QStringList& columns)
{
    PriceExportRun job(query);
    progress.job = &job;
    job.run(schema, settings, brands, columns, progress);
    QVERIFY(!job.isRunning());
    QVERIFY(!job.stopRequested());
}

const QStringList RestingTexts = {"path .......", "file 0", "row 0", "processing  brand ..."};

CsvSettings settings(const TestFolder& dir, int rowLimit = 10000)
{
    CsvSettings s;
    s.folder = dir.path() + "/";
    s.rowLimit = rowLimit;
    s.separator = ";";
    s.decimalSeparator = ",";
    return s;
}

// The data lines of a price file after its mark and header; "<bad file>" when either is missing
// or the last line has no end.
QStringList dataLines(const TestFolder& dir, const QString& name)
{
    const QByteArray bytes = dir.read(name);
    if (!bytes.startsWith("\xEF\xBB\xBF\"IDPART\"") || !bytes.endsWith("\r\n"))
        return {"<bad file>"};
    QStringList lines = QString::fromUtf8(bytes.mid(3)).split("\r\n");
    lines.removeFirst();
    lines.removeLast();
    return lines;
}

} // namespace

class PriceExportRunTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void progressOfARun();
    void stop_data();
    void stop();
    void valuesAsWritten();
    void productUnderTwoBrandsWithTwoPrices();
    void failedQueryEndsTheRun();

private:
    std::vector<BrandEntry> acmeCalderaBorvex() const
    {
        return {{1, "Acme", true}, {3, "Caldera", false}, {2, "Borvex", true}};
    }

    std::unique_ptr<TestStore> m_store;
    DbConnection m_connection{"UniConnection1"};
    DbQuery m_query{"UniQuery1", m_connection};
    StoreSchema m_schema{"jos_", "_en_gb"};
};

void PriceExportRunTest::initTestCase()
{
    m_store = std::make_unique<TestStore>("price_export_run");
    TestCatalog::addBrand(*m_store, 1, "Acme");
    TestCatalog::addBrand(*m_store, 2, "Borvex");
    TestCatalog::addBrand(*m_store, 3, "Caldera");
    TestCatalog::addProducts(*m_store, 1, 101, 3);
    TestCatalog::addProducts(*m_store, 2, 201, 4);
    TestCatalog::addProducts(*m_store, 3, 301, 2);
    m_store->connect(m_connection);
}

void PriceExportRunTest::init()
{
    m_query.close();
}

void PriceExportRunTest::progressOfARun()
{
    TestFolder dir;
    RecordingProgress progress;

    runExport(m_query, m_schema, progress, settings(dir, 4), acmeCalderaBorvex(), {"IDPART"});

    const QStringList expected = QStringList{"path " + dir.path() + "/",
                                             "file 1",
                                             "tab",
                                             "events",
                                             "processing  brand [Acme]",
                                             "events",
                                             "row 1",
                                             "events",
                                             "row 2",
                                             "events",
                                             "row 3",
                                             "events",
                                             "processing  brand [Caldera]",
                                             "events",
                                             "processing  brand [Borvex]",
                                             "events",
                                             "file 2",
                                             "row 4",
                                             "events",
                                             "row 5",
                                             "events",
                                             "row 6",
                                             "events",
                                             "file 3",
                                             "row 7",
                                             "events"} +
                                 RestingTexts;
    QCOMPARE(progress.calls, expected);
    QStringList ids = dataLines(dir, "F1.csv") + dataLines(dir, "F2.csv") + dataLines(dir, "F3.csv");
    QCOMPARE(dataLines(dir, "F1.csv").size(), 3);
    QCOMPARE(dataLines(dir, "F3.csv").size(), 1);
    ids.sort();
    QCOMPARE(ids, (QStringList{"101", "102", "103", "201", "202", "203", "204"}));
    QVERIFY(!m_query.active());
}

// The events are processed after the tab is shown (1), after each brand line (2 Acme,
// 6 Caldera, 7 Borvex) and after each row (3 to 5 Acme's rows).
void PriceExportRunTest::stop_data()
{
    QTest::addColumn<int>("stopAtEvents");
    QTest::addColumn<int>("rows");

    QTest::newRow("before any row") << 1 << 1;
    QTest::newRow("on the first brand's line") << 2 << 1;
    QTest::newRow("after the first row") << 3 << 2;
    QTest::newRow("after a brand's last row") << 5 << 3;
    QTest::newRow("on an unticked brand") << 6 << 3;
    QTest::newRow("on the next ticked brand") << 7 << 4;
}

void PriceExportRunTest::stop()
{
    QFETCH(int, stopAtEvents);
    QFETCH(int, rows);
    TestFolder dir;
    RecordingProgress progress;
    progress.stopAtEvents = stopAtEvents;

    runExport(m_query, m_schema, progress, settings(dir), acmeCalderaBorvex(), {"IDPART"});

    QCOMPARE(dataLines(dir, "F1.csv").size(), rows);
    QCOMPARE(progress.calls.mid(progress.calls.size() - 4), RestingTexts);
    QVERIFY(!m_query.active());
}

void PriceExportRunTest::valuesAsWritten()
{
    TestStore store("price_export_values");
    TestCatalog::addBrand(store, 7, QString::fromUtf8("Ždírec \"Díly\""));
    TestCatalog::addProduct(store,
                            {1, 7, "Brake pad; front\r\nleft \"premium\"", "AB-1/7", 4, "12.5", 47, true});
    TestCatalog::addProduct(store,
                            {2, 7, QString::fromUtf8("Тормозной диск 𝄞"), "x\"y", 0, "1234.75", 144, false});
    TestCatalog::addProduct(store, {3, 7, "", "", std::nullopt, std::nullopt, 47, true});
    DbConnection connection("UniConnection1");
    DbQuery query("UniQuery1", connection);
    store.connect(connection);
    TestFolder dir;
    RecordingProgress progress;

    runExport(query, m_schema, progress, settings(dir), {{7, "Ždírec", true}},
              PriceFileLayout::columnNames());

    QByteArray bytes = dir.read("F1.csv");
    const QByteArray brand = "\"\xC5\xBD"
                             "d\xC3\xADrec \"\"D\xC3\xADly\"\"\"";
    const QList<QByteArray> expected = {
        "1;" + brand + ";\"'AB-1/7\";\"Brake pad; front\r\nleft \"\"premium\"\"\";4;12,5;\"EUR\";1\r\n",
        "2;" + brand +
            ";\"'x\"y\";\"\xD0\xA2\xD0\xBE\xD1\x80\xD0\xBC\xD0\xBE\xD0\xB7\xD0\xBD\xD0\xBE\xD0\xB9 "
            "\xD0\xB4\xD0\xB8\xD1\x81\xD0\xBA \xF0\x9D\x84\x9E\";0;1234,75;\"USD\";0\r\n",
        "3;" + brand + ";\"'\";\"\";;;\"\";1\r\n",
    };
    // The rows come in the server's order.
    for (const QByteArray& line : expected) {
        QVERIFY2(bytes.contains(line), line.constData());
        bytes.replace(line, "");
    }
    QCOMPARE(bytes, "\xEF\xBB\xBF" +
                        PriceFileLayout(PriceFileLayout::columnNames(), settings(dir)).headerLine().toUtf8() +
                        "\r\n");
}

void PriceExportRunTest::productUnderTwoBrandsWithTwoPrices()
{
    m_store->exec("INSERT INTO @PREFIX@virtuemart_product_manufacturers (virtuemart_product_id,"
                  " virtuemart_manufacturer_id) VALUES (101, 2)");
    m_store->exec("INSERT INTO @PREFIX@virtuemart_product_prices (virtuemart_product_id, product_price,"
                  " product_currency) VALUES (101, 99.5, 144)");
    TestFolder dir;
    RecordingProgress progress;

    runExport(m_query, m_schema, progress, settings(dir), acmeCalderaBorvex(), {"PRICE"});

    m_store->exec("DELETE FROM @PREFIX@virtuemart_product_manufacturers WHERE virtuemart_product_id = 101"
                  " AND virtuemart_manufacturer_id = 2");
    m_store->exec("DELETE FROM @PREFIX@virtuemart_product_prices WHERE product_price = 99.5");
    QStringList lines = dataLines(dir, "F1.csv");
    QCOMPARE(lines.count("101;101"), 2);
    QCOMPARE(lines.count("101;99,5"), 2);
    QCOMPARE(lines.size(), 10); // Acme: 101 twice, 102, 103; Borvex: 101 twice, 201 to 204
}

void PriceExportRunTest::failedQueryEndsTheRun()
{
    TestFolder dir;
    RecordingProgress progress;
    m_store->exec("RENAME TABLE @PREFIX@virtuemart_product_prices TO moved_prices");

    QString message;
    try {
        runExport(m_query, m_schema, progress, settings(dir), acmeCalderaBorvex(), {"IDPART"});
    } catch (const AppError& error) {
        message = error.message();
    }
    m_store->exec("RENAME TABLE moved_prices TO @PREFIX@virtuemart_product_prices");

    QCOMPARE(message, QString("Table 'price_export_run.jos_virtuemart_product_prices' doesn't exist"));
    QCOMPARE(progress.calls.mid(progress.calls.size() - 4), RestingTexts);
    QCOMPARE(dataLines(dir, "F1.csv"), QStringList());
    QVERIFY(!m_query.active());
}

QTEST_GUILESS_MAIN(PriceExportRunTest)
#include "PriceExportRunTest.moc"
