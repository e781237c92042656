#pragma once

#include "TestStore.h"

#include <QProcessEnvironment>
#include <QTemporaryDir>

// A MariaDB server of the test's own, started by scripts/test-mariadb.sh in a folder of its own:
// one the test may stop while a job uses it, or one that takes only encrypted connections.
class PrivateServer
{
public:
    // environment: what the script reads besides (VELMORA_DB_TLS, ...).
    explicit PrivateServer(const QProcessEnvironment& environment = {});
    ~PrivateServer();
    PrivateServer(const PrivateServer&) = delete;
    PrivateServer& operator=(const PrivateServer&) = delete;

    bool started() const { return m_started; }
    const TestServer& server() const { return m_server; }
    void applyTo(DbConnection& connection, const QString& database) const
    {
        m_server.applyTo(connection, database);
    }
    void stop();

private:
    bool run(const QString& action);

    QProcessEnvironment m_environment;
    QTemporaryDir m_dir;
    TestServer m_server;
    bool m_started = false;
};
