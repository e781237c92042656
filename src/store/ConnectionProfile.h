#pragma once

#include "db/ConnectionSecurity.h"
#include "db/SshRoute.h"

#include <QString>
#include <optional>

// The data of one connection profile as the SETTING page's fields hold it.
struct ConnectionProfile
{
    QString name;
    int storeType = 0;     // index of the chosen store type; -1 when none is chosen
    QString storeTypeText; // the chosen store type's text
    QString server;
    QString port = QStringLiteral("3306");
    QString database;
    QString prefix;
    QString user;
    QString password;
    bool savePassword = false; // not stored
    // A profile written before these existed connects as it always did: unencrypted.
    ConnectionSecurity security;
    // The SSH host in between, when throughSsh; the server and port are then as it sees them.
    bool throughSsh = false;
    QString sshHost;
    QString sshPort = QStringLiteral("22");
    QString sshUser;
    QString sshKeyFile; // empty: the SSH agent's keys

    SshRoute sshRoute() const;

    static const QString VirtueMart2TypeText;

    // The first failed check's message, or nothing when all pass.
    std::optional<QString> validationMessage() const;

    // Reads a stored profile the way the selector fills the fields.
    static ConnectionProfile load(const QString& name);

    // The checks before adding: throws CheckFailure for fields that fail their checks and for
    // a name already in the list (letter case ignored).
    void checkForAdding() const;
    // Adds the profile to the list and writes its section; the caller checked and confirmed.
    void add() const;
    // The checks before saving changes: throws CheckFailure for fields that fail their checks
    // and for a name not in the list; false, with nothing to say, when the list is empty.
    bool checkForSaving() const;
    // Writes the profile's data into its section; the caller checked and confirmed.
    void saveChanges() const;
    // Removes the named profile once the operator confirmed; true when it was found in the
    // list and removed. clearSelector tells the caller to clear the selector.
    static bool remove(const QString& name, bool& clearSelector);
};
