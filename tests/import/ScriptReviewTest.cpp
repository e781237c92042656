#include "TestFolder.h"
#include "TestStore.h"
#include "import/ImportOutcome.h"
#include "import/UpdateScript.h"
#include "platform/ScopeExit.h"

#include <QTest>

// The review of an update script against a real store: the preview's counts and rows, the
// slug check, and an undo script that puts every changed value back.
class TestScriptReview : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        m_store = std::make_unique<TestStore>(QStringLiteral("script_review"));
        // The store's own unique slug indexes, which the test schema leaves out.
        m_store->exec(
            QStringLiteral("ALTER TABLE @PREFIX@virtuemart_products_@LANG@ ADD UNIQUE KEY slug (slug)"));
        m_store->exec(
            QStringLiteral("ALTER TABLE @PREFIX@virtuemart_categories_@LANG@ ADD UNIQUE KEY slug (slug)"));
        m_store->connect(m_connection);
    }

    void init()
    {
        for (const char* table : {"virtuemart_products", "virtuemart_products_@LANG@",
                                  "virtuemart_product_prices", "virtuemart_categories_@LANG@"})
            m_store->exec(QStringLiteral("DELETE FROM @PREFIX@") + QString::fromLatin1(table));
        m_store->execScript(QStringLiteral(R"(
INSERT INTO @PREFIX@virtuemart_products (virtuemart_product_id, product_in_stock, published) VALUES (1, 5, 1), (2, NULL, 1), (3, 7, 0), (4, 1, 1);
INSERT INTO @PREFIX@virtuemart_product_prices (virtuemart_product_price_id, virtuemart_product_id, product_price) VALUES (11, 1, 10), (12, 2, 20), (13, 3, 30), (14, 3, 31), (15, 4, NULL);
INSERT INTO @PREFIX@virtuemart_products_@LANG@ (virtuemart_product_id, metadesc, slug) VALUES (1, 'one', 'pad-1'), (2, NULL, 'pad-2'), (3, 'three', 'pad-3'), (4, 'four', NULL);
INSERT INTO @PREFIX@virtuemart_categories_@LANG@ (virtuemart_category_id, category_name, metakey, slug) VALUES (4, 'Brakes', 'old', 'brakes'), (5, 'Lights', 'stará', 'lights');
)"));
        m_folder = std::make_unique<TestFolder>();
        m_script = std::make_unique<UpdateScript>(m_folder->filePath(QStringLiteral("update.sql")), schema());
    }

    void cleanup()
    {
        m_script.reset();
        m_folder.reset();
    }

    void previewOfAMixedScript()
    {
        m_script->writePrice(1, 12.5); // +25 %
        m_script->writePrice(2, 20);   // equal
        m_script->writePrice(3, 15);   // two rows: -50 % and about -51.6 %
        m_script->writePrice(4, 3);    // from NULL
        m_script->writePrice(99, 1);   // not in the store
        m_script->writeStock(1, 5);    // equal
        m_script->writeStock(2, 0);    // from NULL
        m_script->writeStock(1, 6);    // the last value counts
        m_script->writePublication(3, 1);
        m_script->writeProductSeo(2, {{QStringLiteral("metadesc"), QString()}});
        m_script->writeProductSeo(3, {{QStringLiteral("metadesc"), QStringLiteral("tři")}});
        m_script->writeCategorySeo(
            5, {{QStringLiteral("metakey"), QStringLiteral("stará")}}); // equal beyond ASCII
        m_script->writeCategorySeo(4, {{QStringLiteral("metakey"), QStringLiteral("old")}});
        m_script->writeCategorySeo(9, {{QStringLiteral("metakey"), QStringLiteral("x")}});
        const ScriptReview review = reviewScript();
        QCOMPARE(review.preview.summaryLines(),
                 QStringList({"price: 3 change, 1 stay equal, 1 not in the store",
                              "stock: 2 change, 0 stay equal, 0 not in the store",
                              "publication: 1 change, 0 stay equal, 0 not in the store",
                              "product metadesc: 2 change, 0 stay equal, 0 not in the store",
                              "category metakey: 0 change, 2 stay equal, 1 not in the store",
                              "Largest price rises: id 1 +25.0 %", "Largest price falls: id 3 -50.0 %"}));
        QStringList rows;
        for (const ChangePreview::ChangedRow& row : review.preview.rows)
            rows << QStringLiteral("%1 %2: %3 -> %4")
                        .arg(StoreField::all()[std::size_t(row.field)].label)
                        .arg(row.id)
                        .arg(row.oldValue, row.newValue);
        QCOMPARE(rows,
                 QStringList({"price 1: 10.00000 -> 12.5", "price 3: 30.00000 -> 15", "price 4: NULL -> 3",
                              "stock 2: NULL -> 0", "stock 1: 5 -> 6", "publication 3: 0 -> 1",
                              "product metadesc 2: NULL -> ", "product metadesc 3: three -> tři"}));
        QVERIFY(review.preview.countsLine().startsWith(
            QStringLiteral("price: 3 change, 1 stay equal, 1 not in the store; stock: ")));
        // Read by id lists: one query per table, whatever the number of rows, and one for the
        // columns' types.
        QCOMPARE(review.queries, 5);
    }

    void undoPutsEveryValueBack()
    {
        const QStringList before = dump();
        m_script->writePrice(3, 15);
        m_script->writePrice(4, 3);
        m_script->writeStock(2, 0);
        m_script->writePublication(1, 0);
        m_script->writeProductSeo(1, {{QStringLiteral("metadesc"), QStringLiteral("It's new")},
                                      {QStringLiteral("slug"), QStringLiteral("pad-9")}});
        // pad-1 moves from product 1 to 2: the undo must free it before giving it back.
        m_script->writeProductSeo(2, {{QStringLiteral("metadesc"), QStringLiteral("x")},
                                      {QStringLiteral("slug"), QStringLiteral("pad-1")}});
        m_script->writeCategorySeo(5, {{QStringLiteral("metakey"), QStringLiteral("new")}});
        const ScriptReview review = reviewScript();
        QVERIFY(review.slugs.collisions.empty());
        m_script->commit();
        runFile(m_folder->filePath(QStringLiteral("update.sql")));
        QVERIFY(dump() != before);
        runFile(review.undoPath);
        QCOMPARE(dump(), before);
        const QByteArray undo = m_folder->read(QStringLiteral("undo.sql"));
        QVERIFY(undo.startsWith("\xEF\xBB\xBF"));
        QVERIFY(undo.endsWith("COMMIT;\r\n"));
        QVERIFY(undo.contains(
            "SET Pmain.product_in_stock = NULL\r\nWHERE Pmain.virtuemart_product_id = 2;\r\n  \r\n"));
        QVERIFY(undo.contains(
            "SET Price.product_price = 31.00000\r\nWHERE Price.virtuemart_product_price_id = 14;"));
        QVERIFY(undo.indexOf("WHERE Pmain.virtuemart_product_id = 2;") <
                undo.indexOf("Pmain.slug = 'pad-1'"));
    }

    void slugCollisions_data()
    {
        QTest::addColumn<QStringList>("slugs"); // "id=slug" in script order
        QTest::addColumn<QStringList>("collisions");
        QTest::newRow("held by another product")
            << QStringList{"1=pad-2"}
            << QStringList{"Slug collision: product 1, slug 'pad-2', held by product 2"};
        QTest::newRow("other letter case")
            << QStringList{"1=PAD-2"}
            << QStringList{"Slug collision: product 1, slug 'PAD-2', held by product 2"};
        QTest::newRow("two rows, one slug")
            << QStringList{"1=same", "3=same"}
            << QStringList{"Slug collision: product 3, slug 'same', held by product 1"};
        QTest::newRow("freed before it is taken") << QStringList{"2=pad-9", "1=pad-2"} << QStringList{};
        QTest::newRow("its own slug again") << QStringList{"1=pad-1"} << QStringList{};
        QTest::newRow("id not in the store") << QStringList{"77=pad-1"} << QStringList{};
        QTest::newRow("category") << QStringList{"c5=brakes"}
                                  << QStringList{
                                         "Slug collision: category 5, slug 'brakes', held by category 4"};
    }

    void slugCollisions()
    {
        QFETCH(QStringList, slugs);
        QFETCH(QStringList, collisions);
        for (const QString& s : slugs) {
            const QString id = s.section(u'=', 0, 0);
            const UpdateScript::SetItems items = {{QStringLiteral("slug"), s.section(u'=', 1)}};
            if (id.startsWith(u'c'))
                m_script->writeCategorySeo(id.mid(1).toInt(), items);
            else
                m_script->writeProductSeo(id.toInt(), items);
        }
        ImportOutcome outcome;
        outcome.review = reviewScript();
        QCOMPARE(outcome.review.slugs.lines(), collisions);
        QCOMPARE(outcome.summaryLines().join(u'\n').contains(QStringLiteral("statements will fail")),
                 !collisions.isEmpty());
    }

    // Every value checked against its column before the question: what a server without strict
    // mode would cut, clamp or round is named, what fits is not.
    void valuesThatDoNotFitTheirColumn_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("said");                      // empty: it fits
        const QString longest = QString(400, QChar(u'\u017E')); // 400 letters, 800 bytes
        QTest::newRow("text of the column's length") << "metadesc" << longest << QString();
        QTest::newRow("text a letter too long")
            << "metadesc" << longest + u'x'
            << "product metadesc of product 1: 401 characters, the column holds 400";
        QTest::newRow("category text too long")
            << "category metakey" << QString(401, u'k')
            << "category metakey of category 4: 401 characters, the column holds 400";
        QTest::newRow("largest price") << "price"
                                       << "9999999999.99999" << QString();
        QTest::newRow("price beyond the range") << "price"
                                                << "10000000000"
                                                << "price of product 1: 10000000000 is beyond decimal(15,5)";
        QTest::newRow("price of 1e308") << "price"
                                        << "1e308"
                                        << "price of product 1: 1e+308 is beyond decimal(15,5)";
        QTest::newRow("price rounded")
            << "price"
            << "12.123456"
            << "price of product 1: 12.123456 has more decimals than decimal(15,5) keeps";
        QTest::newRow("tiny price rounded")
            << "price"
            << "1e-07"
            << "price of product 1: 1e-07 has more decimals than decimal(15,5) keeps";
        QTest::newRow("publication 2") << "publication"
                                       << "2" << QString();
        QTest::newRow("publication beyond tinyint") << "publication"
                                                    << "300"
                                                    << "publication of product 1: 300 is beyond tinyint(1)";
        QTest::newRow("largest stock") << "stock"
                                       << "2147483647" << QString();
    }

    void valuesThatDoNotFitTheirColumn()
    {
        QFETCH(QString, kind);
        QFETCH(QString, value);
        QFETCH(QString, said);
        if (kind == u"price")
            m_script->writePrice(1, value.toDouble());
        else if (kind == u"publication")
            m_script->writePublication(1, value.toInt());
        else if (kind == u"stock")
            m_script->writeStock(1, value.toInt());
        else if (kind == u"metadesc")
            m_script->writeProductSeo(1, {{QStringLiteral("metadesc"), value}});
        else
            m_script->writeCategorySeo(4, {{QStringLiteral("metakey"), value}});
        ImportOutcome outcome;
        outcome.review = reviewScript();
        QCOMPARE(outcome.review.columns.lines(),
                 said.isEmpty() ? QStringList()
                                : QStringList{QStringLiteral("Value the server would change: ") + said});
        QCOMPARE(outcome.advisesAgainst(), !said.isEmpty());
        QCOMPARE(
            outcome.summaryLines().contains(QStringLiteral(
                "1 values would be cut, clamped or rounded by the server: they do not fit their column.")),
            !said.isEmpty());
    }

    // A column in the older three-byte UTF-8 cannot hold letters beyond the basic plane.
    void lettersTheColumnsCharacterSetLacks()
    {
        m_store->exec(QStringLiteral("ALTER TABLE @PREFIX@virtuemart_products_@LANG@ MODIFY metakey "
                                     "VARCHAR(400) CHARACTER SET utf8mb3"));
        const ScopeExit restore([&] {
            m_store->exec(QStringLiteral("ALTER TABLE @PREFIX@virtuemart_products_@LANG@ MODIFY metakey "
                                         "VARCHAR(400) CHARACTER SET utf8mb4"));
        });
        m_script->writeProductSeo(1, {{QStringLiteral("metakey"), QStringLiteral("brakes \U0001F6D1")}});
        m_script->writeProductSeo(2, {{QStringLiteral("metakey"), QStringLiteral("brzdy")}});
        QCOMPARE(
            reviewScript().columns.lines(),
            QStringList{
                "Value the server would change: product metakey of product 1: letters beyond the column's "
                "character set utf8mb3"});
    }

private:
    StoreSchema schema() const { return {m_store->prefix(), QStringLiteral("_") + m_store->language()}; }

    ScriptReview reviewScript()
    {
        return ScriptReview::of(m_script->planned(), schema(), m_connection,
                                m_folder->filePath(QStringLiteral("undo.sql")));
    }

    void runFile(const QString& path)
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        m_store->execScript(
            QString::fromUtf8(file.readAll().mid(3)).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    }

    // Every row of the touched tables, every column as its bytes.
    QStringList dump()
    {
        QStringList rows;
        for (const char* table : {"virtuemart_products", "virtuemart_products_@LANG@",
                                  "virtuemart_product_prices", "virtuemart_categories_@LANG@"}) {
            const QString name = QStringLiteral("@PREFIX@") + QString::fromLatin1(table);
            const QStringList columns = m_store->column(
                QStringLiteral(
                    "SELECT CONCAT('IFNULL(HEX(`', column_name, '`), ''NULL'')') FROM "
                    "information_schema.columns "
                    "WHERE table_schema = DATABASE() AND table_name = '%1' ORDER BY ordinal_position")
                    .arg(name));
            rows += m_store->column(
                QStringLiteral("SELECT CONCAT_WS('|', %1) FROM %2 ORDER BY 1").arg(columns.join(u','), name));
        }
        return rows;
    }

    std::unique_ptr<TestStore> m_store;
    DbConnection m_connection{QStringLiteral("review")};
    std::unique_ptr<TestFolder> m_folder;
    std::unique_ptr<UpdateScript> m_script;
};

QTEST_MAIN(TestScriptReview)
#include "ScriptReviewTest.moc"
