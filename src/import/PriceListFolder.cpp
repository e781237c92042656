#include "PriceListFolder.h"

#include "platform/Ui.h"

#include <QDir>
#include <QFileInfo>

QString withTrailingSeparator(const QString& folder)
{
    const QChar separator = QDir::separator();
    return folder.endsWith(separator) || folder.endsWith(u'/') ? folder : folder + separator;
}

std::optional<QStringList> listPriceListFiles(const QString& pathText)
{
    if (pathText.trimmed().isEmpty())
        return std::nullopt;
    const QString path = withTrailingSeparator(pathText);
    if (!QFileInfo(path).isDir()) {
        Ui::instance().message(QStringLiteral("path to the specified folder [") + path + QStringLiteral("] does not exist !"));
        return std::nullopt;
    }
    QStringList files;
    const QDir folder(path);
    for (const QString& name : folder.entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Unsorted))
        files << path + name;
    return files;
}
