#include "TestStore.h"

#include "settings/IniFile.h"

#include <QFile>
#include <QRegularExpression>
#include <stdexcept>

TestServer TestServer::fromEnvironment()
{
    const QString path = qEnvironmentVariable("VELMORA_TEST_DB");
    if (!QFile::exists(path))
        throw std::runtime_error("the test database server is not running (VELMORA_TEST_DB)");
    return fromFile(path);
}

TestServer TestServer::fromFile(const QString& path)
{
    const IniFile file(path);
    const QString s = QStringLiteral("server");
    return {file.readString(s, QStringLiteral("host")), file.readInteger(s, QStringLiteral("port"), 0),
            file.readString(s, QStringLiteral("user")), file.readString(s, QStringLiteral("password"))};
}

void TestServer::applyTo(DbConnection& connection, const QString& database) const
{
    connection.server = host;
    connection.port = port;
    connection.username = user;
    connection.password = password;
    connection.database = database;
}

TestStore::TestStore(QString database, QString prefix, QString language)
    : m_database(std::move(database)), m_prefix(std::move(prefix)), m_language(std::move(language))
{
    TestServer::fromEnvironment().applyTo(m_admin, QString());
    m_admin.open();
    m_admin.execute(QStringLiteral("DROP DATABASE IF EXISTS `%1`").arg(m_database));
    m_admin.execute(QStringLiteral("CREATE DATABASE `%1` CHARACTER SET utf8mb4").arg(m_database));
    m_admin.execute(QStringLiteral("USE `%1`").arg(m_database));
    QFile schema(QStringLiteral(VELMORA_STORE_SCHEMA));
    if (!schema.open(QIODevice::ReadOnly))
        throw std::runtime_error("cannot read the store schema");
    execScript(QString::fromUtf8(schema.readAll()));
}

TestStore::~TestStore()
{
    try {
        m_admin.execute(QStringLiteral("DROP DATABASE IF EXISTS `%1`").arg(m_database));
    } catch (...) {
    }
}

QString TestStore::expand(const QString& sql) const
{
    return QString(sql)
        .replace(QStringLiteral("@PREFIX@"), m_prefix)
        .replace(QStringLiteral("@LANG@"), m_language);
}

void TestStore::exec(const QString& sql)
{
    m_admin.execute(expand(sql));
}

void TestStore::execScript(const QString& script)
{
    static const QRegularExpression end(QStringLiteral(";[ \\t]*\\r?\\n"));
    for (const QString& statement : expand(script).split(end)) {
        QString text = statement;
        // Comment lines before a statement are the script's own notes.
        while (text.trimmed().startsWith(QStringLiteral("--")))
            text = text.mid(text.indexOf(u'\n') + 1);
        if (!text.trimmed().isEmpty() && !text.trimmed().startsWith(QStringLiteral("--")))
            m_admin.execute(text.trimmed().endsWith(u';') ? text.trimmed().chopped(1) : text);
    }
}

QStringList TestStore::column(const QString& sql)
{
    MysqlResult result = m_admin.query(expand(sql));
    QStringList values;
    for (bool row = result.first(); row; row = result.next())
        values << result.text(0);
    return values;
}

QString TestStore::value(const QString& sql)
{
    const QStringList values = column(sql);
    return values.isEmpty() ? QString() : values.first();
}

void TestStore::connect(DbConnection& connection) const
{
    TestServer::fromEnvironment().applyTo(connection, m_database);
    connection.open();
}

ConnectionProfile TestStore::profile(const QString& name) const
{
    const TestServer server = TestServer::fromEnvironment();
    ConnectionProfile p;
    p.name = name;
    p.storeTypeText = ConnectionProfile::VirtueMart2TypeText;
    p.server = server.host;
    p.port = QString::number(server.port);
    p.database = m_database;
    p.prefix = m_prefix;
    p.user = server.user;
    p.password = server.password;
    return p;
}
