#pragma once

#include "JobThread.h"
#include "db/DbConnection.h"
#include "db/DbQuery.h"
#include "store/StoreSession.h"

#include <QString>
#include <functional>

class QComboBox;
class Ui;

// The one store session that the pages share: the connection with its two queries, the
// session's names, and the thread of the jobs that use them. Opening a session on one page
// replaces the other's. While a job runs, the connection is the job's: nothing on the window's
// thread opens it then.
struct SharedStore
{
    DbConnection connection{QStringLiteral("UniConnection1")};
    DbQuery query{QStringLiteral("UniQuery1"), connection};
    DbQuery secondQuery{QStringLiteral("UniQuery2"), connection};
    StoreSession session;
    JobThread jobs;

    // The opening steps of a session on the profile chosen in profiles: "Not select connection
    // !!!" when none is, the password asked for when the profile holds none. onChosen runs once
    // a profile is found chosen. False, doing nothing, while a job runs.
    bool readChosenProfile(QComboBox* profiles, Ui& ui, const std::function<void()>& onChosen);

    static QString askPassword(Ui& ui);
};
