#pragma once

#include "BatchOutcome.h"
#include "ConnectionSecurity.h"
#include "MysqlResult.h"
#include "SshRoute.h"

#include <QString>
#include <functional>
#include <memory>

typedef struct st_mysql MYSQL;
class SshTunnel;

// The one connection to the store database (the window's UniConnection1).
// Text travels as utf8mb4; no transaction is opened; the server's commit mode stays.
class DbConnection
{
public:
    explicit DbConnection(QString name);
    ~DbConnection();
    DbConnection(const DbConnection&) = delete;
    DbConnection& operator=(const DbConnection&) = delete;

    const QString& name() const { return m_name; }

    QString server;
    int port = 3306;
    QString database;
    QString username;
    QString password;
    ConnectionSecurity security;
    // When enabled, server and port are as the SSH host sees them; the tunnel lives as long as
    // the connection.
    SshRoute ssh;

    // Connects with the stored settings; throws DbError with the server's message, and
    // CharacterSetRefused, staying closed, when the server imposes a character set other than UTF-8.
    // An encrypted connection that cannot be made fails before any statement is sent, with a
    // message that says why: the server cannot encrypt, its certificate is signed by no
    // authority this computer trusts, it is for another host name, or the handshake failed.
    // Through SSH, a tunnel that cannot be made throws TunnelFailure saying why.
    void open();
    // "through the SSH tunnel user@host:port" while connected through one, else empty.
    QString routeDescription() const;
    // "TLSv1.3, TLS_AES_256_GCM_SHA384" for an encrypted connection, empty for another.
    QString encryptionDescription() const;
    // Ends the connection if there is one; the after-disconnect hook runs when one was open.
    void close();
    bool connected() const { return m_mysql != nullptr; }

    // Runs every time an open connection is closed (also when it is found lost).
    void setAfterDisconnect(std::function<void()> hook) { m_afterDisconnect = std::move(hook); }

    // Sends one statement and returns its complete result (null for statements without one).
    // Throws DbError; a lost connection is closed so that a later open() may start afresh.
    MysqlResult query(const QString& sql);
    // Sends one statement and discards whatever it returns.
    void execute(const QString& sql);
    // The warnings the last statement left; 0 without a connection.
    int warningCount() const;
    // Sends the statements in one round trip, several statements per text allowed for it and
    // after it until switched off; none of them may contain the ";" that separates them. A
    // statement that fails is in the outcome; a lost connection throws DbError, as query() does.
    BatchOutcome executeBatch(const QStringList& statements);
    // Back to one statement per text, as every connection starts.
    void endBatches();

    static constexpr unsigned int ConnectTimeoutSeconds = 10;

private:
    // The error the client library holds for the last call.
    DbError lastError() const;
    [[noreturn]] void fail();
    // The message of a failed connect, saying what failed of an encrypted one.
    QString connectFailure(unsigned int number, const QString& message) const;
    // Where mysql_real_connect dials: the tunnel's local end, or the profile's server.
    void startRoute(QByteArray& host, unsigned int& dialPort);
    void requireUtf8();
    void makeSafeSqlMode();

    QString m_name;
    struct Deleter
    {
        void operator()(MYSQL* m) const;
    };
    std::unique_ptr<SshTunnel> m_tunnel; // outlives m_mysql, which talks through it
    std::unique_ptr<MYSQL, Deleter> m_mysql;
    std::function<void()> m_afterDisconnect;
    bool m_batches = false; // several statements per text are switched on
};
