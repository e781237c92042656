#include "TestFolder.h"
#include "TestStore.h"
#include "db/ConnectionExecutor.h"
#include "db/DbConnection.h"
#include "db/ScriptRunner.h"
#include "platform/AppError.h"

#include <QTest>
#include <QThread>
#include <atomic>
#include <thread>

// Scripts run through the real connection: what the server received is read back from its
// general log (which drops a statement's trailing blanks and semicolons and leaves out the
// statements run inside a routine), what it changed from the tables the scripts write.
class TestScriptRunnerOnServer : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        m_store = std::make_unique<TestStore>(QStringLiteral("script_runner_cases"));
        m_store->exec(
            QStringLiteral("CREATE TABLE received (n INT AUTO_INCREMENT PRIMARY KEY, v VARCHAR(100))"));
        m_store->exec(QStringLiteral("CREATE TABLE `odd;name` (v VARCHAR(100))"));
        m_logWas =
            m_store->value(QStringLiteral("SELECT CONCAT(@@GLOBAL.general_log, ',', @@GLOBAL.log_output)"));
        m_store->exec(QStringLiteral("SET GLOBAL log_output = 'TABLE'"));
        m_store->exec(QStringLiteral("SET GLOBAL general_log = 1"));
    }

    void cleanupTestCase()
    {
        const QStringList was = m_logWas.split(u',');
        m_store->exec(QStringLiteral("SET GLOBAL general_log = %1").arg(was.value(0)));
        m_store->exec(QStringLiteral("SET GLOBAL log_output = '%1'").arg(was.mid(1).join(u',')));
        m_store.reset();
    }

    void init()
    {
        m_store->exec(QStringLiteral("TRUNCATE received"));
        m_store->exec(QStringLiteral("TRUNCATE `odd;name`"));
        m_store->exec(QStringLiteral("DELETE FROM @PREFIX@virtuemart_products"));
        m_store->exec(QStringLiteral(
            "INSERT INTO @PREFIX@virtuemart_products (virtuemart_product_id, product_in_stock, published) "
            "SELECT seq, 0, 1 FROM seq_1_to_4"));
        m_store->exec(QStringLiteral("DROP PROCEDURE IF EXISTS add_two"));
        m_store->exec(QStringLiteral("DROP TABLE IF EXISTS made_here, kept"));
    }

    void scriptsArriveAsWritten_data()
    {
        QTest::addColumn<QByteArray>("script");
        // What the server received, in order, its answers to the runner's questions about the session
        // left out: data changes go several to a round trip inside a transaction of the runner's.
        QTest::addColumn<QStringList>("sent");
        QTest::addColumn<QString>("changes"); // a query of what the script left in the tables
        QTest::addColumn<QStringList>("changed");
        QTest::addColumn<int>("errors");
        QTest::addColumn<int>("steps");           // progress notifications: statements and DELIMITER commands
        QTest::addColumn<QList<int>>("percents"); // empty: only checked for order and range

        const QString rows = QStringLiteral("SELECT v FROM received ORDER BY n");

        const QString insert = QStringLiteral("INSERT INTO received (v) VALUES ('%1')");
        const auto together = [](const QStringList& statements) { return statements.join(";\n"); };
        const auto grouped = [](const QStringList& trips) {
            return QStringList{"START TRANSACTION"} + trips + QStringList{"COMMIT"};
        };
        QTest::newRow("update script")
            << QByteArray("UPDATE jos_virtuemart_products as Pmain \r\nSET Pmain.product_in_stock = 7\r\n"
                          "WHERE Pmain.virtuemart_product_id = 1;\r\n  \r\n"
                          "UPDATE jos_virtuemart_products as Pmain \r\nSET Pmain.product_in_stock = 8\r\n"
                          "WHERE Pmain.virtuemart_product_id = 2;\r\n  \r\n"
                          "UPDATE jos_virtuemart_products as Pmain \r\nSET Pmain.published = 0\r\n"
                          "WHERE Pmain.virtuemart_product_id = 3;\r\n  \r\n"
                          "COMMIT;\r\n")
            << grouped(
                   {together({"UPDATE jos_virtuemart_products as Pmain \r\nSET Pmain.product_in_stock = 7\r\n"
                              "WHERE Pmain.virtuemart_product_id = 1",
                              "UPDATE jos_virtuemart_products as Pmain \r\nSET Pmain.product_in_stock = 8\r\n"
                              "WHERE Pmain.virtuemart_product_id = 2",
                              "UPDATE jos_virtuemart_products as Pmain \r\nSET Pmain.published = 0\r\n"
                              "WHERE Pmain.virtuemart_product_id = 3"})}) +
                   QStringList{"COMMIT"}
            << QStringLiteral("SELECT CONCAT_WS('/', virtuemart_product_id, product_in_stock, published) "
                              "FROM @PREFIX@virtuemart_products ORDER BY 1")
            << QStringList{"1/7/1", "2/8/1", "3/0/0", "4/0/1"} << 0 << 4 << QList<int>{31, 64, 95, 99};
        QTest::newRow("semicolon in a quoted value with escaped quotes")
            << QByteArray("INSERT INTO received (v) VALUES ('a;b \\'c;\\' \\\"d;\\\"');\r\n")
            << grouped({"INSERT INTO received (v) VALUES ('a;b \\'c;\\' \\\"d;\\\"')"}) << rows
            << QStringList{"a;b 'c;' \"d;\""} << 0 << 1 << QList<int>{96};
        QTest::newRow("failing middle statement")
            << (insert.arg("one") + ";\r\nINSERT INTO received (no_such_column) VALUES (1);\r\n" +
                insert.arg("three") + ";\r\n")
                   .toUtf8()
            // The server stops a round trip at a failing statement: the ones after it go again.
            << grouped({together({insert.arg("one"), "INSERT INTO received (no_such_column) VALUES (1)",
                                  insert.arg("three")}),
                        insert.arg("three")})
            << rows << QStringList{"one", "three"} << 1 << 3 << QList<int>{};
        QTest::newRow("no final semicolon") << (insert.arg("x") + ";\r\n" + insert.arg("y")).toUtf8()
                                            << grouped({together({insert.arg("x"), insert.arg("y")})}) << rows
                                            << QStringList{"x", "y"} << 0 << 2 << QList<int>{49, 100};
        QTest::newRow("empty file") << QByteArray() << QStringList{} << rows << QStringList{} << 0 << 0
                                    << QList<int>{};
        QTest::newRow("UTF-8 byte-order mark")
            << QByteArray("\xEF\xBB\xBF") + insert.arg("Škoda €").toUtf8() + ";\r\n"
            << grouped({insert.arg("Škoda €")}) << rows << QStringList{"Škoda €"} << 0 << 1 << QList<int>{};
        QTest::newRow("DELIMITER $$ with a procedure")
            << QByteArray("DELIMITER $$\r\nCREATE PROCEDURE add_two()\r\nBEGIN\r\n  INSERT INTO received (v) "
                          "VALUES ('p1');\r\n"
                          "  INSERT INTO received (v) VALUES ('p2');\r\nEND $$\r\nDELIMITER ;\r\nCALL "
                          "add_two();\r\n")
            << QStringList{"CREATE PROCEDURE add_two()\r\nBEGIN\r\n  INSERT INTO received (v) VALUES "
                           "('p1');\r\n"
                           "  INSERT INTO received (v) VALUES ('p2');\r\nEND",
                           "CALL add_two()"}
            << rows << QStringList{"p1", "p2"} << 0 << 4 << QList<int>{};
        QTest::newRow("procedure ended by slash lines")
            << QByteArray(
                   "CREATE PROCEDURE add_two()\r\nBEGIN\r\n  INSERT INTO received (v) VALUES ('s1');\r\n"
                   "  INSERT INTO received (v) VALUES ('s2');\r\nEND;\r\n/\r\nCALL add_two()\r\n/\r\n")
            << QStringList{"CREATE PROCEDURE add_two()\r\nBEGIN\r\n  INSERT INTO received (v) VALUES "
                           "('s1');\r\n"
                           "  INSERT INTO received (v) VALUES ('s2');\r\nEND",
                           "CALL add_two()"}
            << rows << QStringList{"s1", "s2"} << 0 << 2 << QList<int>{};
        QTest::newRow("double semicolon") << (insert.arg("a") + ";;\r\n" + insert.arg("b") + ";").toUtf8()
                                          << grouped({together({insert.arg("a"), insert.arg("b")})}) << rows
                                          << QStringList{"a", "b"} << 0 << 2 << QList<int>{};
        // A statement of comments alone is sent too; the server takes it as an empty statement.
        QTest::newRow("comments before, inside and alone")
            << QByteArray(
                   "/* before; */\r\nINSERT INTO received /* inside; */ (v) VALUES ('c1'); # after;\r\n"
                   "INSERT INTO received (v) -- still; inside\r\nVALUES ('c2');\r\n/* alone; */\r\n")
            << grouped(
                   {together({"/* before; */\r\nINSERT INTO received /* inside; */ (v) VALUES ('c1')",
                              "# after;\r\nINSERT INTO received (v) -- still; inside\r\nVALUES ('c2')"})}) +
                   QStringList{"/* alone; */"}
            << rows << QStringList{"c1", "c2"} << 0 << 3 << QList<int>{};
        QTest::newRow("backquoted name with a semicolon")
            << QByteArray("INSERT INTO `odd;name` (v) VALUES ('q');\r\nINSERT INTO received (v) SELECT v "
                          "FROM `odd;name`;\r\n")
            << grouped({together({"INSERT INTO `odd;name` (v) VALUES ('q')",
                                  "INSERT INTO received (v) SELECT v FROM `odd;name`"})})
            << rows << QStringList{"q"} << 0 << 2 << QList<int>{};
        // A script with transactions of its own, or statements that commit by themselves, goes one
        // statement at a time from there on, each committed as the session commits.
        QTest::newRow("transaction of its own")
            << ("START TRANSACTION;\r\n" + insert.arg("t") + ";\r\nROLLBACK;\r\n" + insert.arg("u") + ";\r\n")
                   .toUtf8()
            << QStringList{"START TRANSACTION", insert.arg("t"), "ROLLBACK", insert.arg("u")} << rows
            << QStringList{"u"} << 0 << 4 << QList<int>{};
        QTest::newRow("commit before the last statement")
            << (insert.arg("a") + ";\r\nCOMMIT;\r\n" + insert.arg("b") + ";\r\n" + insert.arg("c") + ";\r\n")
                   .toUtf8()
            << grouped({insert.arg("a")}) + QStringList{"COMMIT", insert.arg("b"), insert.arg("c")} << rows
            << QStringList{"a", "b", "c"} << 0 << 4 << QList<int>{};
        QTest::newRow("statement that commits by itself")
            << (insert.arg("a") + ";\r\nCREATE TABLE made_here (x INT);\r\n" + insert.arg("b") + ";\r\n")
                   .toUtf8()
            << grouped({insert.arg("a")}) + QStringList{"CREATE TABLE made_here (x INT)", insert.arg("b")}
            << rows << QStringList{"a", "b"} << 0 << 3 << QList<int>{};
    }

    void scriptsArriveAsWritten()
    {
        QFETCH(QByteArray, script);
        QFETCH(QStringList, sent);
        QFETCH(QString, changes);
        QFETCH(QStringList, changed);
        QFETCH(int, errors);
        QFETCH(int, steps);
        QFETCH(QList<int>, percents);
        TestFolder folder;
        folder.write(QStringLiteral("script.sql"), script);

        DbConnection connection(QStringLiteral("UniConnection1"));
        m_store->connect(connection);
        MysqlResult id = connection.query(QStringLiteral("SELECT CONNECTION_ID()"));
        QVERIFY(id.first());
        const QString thread = id.text(0);
        ConnectionExecutor executor(connection);
        QList<int> progress;
        QStringList failures;
        ScriptRunner().restoreFromFile(
            folder.filePath(QStringLiteral("script.sql")), executor,
            [&](int percent) { progress << percent; },
            [&](const AppError& error) { failures << error.message(); });

        QStringList received = m_store->column(
            QStringLiteral(
                "SELECT argument FROM mysql.general_log WHERE thread_id = %1 AND command_type = 'Query'")
                .arg(thread));
        received = received.mid(received.indexOf(QStringLiteral("SELECT CONNECTION_ID()")) + 1);
        received.removeIf(
            [](const QString& statement) { return statement.startsWith(QStringLiteral("SELECT @@")); });
        QCOMPARE(received, sent);
        QCOMPARE(m_store->column(changes), changed);
        QCOMPARE(failures.size(), errors);
        QCOMPARE(progress.size(), steps);
        if (!percents.isEmpty())
            QCOMPARE(progress, percents);
        QVERIFY(std::is_sorted(progress.begin(), progress.end()));
        QVERIFY(progress.isEmpty() || (progress.first() >= 0 && progress.last() <= 100));
    }

    void failingStatementReportsTheServersText()
    {
        TestFolder folder;
        folder.write(QStringLiteral("script.sql"), "UPDATE received SET no_such_column = 1;\r\n");
        DbConnection connection(QStringLiteral("UniConnection1"));
        m_store->connect(connection);
        ConnectionExecutor executor(connection);
        QStringList failures;
        ScriptRunner().restoreFromFile(
            folder.filePath(QStringLiteral("script.sql")), executor, [](int) {},
            [&](const AppError& error) { failures << error.message(); });
        QCOMPARE(failures.size(), 1);
        QVERIFY2(failures[0].startsWith(QStringLiteral("Unknown column 'no_such_column' in ")),
                 qPrintable(failures[0]));
        QVERIFY(connection.connected());
    }

    // On a session without strict mode the server cuts and clamps with a warning only: the run
    // counts the statements that left one and keeps the first few warnings.
    void valuesChangedByANonStrictServerAreCounted()
    {
        TestFolder folder;
        QByteArray script;
        for (int i = 1; i <= 7; ++i)
            script += "INSERT INTO received (v) VALUES ('" + QByteArray(i % 2 ? 101 : 100, 'x') + "');\r\n";
        script += "UPDATE jos_virtuemart_products SET published = 300 WHERE virtuemart_product_id = 1;\r\n";
        folder.write(QStringLiteral("script.sql"), script);
        DbConnection connection(QStringLiteral("UniConnection1"));
        m_store->connect(connection);
        connection.execute(QStringLiteral("SET SESSION sql_mode = ''"));
        ConnectionExecutor executor(connection);
        QStringList failures;
        const ScriptRunSummary summary = ScriptRunner().restoreFromFile(
            folder.filePath(QStringLiteral("script.sql")), executor, [](int) {},
            [&](const AppError& error) { failures << error.message(); });
        QVERIFY(failures.isEmpty());
        QCOMPARE(summary.withWarnings, 5);
        QCOMPARE(summary.text(),
                 QStringLiteral("Script run: 8 statements ran, 0 failed, 5 changed values with warnings."));
        QCOMPARE(summary.firstWarnings.size(), ScriptRunSummary::WarningsShown);
        QVERIFY2(summary.firstWarnings[0].startsWith(
                     QStringLiteral("Warning 1265: Data truncated for column 'v' at row 1 "
                                    "(statement: INSERT INTO received (v) VALUES ('xxx")),
                 qPrintable(summary.firstWarnings[0]));
        QCOMPARE(
            m_store->value(QStringLiteral(
                "SELECT published + 0 FROM @PREFIX@virtuemart_products WHERE virtuemart_product_id = 1")),
            QStringLiteral("127"));
    }

    // A statement beyond max_allowed_packet is not sent: it would only lose the connection.
    void statementLargerThanTheServerTakesIsNotSent()
    {
        TestFolder folder;
        const QByteArray big = "INSERT INTO received (v) VALUES ('" + QByteArray(17 << 20, 'x') + "');";
        folder.write(QStringLiteral("script.sql"), "INSERT INTO received (v) VALUES ('a');\n\n" + big +
                                                       "\nINSERT INTO received (v) VALUES ('c');\n");
        DbConnection connection(QStringLiteral("UniConnection1"));
        m_store->connect(connection);
        const qint64 largest = m_store->value(QStringLiteral("SELECT @@max_allowed_packet")).toLongLong() - 1;
        ConnectionExecutor executor(connection);
        QStringList failures;
        const ScriptRunSummary summary = ScriptRunner().restoreFromFile(
            folder.filePath(QStringLiteral("script.sql")), executor, [](int) {},
            [&](const AppError& error) { failures << error.message(); });
        QCOMPARE(failures,
                 QStringList{QStringLiteral("The statement at line 3 is larger than the server accepts: "
                                            "%1 bytes, the server takes at most %2 (max_allowed_packet).")
                                 .arg(big.size() - 1)
                                 .arg(largest)});
        QCOMPARE(summary.failed, 1);
        QCOMPARE(m_store->column(QStringLiteral("SELECT v FROM received ORDER BY n")),
                 QStringList({"a", "c"}));
        QVERIFY(connection.connected());
    }

    // Failing statements at the start, in the middle and at the end of a round trip leave the
    // same tables and the same reports as the same script sent one statement at a time, on a
    // transactional table and on one that is not (where a half-done statement stays half done).
    void failuresInRoundTripsAsWhenSentAlone_data()
    {
        QTest::addColumn<QString>("engine");
        QTest::addColumn<QList<int>>("failing"); // statement numbers from 1, of 250
        for (const QString engine : {"InnoDB", "MyISAM"}) {
            const QByteArray e = engine.toUtf8();
            QTest::newRow(e + ", first of the first round trip") << engine << QList<int>{1};
            QTest::newRow(e + ", first of a later round trip") << engine << QList<int>{101};
            QTest::newRow(e + ", in the middle") << engine << QList<int>{150};
            QTest::newRow(e + ", last of round trips") << engine << QList<int>{100, 200, 250};
            QTest::newRow(e + ", two in a row, and every third")
                << engine << QList<int>{50, 51, 3, 6, 9, 12, 15};
        }
    }

    void failuresInRoundTripsAsWhenSentAlone()
    {
        QFETCH(QString, engine);
        QFETCH(QList<int>, failing);
        // A failing statement inserts its first row, then fails on the duplicate key of its second.
        QByteArray script;
        for (int i = 1; i <= 250; ++i)
            script += "INSERT INTO kept (n, v) VALUES (" + QByteArray::number(i) +
                      (failing.contains(i) ? ", 'x'), (0, 'dup');\r\n" : ", 'v');\r\n");

        struct Outcome
        {
            QStringList failures;
            ScriptRunSummary summary;
            QStringList rows;
            qint64 roundTrips = 0;
        };
        const auto run = [&](const QByteArray& text) {
            m_store->exec(QStringLiteral("DROP TABLE IF EXISTS kept"));
            m_store->exec(
                QStringLiteral("CREATE TABLE kept (n INT PRIMARY KEY, v VARCHAR(10)) ENGINE=%1").arg(engine));
            m_store->exec(QStringLiteral("INSERT INTO kept VALUES (0, 'first')"));
            TestFolder folder;
            folder.write(QStringLiteral("script.sql"), text);
            DbConnection connection(QStringLiteral("UniConnection1"));
            m_store->connect(connection);
            MysqlResult id = connection.query(QStringLiteral("SELECT CONNECTION_ID()"));
            id.first();
            ConnectionExecutor executor(connection);
            Outcome outcome;
            outcome.summary = ScriptRunner().restoreFromFile(
                folder.filePath(QStringLiteral("script.sql")), executor, [](int) {},
                [&](const AppError& error) { outcome.failures << error.message(); });
            outcome.rows = m_store->column(QStringLiteral("SELECT CONCAT(n, v) FROM kept ORDER BY n"));
            outcome.roundTrips =
                m_store
                    ->value(QStringLiteral("SELECT COUNT(*) FROM mysql.general_log WHERE thread_id = %1")
                                .arg(id.text(0)))
                    .toLongLong();
            return outcome;
        };
        const Outcome together = run(script);
        const Outcome alone = run("SET autocommit = 1;\r\n" + script);

        QCOMPARE(together.rows, alone.rows);
        QCOMPARE(together.failures, alone.failures);
        QCOMPARE(together.failures.size(), failing.size());
        QCOMPARE(together.summary.failed, alone.summary.failed);
        QCOMPARE(together.summary.ran + 1, alone.summary.ran);
        QVERIFY2(together.roundTrips < 30 + 3 * failing.size(),
                 qPrintable(QString::number(together.roundTrips)));
        QVERIFY(alone.roundTrips > 251);
    }

    // A deadlock makes the server roll back the whole group, not the statement alone: the
    // statements of the group that ran go again, the one that met the deadlock fails alone, as
    // it would have sent alone, and the rest follow.
    void groupRolledBackByADeadlockGoesAgain()
    {
        m_store->exec(QStringLiteral("DROP TABLE IF EXISTS kept"));
        m_store->exec(QStringLiteral("CREATE TABLE kept (n INT PRIMARY KEY, v VARCHAR(10)) ENGINE=InnoDB"));
        m_store->exec(QStringLiteral("INSERT INTO kept VALUES (1, 'old'), (2, 'old'), (3, 'old')"));
        m_store->exec(QStringLiteral("CREATE TABLE made_here (x INT) ENGINE=InnoDB"));
        TestFolder folder;
        folder.write(QStringLiteral("script.sql"), "UPDATE kept SET v = 'new' WHERE n = 1;\r\n"
                                                   "UPDATE kept SET v = 'new' WHERE n = 2;\r\n"
                                                   "UPDATE kept SET v = 'new' WHERE n = 3;\r\n");
        // Another session holds row 2 and, once the script waits for it, asks for row 1 that the
        // script holds. It has written more, so the server picks the script's transaction to undo.
        std::atomic<bool> holding = false;
        std::thread other([&] {
            DbConnection connection(QStringLiteral("other"));
            m_store->connect(connection);
            connection.execute(QStringLiteral("START TRANSACTION"));
            connection.execute(QStringLiteral("INSERT INTO made_here SELECT seq FROM seq_1_to_100"));
            connection.execute(QStringLiteral("UPDATE kept SET v = 'other' WHERE n = 2"));
            holding = true;
            for (int i = 0; i < 500; ++i) {
                MysqlResult waiting = connection.query(QStringLiteral(
                    "SELECT COUNT(*) FROM information_schema.innodb_trx WHERE trx_state = 'LOCK WAIT'"));
                if (waiting.first() && waiting.integer(0) > 0)
                    break;
                QThread::msleep(20);
            }
            connection.execute(QStringLiteral("UPDATE kept SET v = 'other' WHERE n = 1"));
            connection.execute(QStringLiteral("ROLLBACK"));
        });
        while (!holding)
            QThread::msleep(5);
        DbConnection connection(QStringLiteral("UniConnection1"));
        m_store->connect(connection);
        ConnectionExecutor executor(connection);
        QStringList failures;
        const ScriptRunSummary summary = ScriptRunner().restoreFromFile(
            folder.filePath(QStringLiteral("script.sql")), executor, [](int) {},
            [&](const AppError& error) { failures << error.message(); });
        other.join();

        QCOMPARE(failures.size(), 1);
        QVERIFY2(failures[0].startsWith(QStringLiteral("Deadlock found")), qPrintable(failures[0]));
        QCOMPARE(summary.text(), QStringLiteral("Script run: 3 statements ran, 1 failed."));
        QCOMPARE(m_store->column(QStringLiteral("SELECT CONCAT(n, v) FROM kept ORDER BY n")),
                 QStringList({"1new", "2old", "3new"}));
    }

private:
    std::unique_ptr<TestStore> m_store;
    QString m_logWas;
};

QTEST_GUILESS_MAIN(TestScriptRunnerOnServer)
#include "ScriptRunnerOnServerTest.moc"
