#pragma once

#include "ConnectionProfile.h"

#include <QString>
#include <functional>

class DbConnection;
class DbQuery;

// The SETTING page's test of the typed connection data. A field that fails its check throws
// CheckFailure before anything is logged; an empty password is asked for through
// askPassword and put into profile.password. Log lines go to log one by one; on success the
// connection is closed again. A failure of the test is logged, and thrown as a CheckFailure of
// its log line, for the window to show as a plain message.
void testConnection(ConnectionProfile& profile, DbConnection& connection, DbQuery& query,
                    const std::function<QString()>& askPassword,
                    const std::function<void(const QString&)>& log);
