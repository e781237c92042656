#include "ConnectionTest.h"

#include "StoreSchema.h"
#include "StoreSession.h"
#include "db/DbConnection.h"
#include "db/DbError.h"
#include "db/DbQuery.h"
#include "platform/CheckFailure.h"
#include "platform/WholeNumber.h"

namespace {

QString countRows(DbQuery& query, const QString& table)
{
    query.close();
    query.sql.clear();
    query.sql << QStringLiteral("SELECT COUNT(*) FROM ") + table + u' ';
    query.open();
    return query.fieldText(0);
}

} // namespace

void testConnection(ConnectionProfile& profile, DbConnection& connection, DbQuery& query,
                    const std::function<QString()>& askPassword,
                    const std::function<void(const QString&)>& log)
{
    if (const auto message = profile.validationMessage())
        throw CheckFailure(*message);
    if (profile.password.trimmed().isEmpty())
        profile.password = askPassword();

    log(QStringLiteral("============= SETTING CONNECTION ================="));
    log(QStringLiteral("Type store=") + profile.storeTypeText);
    log(QStringLiteral("Connection name=") + profile.name);
    log(QStringLiteral("Server:port=") + profile.server + u':' + profile.port);
    if (profile.throughSsh)
        log(QStringLiteral("Through SSH=") + profile.sshRoute().description());
    log(QStringLiteral("Database@User=") + profile.database + u'@' + profile.user);
    log(QStringLiteral("Password=***************"));
    log(QStringLiteral("Prefix for tables=") + profile.prefix);
    log(QStringLiteral("=================================================="));
    log(QStringLiteral("   "));
    try {
        log(QStringLiteral("[+] closing previous database connections ... ok"));
        connection.close();
        connection.server = profile.server;
        connection.port = parseWholeNumber(profile.port).value_or(3306);
        connection.database = profile.database;
        connection.username = profile.user;
        connection.password = profile.password;
        connection.security = profile.security;
        connection.ssh = profile.sshRoute();
        log(QStringLiteral("[+] setting initial data connection  ... ok"));
        connection.open();
        log(QStringLiteral("[+] open database connections  ... ok"));
        const QString encryption = connection.encryptionDescription();
        log(encryption.isEmpty() ? QStringLiteral("[+] the connection is not encrypted")
                                 : QStringLiteral("[+] the connection is encrypted: ") + encryption);
        if (const QString route = connection.routeDescription(); !route.isEmpty())
            log(QStringLiteral("[+] the connection goes ") + route);
        if (profile.storeType == 0) {
            const StoreSchema schema{profile.prefix, {}};
            log(QStringLiteral("[+] Table (%1). Count row is [%2] ... ok")
                    .arg(schema.productPrices(), countRows(query, schema.productPrices())));
            log(QStringLiteral("[+] Table (%1). Count row is [%2] ... ok")
                    .arg(schema.products(), countRows(query, schema.products())));
            log(QStringLiteral("[+] store default language = ") + readStoreLanguage(query, profile.prefix));
        }
    } catch (const std::exception& error) {
        query.close();
        const QString line = errorTypeName(error) + QStringLiteral(" : ") + errorMessage(error);
        log(QStringLiteral("-------------- ERROR ----------------"));
        log(line);
        throw CheckFailure(line);
    }
    query.close();
    log(QStringLiteral("   "));
    log(QStringLiteral("-------------- ALL WAS OK ----------------"));
    connection.close();
}
