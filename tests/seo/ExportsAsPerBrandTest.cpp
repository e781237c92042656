// The price and SEO exports read the store in one statement per kind of row; their files must
// be byte for byte what one DISTINCT statement per brand (and per product) gave. Compared on a
// store whose link rows are not in product order, with products under two brands, repeated and
// differing price rows, repeated category links, duplicate names, empty texts and NULLs, with
// the store's own keys and VirtueMart's, on InnoDB and MyISAM.
#include "PerBrandExports.h"
#include "TestCatalog.h"
#include "TestFolder.h"
#include "TestStore.h"
#include "db/DbQuery.h"
#include "export/ExportProgress.h"
#include "export/PriceExportRun.h"
#include "export/PriceFileLayout.h"
#include "seo/SeoGeneratedTexts.h"
#include "seo/SeoRun.h"
#include "seo/SeoStoredTexts.h"
#include "store/StoreSchema.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTest>
#include <memory>

namespace {

class QuietProgress : public ExportProgress
{
public:
    void setPathText(const QString&) override {}
    void setFileText(const QString&) override {}
    void setRowText(const QString&) override {}
    void setBrandText(const QString&) override {}
    void showProgressTab() override {}
    void processEvents() override {}
};

QString sqlText(const std::optional<QString>& text)
{
    return text ? u'\'' + *text + u'\'' : QStringLiteral("NULL");
}

// A catalogue of 60 products in six brands (two of them named alike, one without a name) and eight
// categories, its link rows shuffled so that no table's order follows the product ids.
void fillStore(TestStore& store)
{
    QRandomGenerator random(23);
    const QStringList brands = {"Acme", "Borvex", "Caldera", "Acme", "Dorn"};
    for (int b = 0; b < brands.size(); ++b)
        TestCatalog::addBrand(store, b + 1, brands[b]);
    const QList<std::optional<QString>> texts = {std::nullopt,       "",          "Brake pad", "Brake pad",
                                                 "Mirror; \"left\"", "Ölfilter 𝄞"};
    const auto text = [&] { return sqlText(texts[random.bounded(int(texts.size()))]); };
    QStringList products, descriptions, links, prices, categoryLinks;
    for (int id = 1; id <= 60; ++id) {
        products << QString("(%1, 'SKU-%2', %3, %4)")
                        .arg(id)
                        .arg(id % 7)
                        .arg(id % 5 ? QString::number(id * 3) : QString("NULL"))
                        .arg(id % 2);
        if (id % 11 != 0) // some products have no text row
            descriptions << QString("(%1, %2, %3, %4, %5, %6, %7)")
                                .arg(id)
                                .arg(text(), text(), text(), text(), text(), text());
        links << QString("(%1, %2)").arg(id).arg(1 + random.bounded(5));
        if (id % 9 == 0)
            links << QString("(%1, %2)").arg(id).arg(1 + (id % 5)); // a second brand, or the same twice
        if (id % 17 == 0)
            links << QString("(%1, 6)").arg(id); // a brand without a name
        if (id % 13 != 0)
            prices << QString("(%1, %2.5, %3)").arg(id).arg(id).arg(id % 3 ? 47 : 144);
        if (id % 6 == 0)
            prices << QString("(%1, %2.5, 47)").arg(id).arg(id); // repeated or differing price rows
        if (id % 8 == 0)
            prices << QString("(%1, 99, 144)").arg(id);
        for (int c = random.bounded(4); c > 0; --c)
            categoryLinks << QString("(%1, %2)").arg(id).arg(1 + random.bounded(8)); // repeats too
    }
    for (QStringList* rows : {&links, &prices, &categoryLinks})
        for (qsizetype i = rows->size() - 1; i > 0; --i)
            rows->swapItemsAt(i, random.bounded(i + 1));
    store.exec(
        "INSERT INTO @PREFIX@virtuemart_products (virtuemart_product_id, product_sku, product_in_stock,"
        " published) VALUES " +
        products.join(", "));
    store.exec("INSERT INTO @PREFIX@virtuemart_products_@LANG@ (virtuemart_product_id, product_name,"
               " product_s_desc, metadesc, metakey, customtitle, slug) VALUES " +
               descriptions.join(", "));
    // VirtueMart's keys take a product under one brand once only.
    store.exec("INSERT IGNORE INTO @PREFIX@virtuemart_product_manufacturers (virtuemart_product_id,"
               " virtuemart_manufacturer_id) VALUES " +
               links.join(", "));
    store.exec("INSERT INTO @PREFIX@virtuemart_product_prices (virtuemart_product_id, product_price,"
               " product_currency) VALUES " +
               prices.join(", "));
    for (int c = 1; c <= 8; ++c) {
        store.exec(
            QString("INSERT INTO @PREFIX@virtuemart_categories (virtuemart_category_id) VALUES (%1)").arg(c));
        store.exec(
            QString("INSERT INTO @PREFIX@virtuemart_categories_@LANG@ (virtuemart_category_id,"
                    " category_name, metadesc, metakey, customtitle, slug) VALUES (%1, '%2', %3, '', 'T',"
                    " 'car-%4')")
                .arg(c)
                .arg(c % 3 ? QString("Brakes") : QString("Mirrors %1").arg(c))
                .arg(c % 2 ? QString("''") : QString("'about %1'").arg(c))
                .arg(c % 4));
    }
    store.exec(
        "INSERT INTO @PREFIX@virtuemart_product_categories (virtuemart_product_id, virtuemart_category_id)"
        " VALUES " +
        categoryLinks.join(", "));
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// Every file of both folders, by name.
void compareFolders(const TestFolder& expected, const TestFolder& actual)
{
    const QStringList names = QDir(expected.path()).entryList(QDir::Files, QDir::Name);
    QCOMPARE(QDir(actual.path()).entryList(QDir::Files, QDir::Name), names);
    QVERIFY(!names.isEmpty());
    for (const QString& name : names)
        QVERIFY2(readFile(expected.path() + '/' + name) == readFile(actual.path() + '/' + name),
                 qPrintable(name + " differs"));
}

CsvSettings settingsFor(const TestFolder& dir, int rowLimit)
{
    CsvSettings s;
    s.folder = dir.path() + '/';
    s.rowLimit = rowLimit;
    return s;
}

std::vector<BrandEntry> brandList(const QList<int>& ticked)
{
    std::vector<BrandEntry> brands;
    for (const int id : {3, 1, 6, 5, 2, 4}) // the list's order is not the ids'
        brands.push_back({id, QString::number(id), ticked.contains(id)});
    return brands;
}

} // namespace

class ExportsAsPerBrandTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void priceFiles_data();
    void priceFiles();
    void seoFiles_data();
    void seoFiles();

private:
    std::vector<std::unique_ptr<TestStore>> m_stores;
    QStringList m_variants;
};

void ExportsAsPerBrandTest::initTestCase()
{
    QFile vmKeys(VELMORA_VM_KEYS_SCRIPT);
    QVERIFY(vmKeys.open(QIODevice::ReadOnly));
    const QString vmKeysScript = QString::fromUtf8(vmKeys.readAll());
    for (const QString engine : {"InnoDB", "MyISAM"})
        for (const bool vm : {false, true}) {
            auto store = std::make_unique<TestStore>(
                QString("exports_%1_%2").arg(engine.toLower(), vm ? "vm" : "demo"));
            if (vm)
                store->execScript(vmKeysScript);
            if (engine == "MyISAM")
                for (const QString& table : store->column("SHOW TABLES"))
                    store->exec("ALTER TABLE " + table + " ENGINE=MyISAM");
            fillStore(*store);
            store->exec("ANALYZE TABLE @PREFIX@virtuemart_products, @PREFIX@virtuemart_product_manufacturers,"
                        " @PREFIX@virtuemart_product_prices, @PREFIX@virtuemart_product_categories");
            m_variants << engine + (vm ? ", VirtueMart's keys" : ", the demo's keys");
            m_stores.push_back(std::move(store));
        }
}

void ExportsAsPerBrandTest::priceFiles_data()
{
    QTest::addColumn<int>("store");
    QTest::addColumn<QList<int>>("ticked");
    QTest::addColumn<QStringList>("columns");
    QTest::addColumn<int>("rowLimit");
    for (int s = 0; s < int(m_stores.size()); ++s) {
        const QByteArray name = m_variants[s].toUtf8();
        QTest::newRow(name + ", every brand and column")
            << s << QList<int>{1, 2, 3, 4, 5, 6} << PriceFileLayout::columnNames() << 10000;
        QTest::newRow(name + ", some brands and columns, files of 7 lines")
            << s << QList<int>{4, 1, 5} << QStringList{"PRICE", "NAMEPART"} << 7;
    }
}

void ExportsAsPerBrandTest::priceFiles()
{
    QFETCH(int, store);
    QFETCH(QList<int>, ticked);
    QFETCH(QStringList, columns);
    QFETCH(int, rowLimit);
    const StoreSchema schema{"jos_", "_en_gb"};
    DbConnection connection("UniConnection1");
    m_stores[store]->connect(connection);
    TestFolder before, now;

    PerBrandExports::writePriceFiles(connection, schema, settingsFor(before, rowLimit), brandList(ticked),
                                     columns);
    DbQuery query("UniQuery1", connection);
    QuietProgress progress;
    PriceExportRun(query).run(schema, settingsFor(now, rowLimit), brandList(ticked), columns, progress);

    compareFolders(before, now);
}

void ExportsAsPerBrandTest::seoFiles_data()
{
    QTest::addColumn<int>("store");
    QTest::addColumn<bool>("generate");
    QTest::addColumn<QList<int>>("ticked");
    QTest::addColumn<QList<int>>("columns");
    QTest::addColumn<int>("rowLimit");
    const QList<int> all = {1, 2, 3, 4, 5, 6, 7, 8, 10, 11, 12, 13, 14};
    for (int s = 0; s < int(m_stores.size()); ++s) {
        const QByteArray name = m_variants[s].toUtf8();
        QTest::newRow(name + ", stored texts, every column")
            << s << false << QList<int>{1, 2, 3, 4, 5, 6} << all << 10000;
        QTest::newRow(name + ", stored texts, categories only, files of 9 lines")
            << s << false << QList<int>{5, 2} << QList<int>{11, 14} << 9;
        QTest::newRow(name + ", generated texts, every column")
            << s << true << QList<int>{3, 1, 4} << all << 10000;
        QTest::newRow(name + ", generated texts, products only")
            << s << true << QList<int>{1, 2, 3, 4, 5} << QList<int>{6, 7, 8} << 10000;
    }
}

void ExportsAsPerBrandTest::seoFiles()
{
    QFETCH(int, store);
    QFETCH(bool, generate);
    QFETCH(QList<int>, ticked);
    QFETCH(QList<int>, columns);
    QFETCH(int, rowLimit);
    const StoreSchema schema{"jos_", "_en_gb"};
    DbConnection connection("UniConnection1");
    m_stores[store]->connect(connection);
    TestFolder before, now;
    SeoRunRequest request;
    request.generate = generate;
    for (const int column : columns)
        request.columns.ticked[std::size_t(column)] = true;
    request.connectionName = "shop";
    request.csv = {now.path(), QString::number(rowLimit), ";", "."};
    request.brands = brandList(ticked);
    std::unique_ptr<SeoTexts> texts;
    if (generate)
        texts = std::make_unique<SeoGeneratedTexts>(request.columns, request.useTemplate);
    else
        texts = std::make_unique<SeoStoredTexts>();

    PerBrandExports::writeSeoFiles(connection, schema, settingsFor(before, rowLimit), request.brands,
                                   request.columns, *texts, generate);
    DbQuery products("UniQuery1", connection);
    DbQuery categories("UniQuery2", connection);
    QuietProgress progress;
    SeoRun(products, categories).run(request, schema, progress);

    compareFolders(before, now);
}

QTEST_GUILESS_MAIN(ExportsAsPerBrandTest)
#include "ExportsAsPerBrandTest.moc"
