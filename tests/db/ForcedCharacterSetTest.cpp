#include "TestFolder.h"
#include "TestStore.h"
#include "db/CharacterSetRefused.h"
#include "db/ConnectionExecutor.h"
#include "db/DbConnection.h"
#include "db/ScriptRunner.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

// A server that imposes gbk on every connection, as skip-character-set-client-handshake does.
// Under gbk the last byte of "€" in UTF-8 and the backslash after it make one character, so an
// escaped quote in a cell would end its string and the rest of the cell would become SQL.
class ForcedCharacterSetTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void connectionIsRefused();
    void craftedCellCannotEscape();

private:
    bool server(const QString& action);
    QString rootQuery(const QString& sql);
    QString refusal() const;

    QTemporaryDir m_dir;
    bool m_started = false;
};

bool ForcedCharacterSetTest::server(const QString& action)
{
    QProcess script;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("VELMORA_DB_FORCED_CHARSET"), QStringLiteral("gbk"));
    script.setProcessEnvironment(environment);
    script.setProcessChannelMode(QProcess::ForwardedChannels);
    script.start(QStringLiteral("bash"), {QStringLiteral(VELMORA_TEST_MARIADB_SCRIPT), action, m_dir.path()});
    return script.waitForFinished(60000) && script.exitStatus() == QProcess::NormalExit &&
           script.exitCode() == 0;
}

// Through the server's own client as root, in utf8mb4 by an explicit SET NAMES.
QString ForcedCharacterSetTest::rootQuery(const QString& sql)
{
    QProcess client;
    client.start(QStringLiteral("mariadb"),
                 {QStringLiteral("--no-defaults"),
                  QStringLiteral("--socket=") + m_dir.filePath(QStringLiteral("sock")),
                  QStringLiteral("-uroot"), QStringLiteral("-N"), QStringLiteral("-B"), QStringLiteral("-e"),
                  QStringLiteral("SET NAMES utf8mb4; ") + sql});
    if (!client.waitForFinished(30000) || client.exitCode() != 0)
        return QStringLiteral("<failed: %1>").arg(QString::fromUtf8(client.readAllStandardError()));
    return QString::fromUtf8(client.readAllStandardOutput()).trimmed();
}

QString ForcedCharacterSetTest::refusal() const
{
    return QStringLiteral(
        "The database server imposes the character set gbk on this connection; only utf8mb4 or utf8 "
        "keeps texts intact and their quotes inside their strings, so nothing is sent over it. "
        "The server must accept the character set its clients ask for");
}

void ForcedCharacterSetTest::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_started = server(QStringLiteral("start"));
    QVERIFY2(m_started, "the gbk test server did not start");
    QCOMPARE(rootQuery(QStringLiteral(
                 "CREATE DATABASE shop CHARACTER SET utf8mb4; "
                 "CREATE TABLE shop.p (id INT, d VARCHAR(100), price INT) CHARACTER SET utf8mb4; "
                 "INSERT INTO shop.p VALUES (1, 'a', 10), (2, 'b', 20)")),
             QString());
}

void ForcedCharacterSetTest::cleanupTestCase()
{
    if (m_started)
        server(QStringLiteral("stop"));
}

void ForcedCharacterSetTest::connectionIsRefused()
{
    DbConnection connection(QStringLiteral("UniConnection1"));
    TestServer::fromFile(m_dir.filePath(QStringLiteral("connection.ini")))
        .applyTo(connection, QStringLiteral("shop"));
    try {
        connection.open();
        QFAIL("connected");
    } catch (const CharacterSetRefused& error) {
        QCOMPARE(error.message(), refusal());
    }
    QVERIFY(!connection.connected());
}

// The cell "€', price = 0 #" as the update script escapes it. Sent under gbk, it would set the
// price of product 1 to 0; the run is refused before a statement leaves.
void ForcedCharacterSetTest::craftedCellCannotEscape()
{
    TestFolder folder;
    folder.write(QStringLiteral("script.sql"), QStringLiteral("UPDATE shop.p SET d = '€\\', price = 0 #'\r\n"
                                                              "WHERE id = 1;\r\nCOMMIT;\r\n")
                                                   .toUtf8());
    DbConnection connection(QStringLiteral("UniConnection1"));
    TestServer::fromFile(m_dir.filePath(QStringLiteral("connection.ini")))
        .applyTo(connection, QStringLiteral("shop"));
    ConnectionExecutor executor(connection);
    QStringList errors;

    try {
        ScriptRunner().restoreFromFile(
            folder.filePath(QStringLiteral("script.sql")), executor, [](int) {},
            [&](const AppError& error) { errors << error.message(); });
        QFAIL("the script ran");
    } catch (const CharacterSetRefused& error) {
        QCOMPARE(error.message(), refusal());
    }

    QCOMPARE(errors, QStringList());
    QCOMPARE(rootQuery(QStringLiteral("SELECT CONCAT_WS('|', id, d, price) FROM shop.p ORDER BY id")),
             QStringLiteral("1|a|10\n2|b|20"));
}

QTEST_GUILESS_MAIN(ForcedCharacterSetTest)
#include "ForcedCharacterSetTest.moc"
