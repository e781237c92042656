#include "SettingsFile.h"

#include "platform/AppPlaces.h"

IniFile SettingsFile::open()
{
    return IniFile(AppPlaces::settingsFile());
}

QString SettingsFile::columnForExportKey(int index)
{
    return QStringLiteral("ColumnForExport[%1]").arg(index);
}

QString SettingsFile::columnForExportSeoKey(int index)
{
    return QStringLiteral("ColumnForExportSEO[%1]").arg(index);
}

QString SettingsFile::checkToSeoKey(int number)
{
    return QStringLiteral("CheckToSEO_%1").arg(number);
}

QString SettingsFile::profileSection(const QString& profileName)
{
    return QStringLiteral("SetConnectionFor{") + profileName + u'}';
}
