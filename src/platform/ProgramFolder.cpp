#include "ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>

namespace {
QString& overrideFolder()
{
    static QString folder;
    return folder;
}
} // namespace

QString ProgramFolder::path()
{
    if (!overrideFolder().isEmpty())
        return overrideFolder();
    return QCoreApplication::applicationDirPath();
}

QString ProgramFolder::filePath(const QString& fileName)
{
    return QDir(path()).filePath(fileName);
}

void ProgramFolder::setOverride(const QString& folder)
{
    overrideFolder() = folder;
}
