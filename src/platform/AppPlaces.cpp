#include "AppPlaces.h"

#include "ProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <unistd.h>

namespace {

const QString SettingsFileName = QStringLiteral("SetVelmora.ini");
const QString UserFolderName = QStringLiteral("velmora");

std::optional<bool>& writableOverride()
{
    static std::optional<bool> writable;
    return writable;
}

bool programFolderWritable()
{
    if (writableOverride())
        return *writableOverride();
    const QString folder = ProgramFolder::path();
    return QFileInfo(folder).isDir() && ::access(QFile::encodeName(folder).constData(), W_OK | X_OK) == 0;
}

// Root may write to /usr/bin; an installed program still must not leave files there.
bool installedCopy()
{
    return QFileInfo::exists(
        ProgramFolder::filePath(QStringLiteral("../share/applications/" VELMORA_APP_ID ".desktop")));
}

QString userFolder(QStandardPaths::StandardLocation location)
{
    const QString folder = QDir(QStandardPaths::writableLocation(location)).filePath(UserFolderName);
    // A failure shows later, when a file in it cannot be written, with that file's name.
    QDir().mkpath(folder);
    return folder;
}

} // namespace

bool AppPlaces::besideProgram()
{
    return programFolderWritable() && !installedCopy();
}

QString AppPlaces::settingsFile()
{
    if (besideProgram())
        return ProgramFolder::filePath(SettingsFileName);
    const QString path = QDir(userFolder(QStandardPaths::GenericConfigLocation)).filePath(SettingsFileName);
    const QString leftBeside = ProgramFolder::filePath(SettingsFileName);
    // The copy is the user's alone: it may hold passwords, and a read-only original must not
    // make it read-only too.
    if (!QFileInfo::exists(path) && QFileInfo(leftBeside).isFile() && QFile::copy(leftBeside, path))
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    return path;
}

QString AppPlaces::dataFolder()
{
    if (besideProgram())
        return ProgramFolder::path();
    return userFolder(QStandardPaths::GenericDataLocation);
}

void AppPlaces::setProgramFolderWritable(std::optional<bool> writable)
{
    writableOverride() = writable;
}
