#pragma once

#include "db/DbConnection.h"
#include "store/ConnectionProfile.h"

#include <QString>
#include <QStringList>

// The throwaway test server started by the suite.
struct TestServer
{
    QString host;
    int port = 0;
    QString user;
    QString password;

    static TestServer fromEnvironment();
    // From the connection file scripts/test-mariadb.sh writes.
    static TestServer fromFile(const QString& path);
    void applyTo(DbConnection& connection, const QString& database) const;
};

// A fresh store database with the store's schema, dropped again at the end.
// Texts given to exec() may use @PREFIX@ and @LANG@.
class TestStore
{
public:
    explicit TestStore(QString database, QString prefix = QStringLiteral("jos_"),
                       QString language = QStringLiteral("en_gb"));
    ~TestStore();

    const QString& database() const { return m_database; }
    const QString& prefix() const { return m_prefix; }
    const QString& language() const { return m_language; }

    void exec(const QString& sql);
    void execScript(const QString& script); // statements ending with ";" at a line end
    // The first column of every row, as the program reads values.
    QStringList column(const QString& sql);
    QString value(const QString& sql);
    // Connects a connection to this store.
    void connect(DbConnection& connection) const;
    // A connection profile for this store on the test server, password included.
    ConnectionProfile profile(const QString& name) const;

private:
    QString expand(const QString& sql) const;

    QString m_database;
    QString m_prefix;
    QString m_language;
    DbConnection m_admin{QStringLiteral("TestStore")};
};
