#pragma once

#include <QString>
#include <optional>

// The data of one connection profile as the SETTING page's fields hold it.
struct ConnectionProfile
{
    QString name;
    int storeType = 0;      // index of the chosen store type; -1 when none is chosen
    QString storeTypeText;  // the chosen store type's text
    QString server;
    QString port = QStringLiteral("3306");
    QString database;
    QString prefix;
    QString user;
    QString password;
    bool savePassword = false; // not stored

    static const QString VirtueMart2TypeText;

    // The first failed check's message, or nothing when all pass.
    std::optional<QString> validationMessage() const;

    // Reads a stored profile the way the selector fills the fields.
    static ConnectionProfile load(const QString& name);

    // Each shows its messages and asks its confirmation through the dialog seam;
    // true when the settings file was written.
    bool add() const;
    bool saveChanges() const;
    // Removes the named profile; true when it was found in the list and removed.
    // removedNothing tells the caller to clear the selector.
    static bool remove(const QString& name, bool& clearSelector);
};
