#include "ConnectionProfile.h"

#include "ProfileList.h"
#include "ProfilePassword.h"
#include "platform/CheckFailure.h"
#include "platform/WholeNumber.h"
#include "settings/SettingsFile.h"

using namespace SettingsFile;

const QString ConnectionProfile::VirtueMart2TypeText = QStringLiteral("Vitruemart [ver 2.0.]");

namespace {

QString bracketed(const QString& name)
{
    return u'[' + name + u']';
}

// Profile names are kept apart without regard to case: their sections are found that way.
bool listHasNameIgnoringCase(const QString& list, const QString& name)
{
    return readProfileNames(list).contains(name, Qt::CaseInsensitive) ||
           list.contains(bracketed(name), Qt::CaseInsensitive);
}

void writeProfileData(IniFile& file, const ConnectionProfile& p)
{
    const QString section = profileSection(p.name);
    file.writeInteger(section, TypeStore, p.storeType);
    file.writeString(section, Server, p.server);
    file.writeString(section, Port, p.port);
    file.writeString(section, Database, p.database);
    file.writeString(section, PrefixTable, p.prefix);
    file.writeString(section, UserName, p.user);
    ProfilePassword::write(file, section, p.name, p.password, p.savePassword);
    file.writeInteger(section, Encryption, int(p.security.encryption));
    file.writeString(section, CaFile, p.security.caFile);
    file.writeInteger(section, ThroughSsh, p.throughSsh ? 1 : 0);
    file.writeString(section, SshHost, p.sshHost);
    file.writeString(section, SshPort, p.sshPort);
    file.writeString(section, SshUser, p.sshUser);
    file.writeString(section, SshKeyFile, p.sshKeyFile);
}

} // namespace

std::optional<QString> ConnectionProfile::validationMessage() const
{
    if (name.trimmed().isEmpty())
        return QStringLiteral("Connection name is empty !");
    if (storeTypeText.trimmed().isEmpty() || storeType < 0)
        return QStringLiteral("Type store is empty !");
    if (server.trimmed().isEmpty())
        return QStringLiteral("Server name is empty !");
    if (port.trimmed().isEmpty())
        return QStringLiteral("Port name is empty !");
    if (!parseWholeNumber(port))
        return QStringLiteral("Port name is incorrect value !");
    if (database.trimmed().isEmpty())
        return QStringLiteral("Database name is empty !");
    if (user.trimmed().isEmpty())
        return QStringLiteral("User name is empty !");
    if (name.contains(u'[') || name.contains(u']'))
        return QStringLiteral("Connection name has invalid characters (], [) !");
    if (throughSsh) {
        if (sshHost.trimmed().isEmpty())
            return QStringLiteral("SSH host is empty !");
        const auto number = parseWholeNumber(sshPort);
        if (!number || *number < 1 || *number > 65535)
            return QStringLiteral("SSH port is incorrect value !");
    }
    return std::nullopt;
}

SshRoute ConnectionProfile::sshRoute() const
{
    SshRoute route;
    route.enabled = throughSsh;
    route.host = sshHost.trimmed();
    route.port = parseWholeNumber(sshPort).value_or(22);
    route.user = sshUser.trimmed();
    route.keyFile = sshKeyFile.trimmed();
    return route;
}

ConnectionProfile ConnectionProfile::load(const QString& profileName)
{
    const IniFile file = SettingsFile::open();
    const QString section = profileSection(profileName);
    ConnectionProfile p;
    p.name = file.readString(section, NameOfConnection);
    p.storeType = file.readInteger(section, TypeStore, 0);
    p.storeTypeText = p.storeType == 0 ? VirtueMart2TypeText : QString();
    p.server = file.readString(section, Server);
    p.port = file.readString(section, Port, DefaultPort);
    p.database = file.readString(section, Database);
    p.prefix = file.readString(section, PrefixTable);
    p.user = file.readString(section, UserName);
    p.password = ProfilePassword::read(file, section, p.name);
    const int encryption = file.readInteger(section, Encryption, 0);
    p.security.encryption =
        encryption >= 0 && encryption <= int(ConnectionSecurity::Encryption::Verified)
            ? ConnectionSecurity::Encryption(encryption)
            : ConnectionSecurity::Encryption::Verified; // the safest for what it cannot read
    p.security.caFile = file.readString(section, CaFile);
    p.throughSsh = file.readInteger(section, ThroughSsh, 0) != 0;
    p.sshHost = file.readString(section, SshHost);
    p.sshPort = file.readString(section, SshPort, DefaultSshPort);
    p.sshUser = file.readString(section, SshUser);
    p.sshKeyFile = file.readString(section, SshKeyFile);
    return p;
}

void ConnectionProfile::checkForAdding() const
{
    if (const auto message = validationMessage())
        throw CheckFailure(*message);
    const QString list = SettingsFile::open().readString(SetConnection, NameOfConnection);
    if (!list.trimmed().isEmpty() && listHasNameIgnoringCase(list, name))
        throw CheckFailure(QStringLiteral("Connection with this name [") + name +
                           QStringLiteral("] already exists !"));
}

void ConnectionProfile::add() const
{
    IniFile file = SettingsFile::open();
    const QString list = file.readString(SetConnection, NameOfConnection);
    file.writeString(SetConnection, NameOfConnection, list + bracketed(name));
    file.writeString(profileSection(name), NameOfConnection, name);
    writeProfileData(file, *this);
}

bool ConnectionProfile::checkForSaving() const
{
    if (const auto message = validationMessage())
        throw CheckFailure(*message);
    const QString list = SettingsFile::open().readString(SetConnection, NameOfConnection);
    if (list.trimmed().isEmpty())
        return false;
    if (!list.contains(bracketed(name)))
        throw CheckFailure(QStringLiteral("Such a connection [") + name +
                           QStringLiteral("] is not in the list !"));
    return true;
}

void ConnectionProfile::saveChanges() const
{
    IniFile file = SettingsFile::open();
    writeProfileData(file, *this);
}

bool ConnectionProfile::remove(const QString& profileName, bool& clearSelector)
{
    clearSelector = false;
    IniFile file = SettingsFile::open();
    QString list = file.readString(SetConnection, NameOfConnection);
    if (list.trimmed().isEmpty() || !list.contains(bracketed(profileName))) {
        clearSelector = true;
        return false;
    }
    list.remove(bracketed(profileName));
    file.writeString(SetConnection, NameOfConnection, list);
    // A name that differs only in case shares the section; it must keep its data.
    if (!listHasNameIgnoringCase(list, profileName))
        file.eraseSection(profileSection(profileName));
    ProfilePassword::forget(profileName);
    return true;
}
