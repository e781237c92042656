#include "PrivateServer.h"
#include "db/DbConnection.h"
#include "db/DbError.h"
#include "db/DbQuery.h"
#include "store/ConnectionProfile.h"
#include "store/ConnectionTest.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

namespace {

using Encryption = ConnectionSecurity::Encryption;

bool openssl(const QStringList& arguments, const QString& folder)
{
    QProcess process;
    process.setWorkingDirectory(folder);
    process.start(QStringLiteral("openssl"), arguments);
    return process.waitForFinished(60000) && process.exitCode() == 0;
}

// A certificate authority in folder: NAME.pem and NAME.key.
bool makeAuthority(const QString& folder, const QString& name)
{
    return openssl({"req", "-x509", "-newkey", "rsa:2048", "-nodes", "-days", "2", "-subj", "/CN=" + name,
                    "-keyout", name + ".key", "-out", name + ".pem"},
                   folder);
}

// A folder that VELMORA_DB_TLS names: ca.pem, and server.pem with server.key for subjectAltName.
bool makeServerCertificate(const QString& folder, const QString& subjectAltName)
{
    QFile extension(folder + "/extension.cnf");
    if (!extension.open(QIODevice::WriteOnly))
        return false;
    extension.write("subjectAltName=" + subjectAltName.toLatin1() + "\n");
    extension.close();
    return makeAuthority(folder, "ca") &&
           openssl({"req", "-newkey", "rsa:2048", "-nodes", "-subj", "/CN=store", "-keyout", "server.key",
                    "-out", "server.csr"},
                   folder) &&
           openssl({"x509", "-req", "-in", "server.csr", "-CA", "ca.pem", "-CAkey", "ca.key",
                    "-CAcreateserial", "-days", "2", "-out", "server.pem", "-extfile", "extension.cnf"},
                   folder);
}

std::unique_ptr<PrivateServer> secureOnlyServer(const QString& certificates)
{
    QProcessEnvironment environment;
    environment.insert(QStringLiteral("VELMORA_DB_TLS"), certificates);
    return std::make_unique<PrivateServer>(environment);
}

} // namespace

// Encrypted connections against servers that take only encrypted ones, with certificates made
// for the test: what connects says how, what fails says why, before any statement is sent.
class SecureConnectionTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY(m_ip.isValid() && m_named.isValid() && m_other.isValid());
        QVERIFY(makeServerCertificate(m_ip.path(), QStringLiteral("IP:127.0.0.1")));
        QVERIFY(makeServerCertificate(m_named.path(), QStringLiteral("DNS:store.example")));
        QVERIFY(makeAuthority(m_other.path(), QStringLiteral("other")));
        m_ipServer = secureOnlyServer(m_ip.path());
        m_namedServer = secureOnlyServer(m_named.path());
        QVERIFY(m_ipServer->started() && m_namedServer->started());
    }

    void cleanupTestCase()
    {
        m_ipServer.reset();
        m_namedServer.reset();
    }

    void connections_data()
    {
        QTest::addColumn<QString>("server"); // "ip", "named" or "plain" (the suite's own, without TLS)
        QTest::addColumn<int>("encryption");
        QTest::addColumn<QString>("caFile");
        QTest::addColumn<QString>("said"); // empty: it connects, encrypted but for "off" on plain
        QTest::newRow("verified with its authority")
            << "ip" << int(Encryption::Verified) << "@ip/ca.pem" << QString();
        QTest::newRow("required, any certificate")
            << "named" << int(Encryption::Required) << QString() << QString();
        QTest::newRow("off, as before, on a plain server")
            << "plain" << int(Encryption::Off) << QString() << QString();
        QTest::newRow("another authority")
            << "ip" << int(Encryption::Verified) << "@other/other.pem"
            << "failed: the server's certificate is signed by no authority this computer trusts";
        QTest::newRow("the system's authorities")
            << "ip" << int(Encryption::Verified) << QString()
            << "failed: the server's certificate is signed by no authority this computer trusts";
        QTest::newRow("another host name")
            << "named" << int(Encryption::Verified) << "@named/ca.pem"
            << "failed: the server's certificate is for another host name than 127.0.0.1";
        QTest::newRow("off against a secure-only server")
            << "ip" << int(Encryption::Off) << QString()
            << "a server that takes only encrypted connections refuses others this way";
        QTest::newRow("verified of a plain server") << "plain" << int(Encryption::Verified) << "@ip/ca.pem"
                                                    << "failed: the server cannot encrypt connections";
        QTest::newRow("required of a plain server") << "plain" << int(Encryption::Required) << QString()
                                                    << "failed: the server cannot encrypt connections";
    }

    void connections()
    {
        QFETCH(QString, server);
        QFETCH(int, encryption);
        QFETCH(QString, caFile);
        QFETCH(QString, said);
        DbConnection connection(QStringLiteral("UniConnection1"));
        const TestServer& target = server == u"ip"      ? m_ipServer->server()
                                   : server == u"named" ? m_namedServer->server()
                                                        : TestServer::fromEnvironment();
        target.applyTo(connection, QString());
        connection.security.encryption = Encryption(encryption);
        connection.security.caFile = caFile.replace(QStringLiteral("@ip"), m_ip.path())
                                         .replace(QStringLiteral("@named"), m_named.path())
                                         .replace(QStringLiteral("@other"), m_other.path());
        QString failure;
        try {
            connection.open();
        } catch (const DbError& error) {
            failure = error.message();
        }
        if (said.isEmpty()) {
            QVERIFY2(failure.isEmpty(), qPrintable(failure));
            QCOMPARE(connection.encryptionDescription().startsWith(QStringLiteral("TLSv1.")),
                     server != u"plain");
        } else {
            QVERIFY2(failure.contains(said), qPrintable(failure));
            QVERIFY(!connection.connected());
        }
    }

    // The connection test says that, and how, the session is encrypted.
    void connectionTestLogsTheEncryption()
    {
        DbConnection admin(QStringLiteral("admin"));
        m_ipServer->applyTo(admin, QString());
        admin.security.encryption = Encryption::Required;
        admin.open();
        for (const char* statement :
             {"CREATE DATABASE IF NOT EXISTS tls_store",
              "CREATE TABLE IF NOT EXISTS tls_store.virtuemart_products (id INT)",
              "CREATE TABLE IF NOT EXISTS tls_store.virtuemart_product_prices (id INT)",
              "CREATE TABLE IF NOT EXISTS tls_store.virtuemart_configs (config TEXT)"})
            admin.execute(QString::fromLatin1(statement));
        ConnectionProfile profile;
        profile.name = QStringLiteral("Hosted");
        profile.storeTypeText = ConnectionProfile::VirtueMart2TypeText;
        profile.server = m_ipServer->server().host;
        profile.port = QString::number(m_ipServer->server().port);
        profile.database = QStringLiteral("tls_store");
        profile.user = m_ipServer->server().user;
        profile.password = m_ipServer->server().password;
        profile.security = {Encryption::Verified, m_ip.filePath(QStringLiteral("ca.pem"))};
        DbConnection connection(QStringLiteral("UniConnection1"));
        DbQuery query(QStringLiteral("UniQuery1"), connection);
        QStringList log;
        testConnection(
            profile, connection, query, [] { return QString(); }, [&](const QString& line) { log << line; });
        const QStringList encrypted = log.filter(QStringLiteral("[+] the connection is encrypted: TLSv1."));
        QVERIFY2(encrypted.size() == 1, qPrintable(log.join(u'\n')));
        QCOMPARE(log.last(), QStringLiteral("-------------- ALL WAS OK ----------------"));
    }

private:
    QTemporaryDir m_ip;
    QTemporaryDir m_named;
    QTemporaryDir m_other;
    std::unique_ptr<PrivateServer> m_ipServer;
    std::unique_ptr<PrivateServer> m_namedServer;
};

QTEST_GUILESS_MAIN(SecureConnectionTest)
#include "SecureConnectionTest.moc"
