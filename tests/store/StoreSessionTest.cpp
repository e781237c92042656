#include "store/StoreSession.h"
#include "TestFolder.h"
#include "TestStore.h"
#include "db/DbQuery.h"
#include "platform/CheckFailure.h"
#include "store/BrandQuery.h"
#include "store/ConnectionTest.h"

#include <QTest>

class TestStoreSession : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        m_store = std::make_unique<TestStore>(QStringLiteral("store_session"), QStringLiteral("x1_"),
                                              QStringLiteral("en_gb"));
        m_store->exec(QStringLiteral(
            "INSERT INTO @PREFIX@virtuemart_product_prices (virtuemart_product_id, product_price) "
            "VALUES (1, 2), (2, 3)"));
        m_store->exec(QStringLiteral(
            "INSERT INTO @PREFIX@virtuemart_products (virtuemart_product_id) VALUES (1), (2), (3)"));
    }

    void storeLanguageFromTheConfiguration_data()
    {
        QTest::addColumn<QString>("config");
        QTest::addColumn<QString>("code");
        QTest::newRow("entry among others") << R"(a=i:1;|vmlang=s:5:"en_gb";|b=s:2:"xy";)"
                                            << "en_gb";
        QTest::newRow("no vmlang: first pairs of the text") << R"(a=s:2:"de";|b=s:2:"fr";)"
                                                            << "de";
        QTest::newRow("no pairs") << "plain text"
                                  << "";
        QTest::newRow("close before open") << R"(x";y:"z)"
                                           << "";
        QTest::newRow("case kept") << R"(vmlang=s:5:"EN_gb";)"
                                   << "EN_gb";
    }

    void storeLanguageFromTheConfiguration()
    {
        QFETCH(QString, config);
        QFETCH(QString, code);
        m_store->exec(QStringLiteral("UPDATE @PREFIX@virtuemart_configs SET config = '%1'")
                          .arg(QString(config).replace(u'"', QStringLiteral("\\\""))));
        DbConnection connection(QStringLiteral("UniConnection1"));
        m_store->connect(connection);
        DbQuery query(QStringLiteral("UniQuery1"), connection);
        QCOMPARE(readStoreLanguage(query, QStringLiteral("x1_")), code);
        QCOMPARE(StoreSchema::languageSuffixFor(code), code.isEmpty() ? QString() : u'_' + code);
        m_store->exec(
            QStringLiteral("UPDATE @PREFIX@virtuemart_configs SET config = 'vmlang=s:5:\"en_gb\";'"));
    }

    void profilePortThatIsNoNumberIs3306()
    {
        TestFolder folder;
        folder.write(QStringLiteral("SetVelmora.ini"),
                     "[SetConnectionFor{P}]\r\nServer=h\r\nPort=abc\r\nPrefixTable=x_\r\n");
        StoreSession session;
        session.port = 1;
        session.readProfile(QStringLiteral("P"));
        QCOMPARE(session.port, 3306);
        QCOMPARE(session.server, QStringLiteral("h"));
        QCOMPARE(session.schema.prefix, QStringLiteral("x_"));
    }

    void openingReadsTheLanguageSuffix()
    {
        StoreSession session;
        const TestServer server = TestServer::fromEnvironment();
        session.server = server.host;
        session.port = server.port;
        session.user = server.user;
        session.database = m_store->database();
        session.schema.prefix = QStringLiteral("x1_");
        int asked = 0;
        session.askPasswordIfEmpty([&] {
            ++asked;
            return server.password;
        });
        QCOMPARE(asked, 1);
        session.askPasswordIfEmpty([&] {
            ++asked;
            return QString();
        });
        QCOMPARE(asked, 1);
        DbConnection connection(QStringLiteral("UniConnection1"));
        DbQuery query(QStringLiteral("UniQuery1"), connection);
        QVERIFY(session.open(connection, query));
        QCOMPARE(session.schema.languageSuffix, QStringLiteral("_en_gb"));
        QCOMPARE(session.schema.productTexts(), QStringLiteral("x1_virtuemart_products_en_gb"));
        QCOMPARE(session.schema.productPrices(), QStringLiteral("x1_virtuemart_product_prices"));
    }

    void brandsSortByNameInTheLocaleOrder()
    {
        m_store->exec(QStringLiteral(
            "INSERT INTO @PREFIX@virtuemart_manufacturers_@LANG@ (virtuemart_manufacturer_id, mf_name) "
            "VALUES (1, 'borvex'), (2, 'Acme'), (3, 'Čepek'), (4, 'Zeta'), (5, 'acme')"));
        DbConnection connection(QStringLiteral("UniConnection1"));
        m_store->connect(connection);
        DbQuery query(QStringLiteral("UniQuery1"), connection);
        std::vector<Brand> brands =
            loadBrands(query, StoreSchema{QStringLiteral("x1_"), QStringLiteral("_en_gb")});
        sortBrands(brands);
        QStringList names;
        for (const Brand& b : brands)
            names << QStringLiteral("%1:%2").arg(b.name).arg(b.id);
        QCOMPARE(names, QStringList({"Acme:2", "acme:5", "borvex:1", "Čepek:3", "Zeta:4"}));
        m_store->exec(QStringLiteral("DELETE FROM @PREFIX@virtuemart_manufacturers_@LANG@"));
    }

    void connectionTestLogsEveryStep()
    {
        ConnectionProfile profile = testProfile();
        DbConnection connection(QStringLiteral("UniConnection1"));
        DbQuery query(QStringLiteral("UniQuery1"), connection);
        int closings = 0;
        connection.setAfterDisconnect([&] { ++closings; });
        QStringList log;
        testConnection(profile, connection, query, noPasswordExpected,
                       [&](const QString& line) { log << line; });
        const TestServer server = TestServer::fromEnvironment();
        QCOMPARE(log,
                 QStringList({"============= SETTING CONNECTION =================",
                              "Type store=Vitruemart [ver 2.0.]", "Connection name=Local",
                              QStringLiteral("Server:port=%1:%2").arg(server.host).arg(server.port),
                              QStringLiteral("Database@User=store_session@%1").arg(server.user),
                              "Password=***************", "Prefix for tables=x1_",
                              "==================================================", "   ",
                              "[+] closing previous database connections ... ok",
                              "[+] setting initial data connection  ... ok",
                              "[+] open database connections  ... ok", "[+] the connection is not encrypted",
                              "[+] Table (x1_virtuemart_product_prices). Count row is [2] ... ok",
                              "[+] Table (x1_virtuemart_products). Count row is [3] ... ok",
                              "[+] store default language = en_gb", "   ",
                              "-------------- ALL WAS OK ----------------"}));
        QVERIFY(!connection.connected());
        QCOMPARE(closings, 1);
    }

    void connectionTestWithWrongPasswordLogsTheError()
    {
        ConnectionProfile profile = testProfile();
        profile.password = QStringLiteral("wrong");
        DbConnection connection(QStringLiteral("UniConnection1"));
        DbQuery query(QStringLiteral("UniQuery1"), connection);
        QStringList log;
        QString failure;
        try {
            testConnection(profile, connection, query, noPasswordExpected,
                           [&](const QString& line) { log << line; });
        } catch (const CheckFailure& error) {
            failure = error.message();
        }
        QCOMPARE(log.size(), 13);
        QCOMPARE(log[10], QStringLiteral("[+] setting initial data connection  ... ok"));
        QCOMPARE(log[11], QStringLiteral("-------------- ERROR ----------------"));
        QVERIFY2(log[12].startsWith(QStringLiteral("DbError : Access denied for user")), qPrintable(log[12]));
        QCOMPARE(failure, log[12]);
    }

    void connectionTestAsksForAMissingPassword()
    {
        ConnectionProfile profile = testProfile();
        profile.password.clear();
        DbConnection connection(QStringLiteral("UniConnection1"));
        DbQuery query(QStringLiteral("UniQuery1"), connection);
        QStringList log;
        testConnection(
            profile, connection, query, [] { return TestServer::fromEnvironment().password; },
            [&](const QString& line) { log << line; });
        QCOMPARE(profile.password, TestServer::fromEnvironment().password);
        QCOMPARE(log.last(), QStringLiteral("-------------- ALL WAS OK ----------------"));
    }

    void connectionTestStopsOnValidationWithAnEmptyLog()
    {
        ConnectionProfile profile = testProfile();
        profile.user.clear();
        DbConnection connection(QStringLiteral("UniConnection1"));
        DbQuery query(QStringLiteral("UniQuery1"), connection);
        QStringList log;
        QString refusal;
        try {
            testConnection(profile, connection, query, noPasswordExpected,
                           [&](const QString& line) { log << line; });
        } catch (const CheckFailure& failure) {
            refusal = failure.message();
        }
        QVERIFY(log.isEmpty());
        QCOMPARE(refusal, QStringLiteral("User name is empty !"));
    }

private:
    static QString noPasswordExpected()
    {
        QTest::qFail("the password was asked for", __FILE__, __LINE__);
        return {};
    }
    ConnectionProfile testProfile() const { return m_store->profile(QStringLiteral("Local")); }

    std::unique_ptr<TestStore> m_store;
};

QTEST_GUILESS_MAIN(TestStoreSession)
#include "StoreSessionTest.moc"
