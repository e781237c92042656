#include "db/SshTunnel.h"
#include "SshServer.h"
#include "TestStore.h"
#include "db/DbConnection.h"
#include "db/DbError.h"
#include "db/DbQuery.h"
#include "platform/LoopbackPort.h"
#include "store/ConnectionProfile.h"
#include "store/ConnectionTest.h"

#include <QTest>

// Connections through an SSH server of the test's own to the suite's database server: what
// connects goes through the tunnel for as long as the connection lives, and every way the
// tunnel can fail says which, before any statement is sent.
class SshTunnelTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        if (!m_ssh.failure().isEmpty())
            QSKIP(qPrintable(m_ssh.failure()));
    }

    void init() { m_ssh.setKnownHosts(SshServer::KnownHosts::Right); }

    void connectionLivesWithItsTunnel()
    {
        {
            DbConnection connection(QStringLiteral("UniConnection1"));
            TestServer::fromEnvironment().applyTo(connection, QString());
            connection.ssh = m_ssh.route();
            connection.open();
            QCOMPARE(connection.routeDescription(),
                     QStringLiteral("through the SSH tunnel 127.0.0.1:%1").arg(m_ssh.port()));
            QCOMPARE(m_ssh.tunnelsRunning(), 1);
            // Statements travel through it; the server sees the SSH host's end of the tunnel.
            MysqlResult result = connection.query(QStringLiteral("SELECT 6 * 7"));
            QVERIFY(result.first());
            QCOMPARE(result.text(0), QStringLiteral("42"));
            connection.close();
            QCOMPARE(m_ssh.tunnelsRunning(), 0);
            QVERIFY(connection.routeDescription().isEmpty());
            // Opened again, it makes a new tunnel; the connection's end takes it down too.
            connection.open();
            QCOMPARE(m_ssh.tunnelsRunning(), 1);
        }
        QCOMPARE(m_ssh.tunnelsRunning(), 0);
    }

    // A host named as in ssh's configuration gets the port written there.
    void hostOfTheSshConfiguration()
    {
        DbConnection connection(QStringLiteral("UniConnection1"));
        TestServer::fromEnvironment().applyTo(connection, QString());
        connection.ssh = m_ssh.route();
        connection.ssh.host = QString::fromLatin1(SshServer::ConfiguredHost);
        connection.ssh.port = SshRoute::DefaultPort;
        connection.open();
        QCOMPARE(m_ssh.tunnelsRunning(), 1);
    }

    void failures_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<QString>("said");
        QTest::newRow("unknown host key") << "known_hosts empty"
                                          << "failed: the host's key is not in known_hosts; it shows ";
        QTest::newRow("changed host key")
            << "known_hosts changed"
            << "failed: the host's key has CHANGED since known_hosts recorded it; "
               "it now shows ";
        QTest::newRow("key refused") << "refused key"
                                     << "failed: the host does not accept the key file ";
        QTest::newRow("passphrase needed") << "locked key"
                                           << "failed: the key file ";
        QTest::newRow("key file missing") << "missing key"
                                          << "failed: the key file ";
        QTest::newRow("host unreachable") << "closed port"
                                          << "failed: the host cannot be reached";
        QTest::newRow("database unreachable from the host")
            << "closed database port"
            << "failed: the host cannot reach the database at 127.0.0.1:";
        QTest::newRow("verified name of a remote server")
            << "verified remote"
            << "through an SSH tunnel, the server's host name can be verified only";
    }

    void failures()
    {
        QFETCH(QString, change);
        QFETCH(QString, said);
        DbConnection connection(QStringLiteral("UniConnection1"));
        TestServer::fromEnvironment().applyTo(connection, QString());
        connection.ssh = m_ssh.route();
        if (change == u"known_hosts empty")
            m_ssh.setKnownHosts(SshServer::KnownHosts::Empty);
        else if (change == u"known_hosts changed")
            m_ssh.setKnownHosts(SshServer::KnownHosts::Changed);
        else if (change == u"refused key")
            connection.ssh.keyFile = m_ssh.refusedKey();
        else if (change == u"locked key")
            connection.ssh.keyFile = m_ssh.lockedKey();
        else if (change == u"missing key")
            connection.ssh.keyFile = m_ssh.acceptedKey() + QStringLiteral(".gone");
        else if (change == u"closed port")
            connection.ssh.port = unusedLoopbackPort();
        else if (change == u"closed database port")
            connection.port = unusedLoopbackPort();
        else if (change == u"verified remote") {
            connection.server = QStringLiteral("db.example");
            connection.security.encryption = ConnectionSecurity::Encryption::Verified;
        }
        QString failure;
        try {
            connection.open();
        } catch (const AppError& error) {
            failure = error.message();
        }
        QVERIFY2(failure.contains(said), qPrintable(failure));
        QVERIFY(!connection.connected());
        QCOMPARE(m_ssh.tunnelsRunning(), 0);
        if (change.startsWith(QLatin1String("known_hosts")))
            QVERIFY2(failure.contains(m_ssh.hostKeyFingerprint()), qPrintable(failure));
        if (change == u"locked key")
            QVERIFY2(failure.contains(QStringLiteral("needs its passphrase: add it to the SSH agent")),
                     qPrintable(failure));
        if (change == u"missing key")
            QVERIFY2(failure.contains(QStringLiteral("cannot be read")), qPrintable(failure));
    }

    // The connection test names the tunnel it went through.
    void connectionTestLogsTheTunnel()
    {
        const TestStore store(QStringLiteral("ssh_store"));
        ConnectionProfile profile = store.profile(QStringLiteral("Hosted"));
        const SshRoute route = m_ssh.route();
        profile.throughSsh = true;
        profile.sshHost = route.host;
        profile.sshPort = QString::number(route.port);
        profile.sshKeyFile = route.keyFile;
        DbConnection connection(QStringLiteral("UniConnection1"));
        DbQuery query(QStringLiteral("UniQuery1"), connection);
        QStringList log;
        testConnection(
            profile, connection, query, [] { return QString(); }, [&](const QString& line) { log << line; });
        QVERIFY2(log.contains(QStringLiteral("[+] the connection goes through the SSH tunnel 127.0.0.1:%1")
                                  .arg(route.port)),
                 qPrintable(log.join(u'\n')));
        QCOMPARE(log.last(), QStringLiteral("-------------- ALL WAS OK ----------------"));
        QCOMPARE(m_ssh.tunnelsRunning(), 0);
    }

private:
    SshServer m_ssh;
};

QTEST_GUILESS_MAIN(SshTunnelTest)
#include "SshTunnelTest.moc"
