#pragma once

#include "ConnectionProfile.h"

#include <QString>
#include <functional>

class DbConnection;
class DbQuery;

// The SETTING page's test of the typed connection data. Validation failures are shown as
// messages; an empty password is asked for and put into profile.password. Log lines go to
// log one by one; an error is logged and shown; on success the connection is closed again.
void testConnection(ConnectionProfile& profile, DbConnection& connection, DbQuery& query,
                    const std::function<void(const QString&)>& log);
