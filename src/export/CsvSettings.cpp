#include "CsvSettings.h"

#include "platform/Ui.h"
#include "settings/IniFile.h"

#include <QDir>
#include <QFileInfo>

std::optional<CsvSettings> CsvSettings::read(const Texts& texts)
{
    if (texts.path.trimmed().isEmpty()) {
        Ui::instance().message(QStringLiteral("Path for export not specified !"));
        return std::nullopt;
    }
    CsvSettings settings;
    settings.folder = texts.path;
    if (!settings.folder.endsWith(QDir::separator()))
        settings.folder += QDir::separator();
    if (!QFileInfo(settings.folder).isDir()) {
        Ui::instance().message(QStringLiteral("path to the specified folder [") + settings.folder +
                               QStringLiteral("] does not exist !"));
        return std::nullopt;
    }
    settings.rowLimit = IniFile::parseInteger(texts.rowLimit).value_or(DefaultRowLimit);
    // The entry's name would put the three letters between the fields and break every line.
    if (texts.separator == QLatin1String("TAB"))
        settings.separator = QStringLiteral("\t");
    else if (!texts.separator.trimmed().isEmpty())
        settings.separator = texts.separator;
    if (!texts.decimalSeparator.trimmed().isEmpty())
        settings.decimalSeparator = texts.decimalSeparator;
    return settings;
}
