#include "ProfilePassword.h"

#include "platform/Keyring.h"
#include "settings/IniFile.h"
#include "settings/SettingsFile.h"

QString ProfilePassword::read(const IniFile& file, const QString& section, const QString& profileName)
{
    const QString inFile = file.readString(section, SettingsFile::Password);
    if (!inFile.isEmpty())
        return inFile;
    return Keyring::read(profileName).secret;
}

void ProfilePassword::write(IniFile& file, const QString& section, const QString& profileName,
                            const QString& password, bool save)
{
    const bool inKeyring =
        save && !password.isEmpty() && Keyring::write(profileName, password) == Keyring::Outcome::Done;
    if (!inKeyring)
        forget(profileName); // an older password there would come back on the next load
    file.writeString(section, SettingsFile::Password, save && !inKeyring ? password : QString());
}

void ProfilePassword::forget(const QString& profileName)
{
    Keyring::remove(profileName);
}

bool ProfilePassword::keyringAvailable()
{
    // No profile is named with brackets, so nothing is ever found under this key.
    return Keyring::read(QStringLiteral("[is a keyring there?]")).outcome != Keyring::Outcome::Unavailable;
}
