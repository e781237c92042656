#pragma once

#include "StoreSchema.h"
#include "db/ConnectionSecurity.h"
#include "db/SshRoute.h"

#include <QString>
#include <functional>

class DbConnection;
class DbQuery;

// The program-wide values of the open store session; they stay when the connection closes.
struct StoreSession
{
    int storeType = 0;
    QString server;
    int port = 3306;
    QString database;
    QString user;
    QString password;
    ConnectionSecurity security;
    SshRoute ssh;
    StoreSchema schema; // table prefix and language suffix

    // Replaces the values with the stored profile's (prefix included; suffix kept).
    void readProfile(const QString& profileName);
    // Asks for the password through askPassword when none is in hand; the answer is not stored.
    void askPasswordIfEmpty(const std::function<QString()>& askPassword);
    // Closes, sets the connection from the values and opens it, then reads the language.
    // Only store type 0 opens anything; returns whether it did.
    bool open(DbConnection& connection, DbQuery& query);
};

// The store's default language code from its configuration table.
QString readStoreLanguage(DbQuery& query, const QString& prefix);
