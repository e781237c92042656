#include "PriceListFolder.h"

#include "platform/CheckFailure.h"
#include "platform/FolderPath.h"

#include <QDir>
#include <QFileInfo>

std::optional<QStringList> listPriceListFiles(const QString& pathText)
{
    if (pathText.trimmed().isEmpty())
        return std::nullopt;
    const QString path = withTrailingSeparator(pathText);
    if (!QFileInfo(path).isDir())
        throw CheckFailure(QStringLiteral("path to the specified folder [") + path + QStringLiteral("] does not exist !"));
    QStringList files;
    const QDir folder(path);
    for (const QString& name : folder.entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Unsorted))
        files << path + name;
    return files;
}
