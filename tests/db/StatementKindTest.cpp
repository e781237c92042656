#include "db/StatementKind.h"

#include <QTest>

class StatementKindTest : public QObject
{
    Q_OBJECT
private slots:
    void kinds_data()
    {
        QTest::addColumn<QString>("statement");
        QTest::addColumn<int>("kind");
        const int change = int(StatementKind::DataChange);
        const int commit = int(StatementKind::Commit);
        const int other = int(StatementKind::Other);
        QTest::newRow("update") << "UPDATE jos_virtuemart_products SET published = 1" << change;
        QTest::newRow("lower case insert") << "insert into t values (1)" << change;
        QTest::newRow("delete and replace") << "DELETE FROM t" << change;
        QTest::newRow("replace") << "Replace INTO t VALUES (1)" << change;
        QTest::newRow("after comments")
            << "/* prices; */\r\n# one\r\n-- two\r\n  UPDATE t SET a = 1" << change;
        QTest::newRow("commit") << "COMMIT" << commit;
        QTest::newRow("commit and chain") << "COMMIT AND CHAIN" << other;
        QTest::newRow("executable comment") << "/*!40101 SET NAMES utf8 */" << other;
        QTest::newRow("comment alone") << "/* alone */" << other;
        QTest::newRow("unclosed comment") << "/* UPDATE t SET a = 1" << other;
        QTest::newRow("double dash without blank") << "--UPDATE t SET a = 1" << other;
        QTest::newRow("start transaction") << "START TRANSACTION" << other;
        QTest::newRow("begin") << "BEGIN" << other;
        QTest::newRow("set autocommit") << "SET autocommit = 0" << other;
        QTest::newRow("savepoint") << "SAVEPOINT a" << other;
        QTest::newRow("lock tables") << "LOCK TABLES t WRITE" << other;
        QTest::newRow("create") << "CREATE TABLE t (a INT)" << other;
        QTest::newRow("alter") << "ALTER TABLE t ADD b INT" << other;
        QTest::newRow("word that starts like one") << "UPDATES t" << other;
        QTest::newRow("select") << "SELECT 1" << other;
    }

    void kinds()
    {
        QFETCH(QString, statement);
        QFETCH(int, kind);
        QCOMPARE(int(statementKind(statement)), kind);
    }
};

QTEST_GUILESS_MAIN(StatementKindTest)
#include "StatementKindTest.moc"
