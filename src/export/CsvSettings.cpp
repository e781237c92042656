#include "CsvSettings.h"

#include "platform/CheckFailure.h"
#include "platform/FolderPath.h"
#include "platform/WholeNumber.h"

#include <QFileInfo>

CsvSettings CsvSettings::read(const Texts& texts)
{
    if (texts.path.trimmed().isEmpty())
        throw CheckFailure(QStringLiteral("Path for export not specified !"));
    CsvSettings settings;
    settings.folder = withTrailingSeparator(texts.path);
    if (!QFileInfo(settings.folder).isDir())
        throw CheckFailure(QStringLiteral("path to the specified folder [") + settings.folder +
                           QStringLiteral("] does not exist !"));
    settings.rowLimit = parseWholeNumber(texts.rowLimit).value_or(DefaultRowLimit);
    // The entry's name would put the three letters between the fields and break every line.
    if (texts.separator == QLatin1String("TAB"))
        settings.separator = QStringLiteral("\t");
    else if (!texts.separator.trimmed().isEmpty())
        settings.separator = texts.separator;
    if (!texts.decimalSeparator.trimmed().isEmpty())
        settings.decimalSeparator = texts.decimalSeparator;
    return settings;
}
