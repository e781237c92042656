#pragma once

#include "db/DbConnection.h"
#include "db/DbQuery.h"
#include "store/StoreSession.h"

#include <QString>

// The store session of one command, on a stored profile, opened without a question. A
// password given for the run wins over the one the profile saved (in the settings file or the
// desktop keyring): from standard input (passwordFromInput) or the environment variable
// VELMORA_PASSWORD when it is set.
class CommandSession
{
public:
    static constexpr const char* PasswordVariable = "VELMORA_PASSWORD";

    // Reads the profile; throws UsageError when no stored profile has that name.
    explicit CommandSession(const QString& profileName);

    // Throws ConnectionFailure when the store cannot be reached, logged in to or read.
    void open(bool passwordFromInput);

    DbConnection& connection() { return m_connection; }
    DbQuery& query() { return m_query; }
    DbQuery& secondQuery() { return m_secondQuery; }
    const StoreSchema& schema() const { return m_store.schema; }

private:
    QString m_profileName;
    DbConnection m_connection{QStringLiteral("UniConnection1")};
    DbQuery m_query{QStringLiteral("UniQuery1"), m_connection};
    DbQuery m_secondQuery{QStringLiteral("UniQuery2"), m_connection};
    StoreSession m_store;
};
