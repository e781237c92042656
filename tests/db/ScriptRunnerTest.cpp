#include "db/ScriptRunner.h"
#include "TestFolder.h"
#include "db/StatementExecutor.h"
#include "platform/AppError.h"

#include <QStringEncoder>
#include <QTest>

namespace {

const QString kLostConnection = QStringLiteral("Lost connection to server during query");

// Records each statement it is sent. A statement holding failMarker fails; the
// loseAt-th statement (from 1) loses the connection for good.
class FakeExecutor : public StatementExecutor
{
public:
    QStringList sent;
    QString failMarker;
    int loseAt = 0;

    int executeStatement(const QString& sql) override
    {
        sent.append(sql);
        if (sent.size() == loseAt) {
            m_lost = true;
            throw AppError(kLostConnection);
        }
        if (!failMarker.isEmpty() && sql.contains(failMarker))
            throw AppError(QStringLiteral("Unknown column '%1' in 'field list'").arg(failMarker));
        return 0;
    }
    QStringList lastWarnings() override { return {}; }
    qint64 largestStatement() override { return 0; }
    bool isConnectionLost() const override { return m_lost; }

private:
    bool m_lost = false;
};

struct Run
{
    QList<int> percents;
    QStringList errors;
};

// blockSize 0: the runner's own. The code page of older files is windows-1251 unless given.
Run runScript(const QString& path, int blockSize, FakeExecutor& executor,
              const QByteArray& codePageOfOlderFiles = "windows-1251")
{
    Run run;
    ScriptRunner runner(blockSize > 0 ? blockSize : ScriptRunner::DefaultBlockSize);
    runner.setLegacyCodePage(codePageOfOlderFiles);
    runner.restoreFromFile(
        path, executor, [&](int percent) { run.percents.append(percent); },
        [&](const AppError& error) { run.errors.append(error.message()); });
    return run;
}

struct Case
{
    const char* name;
    QString text;
    const char* encoding;
    QByteArray byteOrderMark;
    QStringList statements;
    QList<int> percents;
};

const QList<Case>& cases()
{
    static const QList<Case> all = {
        {"update script",
         "UPDATE jos_virtuemart_product_prices SET product_price=12.5 WHERE "
         "virtuemart_product_id=101;\r\n\r\nUPDATE jos_virtuemart_product_prices SET product_price=7 WHERE "
         "virtuemart_product_id=102;\r\n  \r\n\r\nUPDATE jos_virtuemart_products SET product_in_stock=0 "
         "WHERE virtuemart_product_id=103;\r\n\r\nCOMMIT;\r\n",
         "UTF-8",
         "",
         {"UPDATE jos_virtuemart_product_prices SET product_price=12.5 WHERE virtuemart_product_id=101",
          "UPDATE jos_virtuemart_product_prices SET product_price=7 WHERE virtuemart_product_id=102",
          "UPDATE jos_virtuemart_products SET product_in_stock=0 WHERE virtuemart_product_id=103", "COMMIT"},
         {31, 63, 95, 99}},
        {"semicolon in quoted text",
         "UPDATE jos_virtuemart_products_ru_ru SET product_s_desc='Size: 10\\'; colour \\\"red\\\"' WHERE "
         "virtuemart_product_id=7;\r\nCOMMIT;\r\n",
         "UTF-8",
         "",
         {"UPDATE jos_virtuemart_products_ru_ru SET product_s_desc='Size: 10\\'; colour \\\"red\\\"' WHERE "
          "virtuemart_product_id=7",
          "COMMIT"},
         {91, 98}},
        {"last statement without delimiter",
         "UPDATE a SET x=1;\r\nCOMMIT",
         "UTF-8",
         "",
         {"UPDATE a SET x=1", "COMMIT"},
         {68, 100}},
        {"empty file", "", "UTF-8", "", {}, {}},
        {"UTF-8 byte-order mark",
         "UPDATE a SET x=1;\r\n",
         "UTF-8",
         "\xEF\xBB\xBF",
         {"UPDATE a SET x=1"},
         {90}},
        {"DELIMITER block",
         "DELIMITER $$\r\nCREATE PROCEDURE p()\r\nBEGIN\r\n  UPDATE a SET x=1;\r\nEND $$\r\nDELIMITER "
         ";\r\nCALL p();\r\n",
         "UTF-8",
         "",
         {"CREATE PROCEDURE p()\r\nBEGIN\r\n  UPDATE a SET x=1;\r\nEND ", "CALL p()"},
         {12, 72, 86, 97}},
        {"empty statement",
         "UPDATE a SET x=1;;\r\nUPDATE b SET y=2;",
         "UTF-8",
         "",
         {"UPDATE a SET x=1", "UPDATE b SET y=2"},
         {45, 100}},
        {"comments",
         "/* prices */\r\nUPDATE a SET x=1; # first\r\nUPDATE b SET y=2 -- second; still\r\n;",
         "UTF-8",
         "",
         {"/* prices */\r\nUPDATE a SET x=1", "# first\r\nUPDATE b SET y=2 -- second; still\r\n"},
         {40, 100}},
        {"routine ended by slash line",
         "CREATE FUNCTION f() RETURNS INT\r\nBEGIN\r\n  RETURN 1;\r\nEND;\r\n/\r\nSELECT f();\r\n",
         "UTF-8",
         "",
         {"CREATE FUNCTION f() RETURNS INT\r\nBEGIN\r\n  RETURN 1;\r\nEND;\r\n", "SELECT f()"},
         {80, 97}},
        {"UTF-16 LE",
         "UPDATE p SET n='Чай; зелёный 🍵' WHERE id=1;\r\nCOMMIT;\r\n",
         "UTF-16LE",
         "\xFF\xFE",
         {"UPDATE p SET n='Чай; зелёный 🍵' WHERE id=1", "COMMIT"},
         {80, 96}},
        {"UTF-16 BE",
         "UPDATE p SET n='Чай; зелёный 🍵' WHERE id=1;\r\nCOMMIT;\r\n",
         "UTF-16BE",
         "\xFE\xFF",
         {"UPDATE p SET n='Чай; зелёный 🍵' WHERE id=1", "COMMIT"},
         {80, 96}},
        {"UTF-8 without byte-order mark",
         "UPDATE p SET n='Чай; зелёный 🍵' WHERE id=1;\r\nCOMMIT;\r\n",
         "UTF-8",
         "",
         {"UPDATE p SET n='Чай; зелёный 🍵' WHERE id=1", "COMMIT"},
         {83, 97}},
        {"windows-1251",
         "UPDATE jos_virtuemart_products_ru_ru SET product_s_desc='Зелёный чай с жасмином, крупнолистовой, "
         "собран весной в горах' WHERE virtuemart_product_id=1;\r\nUPDATE jos_virtuemart_products_ru_ru SET "
         "product_s_desc='Чёрный чай; крепкий, с терпким вкусом и медовым ароматом' WHERE "
         "virtuemart_product_id=2;\r\nUPDATE jos_virtuemart_products_ru_ru SET product_s_desc='Травяной сбор "
         "из мяты, чабреца и душицы для вечернего чаепития' WHERE virtuemart_product_id=3;\r\nCOMMIT;\r\n",
         "windows-1251",
         "",
         {"UPDATE jos_virtuemart_products_ru_ru SET product_s_desc='Зелёный чай с жасмином, крупнолистовой, "
          "собран весной в горах' WHERE virtuemart_product_id=1",
          "UPDATE jos_virtuemart_products_ru_ru SET product_s_desc='Чёрный чай; крепкий, с терпким вкусом и "
          "медовым ароматом' WHERE virtuemart_product_id=2",
          "UPDATE jos_virtuemart_products_ru_ru SET product_s_desc='Травяной сбор из мяты, чабреца и душицы "
          "для вечернего чаепития' WHERE virtuemart_product_id=3",
          "COMMIT"},
         {32, 64, 97, 99}},
    };
    return all;
}

const QString kLossScript =
    QStringLiteral("UPDATE a SET x=1;\r\nDELIMITER $$\r\nUPDATE b SET y=2; UPDATE c SET z=3$$\r\n"
                   "DELIMITER ;\r\nUPDATE d SET w=4;\r\nCOMMIT;\r\n");

} // namespace

class ScriptRunnerTest : public QObject
{
    Q_OBJECT

private slots:
    void runsScript_data();
    void runsScript();
    void goesOnAfterFailingStatement();
    void reportsLostConnectionOnce_data();
    void reportsLostConnectionOnce();
    void holdsBackAQuoteThatIsNeverClosed_data();
    void holdsBackAQuoteThatIsNeverClosed();
    void refusesFileThatCannotBeOpened();
    void wholeFileDecidesTheEncoding_data();
    void wholeFileDecidesTheEncoding();
};

void ScriptRunnerTest::runsScript_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("blockSize");
    QTest::addColumn<QStringList>("statements");
    QTest::addColumn<QList<int>>("percents");
    for (const Case& c : cases()) {
        const QByteArray file = c.byteOrderMark + QStringEncoder(c.encoding).encode(c.text);
        for (int blockSize = 0; blockSize <= 15; ++blockSize)
            QTest::addRow("%s, blocks of %d", c.name, blockSize)
                << file << blockSize << c.statements << c.percents;
    }
}

void ScriptRunnerTest::runsScript()
{
    QFETCH(QByteArray, file);
    QFETCH(int, blockSize);
    QFETCH(QStringList, statements);
    QFETCH(QList<int>, percents);
    TestFolder folder;
    folder.write("script.sql", file);
    FakeExecutor executor;

    const Run run = runScript(folder.filePath("script.sql"), blockSize, executor);

    QCOMPARE(executor.sent, statements);
    QCOMPARE(run.percents, percents);
    QVERIFY(run.errors.isEmpty());
}

void ScriptRunnerTest::goesOnAfterFailingStatement()
{
    TestFolder folder;
    folder.write("script.sql",
                 "UPDATE a SET x=1;\r\nUPDATE a SET missing_column=2;\r\nUPDATE a SET x=3;\r\n");
    FakeExecutor executor;
    executor.failMarker = "missing_column";

    const Run run = runScript(folder.filePath("script.sql"), 0, executor);

    QCOMPARE(executor.sent,
             QStringList({"UPDATE a SET x=1", "UPDATE a SET missing_column=2", "UPDATE a SET x=3"}));
    QCOMPARE(run.errors, QStringList({"Unknown column 'missing_column' in 'field list'"}));
    QCOMPARE(run.percents, QList<int>({24, 70, 97}));
}

void ScriptRunnerTest::reportsLostConnectionOnce_data()
{
    QTest::addColumn<int>("loseAt");
    QTest::addColumn<int>("blockSize");
    QTest::addColumn<int>("notifications");
    // Statements 1 to 4, with a DELIMITER command before the second and after it.
    const int notificationsUpTo[] = {0, 1, 3, 5, 6};
    for (int loseAt = 1; loseAt <= 4; ++loseAt) {
        for (int blockSize = 0; blockSize <= 15; ++blockSize)
            QTest::addRow("statement %d, blocks of %d", loseAt, blockSize)
                << loseAt << blockSize << notificationsUpTo[loseAt];
    }
}

void ScriptRunnerTest::reportsLostConnectionOnce()
{
    QFETCH(int, loseAt);
    QFETCH(int, blockSize);
    QFETCH(int, notifications);
    TestFolder folder;
    folder.write("script.sql", kLossScript.toUtf8());
    FakeExecutor executor;
    executor.loseAt = loseAt;

    const Run run = runScript(folder.filePath("script.sql"), blockSize, executor);

    QCOMPARE(executor.sent.size(), loseAt);
    QCOMPARE(
        run.errors,
        QStringList(
            kLostConnection +
            QStringLiteral("\nConnection lost: %1 statements of the script were not sent.").arg(4 - loseAt)));
    QCOMPARE(run.percents.size(), notifications);
}

void ScriptRunnerTest::holdsBackAQuoteThatIsNeverClosed_data()
{
    QTest::addColumn<int>("blockSize");
    for (int blockSize = 0; blockSize <= 15; ++blockSize)
        QTest::addRow("blocks of %d", blockSize) << blockSize;
}

// Sent, the rest of the script would reach the server as one string; the operator hears
// where the quote is instead.
void ScriptRunnerTest::holdsBackAQuoteThatIsNeverClosed()
{
    QFETCH(int, blockSize);
    TestFolder folder;
    folder.write("script.sql", "UPDATE a SET x=1;\r\n\r\nUPDATE p SET d='It\\'s;\r\nWHERE id=2;\r\n"
                               "UPDATE b SET y=3;\r\nCOMMIT;\r\n");
    FakeExecutor executor;

    const Run run = runScript(folder.filePath("script.sql"), blockSize, executor);

    QCOMPARE(executor.sent, QStringList{"UPDATE a SET x=1"});
    QCOMPARE(run.errors,
             QStringList{"The quote ' on line 3 is never closed: 4 statements of the script were not sent."});
    QCOMPARE(run.percents.last(), 100);
}

void ScriptRunnerTest::refusesFileThatCannotBeOpened()
{
    TestFolder folder;
    const QString path = folder.filePath("missing.sql");
    FakeExecutor executor;
    try {
        runScript(path, 0, executor);
        QFAIL("no error");
    } catch (const AppError& error) {
        QCOMPARE(error.message(),
                 QStringLiteral("Cannot open file \"%1\". No such file or directory").arg(path));
    }
    QVERIFY(executor.sent.isEmpty());
}

void ScriptRunnerTest::wholeFileDecidesTheEncoding_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("lastStatement");
    // Far more ASCII than one block or any sample before the first accented letter.
    const QByteArray asciiStatement = "UPDATE a SET x='" + QByteArray(70 * 1024, 'a') + "';\r\n";
    const QString czech = QStringLiteral("UPDATE p SET n='Šťastný žluťoučký kůň' WHERE id=1");
    QTest::newRow("windows-1250 after 70 KiB of ASCII")
        << asciiStatement + QStringEncoder("windows-1250").encode(czech) + ";\r\n"
        << czech;
    QTest::newRow("UTF-8 after 70 KiB of ASCII") << asciiStatement + czech.toUtf8() + ";\r\n" << czech;
    // A two-byte sequence split by the end of the first 64 KiB block of the check.
    QTest::newRow("UTF-8 across a block boundary")
        << QByteArray(64 * 1024 - 1, ' ') + czech.toUtf8() + ";\r\n"
        << czech;
}

void ScriptRunnerTest::wholeFileDecidesTheEncoding()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, lastStatement);
    TestFolder folder;
    folder.write("script.sql", file);
    FakeExecutor executor;

    const Run run = runScript(folder.filePath("script.sql"), 0, executor, "windows-1250");

    QVERIFY(run.errors.isEmpty());
    QCOMPARE(executor.sent.last(), lastStatement);
}

QTEST_GUILESS_MAIN(ScriptRunnerTest)
#include "ScriptRunnerTest.moc"
