#include "DbConnection.h"

#include "CharacterSetRefused.h"
#include "DbError.h"
#include "SshTunnel.h"

#include <QStringList>
#include <algorithm>
#include <errmsg.h>
#include <mysql.h>
#include <mysqld_error.h>
#include <utility>

void DbConnection::Deleter::operator()(MYSQL* m) const
{
    mysql_close(m);
}

DbConnection::DbConnection(QString name) : m_name(std::move(name)) {}

namespace {

bool isLoopbackName(const QString& host)
{
    return host == u"127.0.0.1" || host.compare(u"localhost", Qt::CaseInsensitive) == 0;
}

} // namespace

DbConnection::~DbConnection()
{
    m_afterDisconnect = nullptr;
    close();
}

void DbConnection::open()
{
    if (connected())
        return;
    // A tunnel that does not end up carrying a connection ends here, after the library's socket.
    struct TunnelDrop
    {
        DbConnection& connection;
        ~TunnelDrop()
        {
            if (!connection.m_mysql)
                connection.m_tunnel.reset();
        }
    } tunnelDrop{*this};
    std::unique_ptr<MYSQL, Deleter> mysql(mysql_init(nullptr));
    if (!mysql)
        throw DbError(CR_OUT_OF_MEMORY, QStringLiteral("HY000"),
                      QStringLiteral("MySQL client out of memory"));
    const unsigned int timeout = ConnectTimeoutSeconds;
    mysql_optionsv(mysql.get(), MYSQL_OPT_CONNECT_TIMEOUT, &timeout);
    mysql_optionsv(mysql.get(), MYSQL_SET_CHARSET_NAME, "utf8mb4");
    const QByteArray caFile = security.caFile.toLocal8Bit();
    if (security.encryption != ConnectionSecurity::Encryption::Off) {
        const my_bool yes = 1;
        mysql_optionsv(mysql.get(), MYSQL_OPT_SSL_ENFORCE, &yes);
        if (security.encryption == ConnectionSecurity::Encryption::Verified) {
            mysql_optionsv(mysql.get(), MYSQL_OPT_SSL_VERIFY_SERVER_CERT, &yes);
            if (!caFile.isEmpty())
                mysql_optionsv(mysql.get(), MYSQL_OPT_SSL_CA, caFile.constData());
        }
    }
    QByteArray host = server.toUtf8();
    unsigned int dialPort = static_cast<unsigned int>(port);
    if (ssh.enabled) {
        startRoute(host, dialPort);
        // "localhost" would make the library use the socket file of this computer.
        const unsigned int tcp = MYSQL_PROTOCOL_TCP;
        mysql_optionsv(mysql.get(), MYSQL_OPT_PROTOCOL, &tcp);
    }
    const QByteArray user = username.toUtf8();
    const QByteArray pass = password.toUtf8();
    const QByteArray db = database.toUtf8();
    if (!mysql_real_connect(mysql.get(), host.constData(), user.constData(), pass.constData(),
                            db.isEmpty() ? nullptr : db.constData(), dialPort, nullptr, 0)) {
        // A connection through the tunnel that fails at once may have failed beyond the SSH host.
        if (m_tunnel)
            if (const auto failure = m_tunnel->failureOfConnection(std::chrono::seconds(1)))
                throw TunnelFailure(*failure);
        throw DbError(mysql_errno(mysql.get()), QString::fromLatin1(mysql_sqlstate(mysql.get())),
                      connectFailure(mysql_errno(mysql.get()), QString::fromUtf8(mysql_error(mysql.get()))));
    }
    // The library does not refuse a server without TLS unless it verifies the certificate: the
    // login (which never carries the password in clear) is all that went unencrypted then.
    if (security.encryption != ConnectionSecurity::Encryption::Off && !mysql_get_ssl_cipher(mysql.get()))
        throw DbError(
            CR_SSL_CONNECTION_ERROR, QStringLiteral("HY000"),
            connectFailure(CR_SSL_CONNECTION_ERROR, QStringLiteral("the server does not support TLS")));
    m_mysql = std::move(mysql);
    try {
        requireUtf8();
        makeSafeSqlMode();
    } catch (...) {
        m_mysql.reset(); // never opened, as far as anyone else can tell
        throw;
    }
}

void DbConnection::startRoute(QByteArray& host, unsigned int& dialPort)
{
    // The certificate's name is checked against the name dialled, which is the tunnel's end.
    if (security.encryption == ConnectionSecurity::Encryption::Verified && !isLoopbackName(server))
        throw DbError(CR_SSL_CONNECTION_ERROR, QStringLiteral("HY000"),
                      QStringLiteral("The encrypted connection to %1 failed: through an SSH tunnel, the "
                                     "server's host name can be verified only when the profile names it "
                                     "127.0.0.1 or localhost")
                          .arg(server));
    m_tunnel = std::make_unique<SshTunnel>(ssh, server, port);
    host = server.compare(u"localhost", Qt::CaseInsensitive) == 0 ? QByteArrayLiteral("localhost")
                                                                  : QByteArrayLiteral("127.0.0.1");
    dialPort = static_cast<unsigned int>(m_tunnel->localPort());
}

QString DbConnection::routeDescription() const
{
    return m_mysql && m_tunnel ? QStringLiteral("through the SSH tunnel ") + m_tunnel->route().description()
                               : QString();
}

QString DbConnection::connectFailure(unsigned int number, const QString& message) const
{
    const auto said = [&](std::initializer_list<const char*> texts) {
        return std::any_of(texts.begin(), texts.end(), [&](const char* text) {
            return message.contains(QLatin1String(text), Qt::CaseInsensitive);
        });
    };
    if (security.encryption == ConnectionSecurity::Encryption::Off) {
        // A server that takes encrypted connections only refuses others as it refuses a password.
        if (number == ER_ACCESS_DENIED_ERROR || number == 3159)
            return message +
                   QStringLiteral(" (a server that takes only encrypted connections refuses others this "
                                  "way: try the encryption \"required\")");
        return message;
    }
    if (number != CR_SSL_CONNECTION_ERROR && !said({"SSL", "TLS"}))
        return message;
    QString why = QStringLiteral("the TLS handshake failed");
    if (said({"not support", "doesn't support", "not enabled", "server doesn't"}))
        why = QStringLiteral("the server cannot encrypt connections");
    else if (said({"self-signed", "self signed", "unable to get local issuer", "unknown ca",
                   "certificate verify failed", "unable to verify"}))
        why = QStringLiteral("the server's certificate is signed by no authority this computer trusts");
    else if (said({"Validation of SSL server certificate failed", "hostname", "host name", "mismatch"}))
        why = QStringLiteral("the server's certificate is for another host name than %1").arg(server);
    return QStringLiteral("The encrypted connection to %1 failed: %2 (%3)").arg(server, why, message);
}

QString DbConnection::encryptionDescription() const
{
    if (!m_mysql)
        return {};
    const char* cipher = mysql_get_ssl_cipher(m_mysql.get());
    if (!cipher)
        return {};
    const char* version = nullptr;
    mariadb_get_infov(m_mysql.get(), MARIADB_CONNECTION_TLS_VERSION, &version);
    return QString::fromLatin1(version ? version : "TLS") + QStringLiteral(", ") +
           QString::fromLatin1(cipher);
}

// A server may impose its own character set whatever the client asks for. Under a multibyte
// one such as gbk, a backslash can become part of the character before it, and an escaped
// quote then ends its string: nothing may be sent over such a connection.
void DbConnection::requireUtf8()
{
    MysqlResult sets = query(
        QStringLiteral("SELECT @@character_set_client, @@character_set_connection, @@character_set_results"));
    if (!sets.first())
        return;
    for (int i = 0; i < 3; ++i) {
        const QString name = sets.text(i);
        if (name != u"utf8mb4" && name != u"utf8mb3" && name != u"utf8")
            throw CharacterSetRefused(name);
    }
}

// Scripts escape quotes in texts with a backslash; a server mode that ignores backslashes
// would let a cell end its string early, so this session never has that mode.
void DbConnection::makeSafeSqlMode()
{
    MysqlResult mode = query(QStringLiteral("SELECT @@SESSION.sql_mode"));
    if (!mode.first())
        return;
    QStringList flags = mode.text(0).split(u',', Qt::SkipEmptyParts);
    if (flags.removeAll(QStringLiteral("NO_BACKSLASH_ESCAPES")) == 0)
        return;
    execute(QStringLiteral("SET SESSION sql_mode = '%1'").arg(flags.join(u',')));
}

void DbConnection::close()
{
    if (!m_mysql)
        return;
    m_mysql.reset();
    m_batches = false;
    m_tunnel.reset();
    if (m_afterDisconnect)
        m_afterDisconnect();
}

DbError DbConnection::lastError() const
{
    return DbError(mysql_errno(m_mysql.get()), QString::fromLatin1(mysql_sqlstate(m_mysql.get())),
                   QString::fromUtf8(mysql_error(m_mysql.get())));
}

void DbConnection::fail()
{
    const DbError error = lastError();
    if (error.isConnectionLost())
        close();
    throw error;
}

MysqlResult DbConnection::query(const QString& sql)
{
    if (!m_mysql)
        open();
    const QByteArray text = sql.toUtf8();
    if (mysql_real_query(m_mysql.get(), text.constData(), static_cast<unsigned long>(text.size())) != 0)
        fail();
    MYSQL_RES* result = mysql_store_result(m_mysql.get());
    if (!result && mysql_field_count(m_mysql.get()) != 0)
        fail();
    MysqlResult held = result ? MysqlResult(result) : MysqlResult();
    // Leftover results of a statement that returns several would put the next one out of sync.
    while (mysql_more_results(m_mysql.get())) {
        if (mysql_next_result(m_mysql.get()) > 0)
            fail();
        if (MYSQL_RES* extra = mysql_store_result(m_mysql.get()))
            mysql_free_result(extra);
    }
    return held;
}

void DbConnection::execute(const QString& sql)
{
    query(sql);
}

BatchOutcome DbConnection::executeBatch(const QStringList& statements)
{
    if (!m_mysql)
        open();
    if (!m_batches) {
        if (mysql_set_server_option(m_mysql.get(), MYSQL_OPTION_MULTI_STATEMENTS_ON) != 0)
            fail();
        m_batches = true;
    }
    const QByteArray text = statements.join(QStringLiteral(";\n")).toUtf8();
    BatchOutcome outcome;
    const auto statementFailed = [&] {
        outcome.failure = lastError();
        if (outcome.failure->isConnectionLost())
            fail();
    };
    if (mysql_real_query(m_mysql.get(), text.constData(), static_cast<unsigned long>(text.size())) != 0) {
        statementFailed();
        return outcome;
    }
    for (;;) {
        MYSQL_RES* result = mysql_store_result(m_mysql.get());
        if (!result && mysql_field_count(m_mysql.get()) != 0) {
            statementFailed();
            return outcome;
        }
        outcome.results.push_back(result ? MysqlResult(result) : MysqlResult());
        outcome.warnings.push_back(int(mysql_warning_count(m_mysql.get())));
        ++outcome.ran;
        const int next = mysql_next_result(m_mysql.get());
        if (next < 0)
            return outcome;
        if (next > 0) {
            statementFailed();
            return outcome;
        }
    }
}

void DbConnection::endBatches()
{
    if (!m_mysql || !m_batches)
        return;
    m_batches = false;
    if (mysql_set_server_option(m_mysql.get(), MYSQL_OPTION_MULTI_STATEMENTS_OFF) != 0)
        fail();
}

int DbConnection::warningCount() const
{
    return m_mysql ? int(mysql_warning_count(m_mysql.get())) : 0;
}
