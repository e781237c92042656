#pragma once

#include "db/DbConnection.h"
#include "settings/IniFile.h"
#include "store/StoreSchema.h"

// The demo store that scripts/demo-store.sh describes in its connection.ini.
struct DemoStore
{
    IniFile ini;

    QString value(const char* key) const
    {
        return ini.readString(QStringLiteral("server"), QString::fromLatin1(key));
    }

    void connect(DbConnection& connection) const
    {
        connection.server = value("host");
        connection.port = value("port").toInt();
        connection.database = value("database");
        connection.username = value("user");
        connection.password = value("password");
        connection.open();
    }

    StoreSchema schema() const
    {
        return {value("prefix"), StoreSchema::languageSuffixFor(value("language"))};
    }
};
