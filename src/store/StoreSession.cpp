#include "StoreSession.h"

#include "ConnectionProfile.h"
#include "ProfileList.h"
#include "db/DbConnection.h"
#include "db/DbQuery.h"
#include "platform/WholeNumber.h"
#include "settings/SettingsFile.h"

using namespace SettingsFile;

void StoreSession::readProfile(const QString& profileName)
{
    const ConnectionProfile profile = ConnectionProfile::load(profileName);
    storeType = profile.storeType;
    server = profile.server;
    port = parseWholeNumber(profile.port).value_or(3306);
    database = profile.database;
    schema.prefix = profile.prefix;
    user = profile.user;
    password = profile.password;
    security = profile.security;
    ssh = profile.sshRoute();
}

void StoreSession::askPasswordIfEmpty(const std::function<QString()>& askPassword)
{
    if (password.trimmed().isEmpty())
        password = askPassword();
}

bool StoreSession::open(DbConnection& connection, DbQuery& query)
{
    if (storeType != 0)
        return false;
    connection.close();
    connection.server = server;
    connection.port = port;
    connection.database = database;
    connection.username = user;
    connection.password = password;
    connection.security = security;
    connection.ssh = ssh;
    connection.open();
    schema.languageSuffix = StoreSchema::languageSuffixFor(readStoreLanguage(query, schema.prefix));
    return true;
}

QString readStoreLanguage(DbQuery& query, const QString& prefix)
{
    query.close();
    query.sql.clear();
    query.sql << QStringLiteral("SELECT  ") << QStringLiteral("   config")
              << QStringLiteral("FROM ") + StoreSchema{prefix, {}}.configs();
    query.open();
    QString config = query.fieldText(0);
    const qsizetype k = config.indexOf(QStringLiteral("vmlang=")) + 1;
    config.remove(0, k);
    return textBetween(config, QStringLiteral(":\""), QStringLiteral("\";"));
}
