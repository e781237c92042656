#pragma once

#include "IniFile.h"

// The settings file (see AppPlaces for where it lives), with every section and key name it holds.
namespace SettingsFile {

IniFile open();

inline const QString PageExport = QStringLiteral("PageExport");
inline const QString PageImport = QStringLiteral("PageImport");
inline const QString SetConnection = QStringLiteral("SetConnection");

inline const QString DecimalSeparator = QStringLiteral("DecimalSeparator");
inline const QString ListSeparator = QStringLiteral("ListSeparator");
inline const QString MaxRowInCSV = QStringLiteral("MaxRowInCSV");
inline const QString FolderToExport = QStringLiteral("FolderToExport");
inline const QString FolderToImport = QStringLiteral("FolderToImport");
inline const QString CodePageOfOlderFiles = QStringLiteral("CodePageOfOlderFiles"); // default: the locale's
inline const QString MatchRowsBy = QStringLiteral("MatchRowsBy");                   // IDPART or TRADENUMBER
inline const QString WarnPriceChangePercent = QStringLiteral("WarnPriceChangePercent");
inline const QString WarnPriceBecomesZero = QStringLiteral("WarnPriceBecomesZero");
inline const QString SeoExpOrGen = QStringLiteral("SEO_ExpOrGen");
QString columnForExportKey(int index);
QString columnForExportSeoKey(int index);
QString checkToSeoKey(int number); // 1 to 5

// Profile list and profile sections.
inline const QString NameOfConnection = QStringLiteral("NameOfConnection");
inline const QString TypeStore = QStringLiteral("TypeStore");
inline const QString Server = QStringLiteral("Server");
inline const QString Port = QStringLiteral("Port");
inline const QString Database = QStringLiteral("Database");
inline const QString PrefixTable = QStringLiteral("PrefixTable");
inline const QString UserName = QStringLiteral("UserName");
inline const QString Password = QStringLiteral("Password");
inline const QString Encryption = QStringLiteral("Encryption"); // 0 off, 1 required, 2 verified
inline const QString CaFile = QStringLiteral("CaFile");
inline const QString ThroughSsh = QStringLiteral("ThroughSsh"); // 0 or 1
inline const QString SshHost = QStringLiteral("SshHost");
inline const QString SshPort = QStringLiteral("SshPort");
inline const QString SshUser = QStringLiteral("SshUser");
inline const QString SshKeyFile = QStringLiteral("SshKeyFile");
QString profileSection(const QString& profileName);

inline const QString DefaultPort = QStringLiteral("3306");
inline const QString DefaultSshPort = QStringLiteral("22");
inline const QString DefaultMaxRowInCSV = QStringLiteral("10000");

} // namespace SettingsFile
