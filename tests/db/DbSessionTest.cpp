#include "TestStore.h"
#include "db/DbConnection.h"
#include "db/DbError.h"
#include "db/DbQuery.h"

#include <QLocale>
#include <QTest>

class TestDbSession : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        m_store = std::make_unique<TestStore>(QStringLiteral("db_session"));
        m_store->exec(
            QStringLiteral("CREATE TABLE kinds (id INT, flag TINYINT(1), small TINYINT, price DECIMAL(15,5),"
                           " ratio DOUBLE, name VARCHAR(50))"));
        m_store->exec(
            QStringLiteral("INSERT INTO kinds VALUES (-7, 1, 5, 12.50000, 0.1, 'Škoda ДЖ €'),"
                           " (2, 0, NULL, 1234567.89, 1e300, ''), (NULL, NULL, NULL, NULL, NULL, NULL)"));
        m_store->connect(m_connection);
    }

    void valuesComeBackAsTheProgramReadsThem()
    {
        DbQuery query(QStringLiteral("UniQuery1"), m_connection);
        query.sql << QStringLiteral("SELECT id, flag, small, price, ratio, name")
                  << QStringLiteral("FROM kinds");
        query.open();
        QStringList rows;
        for (query.first(); !query.eof(); query.next()) {
            QStringList cells;
            QByteArray scratch;
            for (int i = 0; i < query.fieldCount(); ++i) {
                cells << query.fieldText(i);
                QCOMPARE(query.fieldUtf8(i, scratch).toByteArray(), cells.last().toUtf8());
            }
            rows << cells.join(u'|');
        }
        // Numbers carry the system's decimal mark.
        QStringList expected = {QStringLiteral("-7|True|5|12.5|0.1|Škoda ДЖ €"),
                                QStringLiteral("2|False||1234567.89|1e+300|"), QStringLiteral("|||||")};
        for (QString& row : expected)
            row.replace(u'.', QLocale::system().decimalPoint());
        QCOMPARE(rows, expected);
    }

    void unknownColumnNamesTheQuery()
    {
        DbQuery query(QStringLiteral("UniQuery1"), m_connection);
        query.sql << QStringLiteral("SELECT id as IDPART FROM kinds");
        query.open();
        QCOMPARE(query.fieldByName(QStringLiteral("idpart")), QStringLiteral("-7"));
        try {
            query.fieldByName(QStringLiteral("PRICE"));
            QFAIL("no error");
        } catch (const AppError& e) {
            QCOMPARE(e.message(), QStringLiteral("UniQuery1: Field 'PRICE' not found"));
        }
    }

    void aNameInAnotherCaseFindsTheFirstColumn()
    {
        DbQuery query(QStringLiteral("UniQuery1"), m_connection);
        query.sql << QStringLiteral("SELECT 1 as id, 2 as ID");
        query.open();
        QCOMPARE(query.fieldByName(QStringLiteral("ID")), QStringLiteral("1"));
        QCOMPARE(query.fieldByName(QStringLiteral("id")), QStringLiteral("1"));
    }

    void emptyResultIsAtEndAtOnce()
    {
        DbQuery query(QStringLiteral("UniQuery1"), m_connection);
        query.sql << QStringLiteral("SELECT id FROM kinds WHERE id = 99");
        query.open();
        QVERIFY(query.eof());
    }

    void innerQueryLeavesOuterOnItsRow()
    {
        DbQuery outer(QStringLiteral("UniQuery1"), m_connection);
        DbQuery inner(QStringLiteral("UniQuery2"), m_connection);
        outer.sql << QStringLiteral("SELECT seq FROM seq_1_to_8");
        outer.open();
        for (int i = 1; i < 5; ++i)
            outer.next();
        QCOMPARE(outer.fieldText(0), QStringLiteral("5"));
        inner.sql << QStringLiteral("SELECT seq FROM seq_1_to_3");
        inner.open();
        while (!inner.eof())
            inner.next();
        QCOMPARE(outer.fieldText(0), QStringLiteral("5"));
        outer.next();
        QCOMPARE(outer.fieldText(0), QStringLiteral("6"));
    }

    void closingRunsTheHookOnlyForAnOpenConnection()
    {
        DbConnection connection(QStringLiteral("UniConnection1"));
        int closings = 0;
        connection.setAfterDisconnect([&] { ++closings; });
        connection.close();
        QCOMPARE(closings, 0);
        m_store->connect(connection);
        connection.close();
        connection.close();
        QCOMPARE(closings, 1);
        QVERIFY(!connection.connected());
    }

    void wrongPasswordGivesTheServerText()
    {
        DbConnection connection(QStringLiteral("UniConnection1"));
        TestServer::fromEnvironment().applyTo(connection, m_store->database());
        connection.password = QStringLiteral("wrong");
        try {
            connection.open();
            QFAIL("no error");
        } catch (const DbError& e) {
            QCOMPARE(e.number(), 1045u);
            QVERIFY2(e.message().startsWith(QStringLiteral("Access denied for user")),
                     qPrintable(e.message()));
        }
        QVERIFY(!connection.connected());
    }

    // A cell that ends in a backslash must not end its string early on a server that
    // treats backslashes as plain characters.
    void sessionKeepsBackslashEscapes()
    {
        m_store->exec(
            QStringLiteral("SET GLOBAL sql_mode = CONCAT(@@GLOBAL.sql_mode, ',NO_BACKSLASH_ESCAPES')"));
        DbConnection connection(QStringLiteral("UniConnection1"));
        m_store->connect(connection);
        m_store->exec(
            QStringLiteral("SET GLOBAL sql_mode = REPLACE(@@GLOBAL.sql_mode, 'NO_BACKSLASH_ESCAPES', '')"));
        DbQuery query(QStringLiteral("UniQuery1"), connection);
        query.sql << QStringLiteral("SELECT 'a\\'b', @@SESSION.sql_mode");
        query.open();
        QCOMPARE(query.fieldText(0), QStringLiteral("a'b"));
        QVERIFY(!query.fieldText(1).contains(QStringLiteral("NO_BACKSLASH_ESCAPES")));
    }

private:
    std::unique_ptr<TestStore> m_store;
    DbConnection m_connection{QStringLiteral("UniConnection1")};
};

QTEST_GUILESS_MAIN(TestDbSession)
#include "DbSessionTest.moc"
