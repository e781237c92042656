#pragma once

#include <QStringList>

// The commands of the command line. Each takes the arguments after its name and returns its
// exit code; a failure is thrown (UsageError, ConnectionFailure, or the job's own error).
namespace Commands {

int priceExport(const QStringList& arguments);
int seoExport(const QStringList& arguments);
int createScript(const QStringList& arguments);
int preview(const QStringList& arguments);
int runScript(const QStringList& arguments);

// The options every command that opens a session takes.
inline const QString Profile = QStringLiteral("profile");
inline const QString PasswordFromInput = QStringLiteral("password-stdin");

} // namespace Commands
