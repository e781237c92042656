#include "FolderPath.h"

#include <QDir>

QString withTrailingSeparator(const QString& folder)
{
    const QChar separator = QDir::separator();
    return folder.endsWith(separator) || folder.endsWith(u'/') ? folder : folder + separator;
}
