#pragma once

#include <QString>

class IniFile;

// Where the saved password of a profile lives: in the desktop keyring under the profile's name
// when one runs, else in the profile's section of the settings file (readable by its owner
// only), as it always was. A password already in a settings file keeps working and moves to
// the keyring the next time its profile is saved.
namespace ProfilePassword {

// The saved password, empty when none is kept.
QString read(const IniFile& file, const QString& section, const QString& profileName);
// Keeps the password (or forgets it when save is false) and writes what the settings file's
// key is to hold: empty once the keyring has it.
void write(IniFile& file, const QString& section, const QString& profileName, const QString& password,
           bool save);
// Forgets what the keyring holds for a removed profile.
void forget(const QString& profileName);
// Whether saved passwords go to a keyring on this desktop.
bool keyringAvailable();

} // namespace ProfilePassword
