#include "ProfileList.h"

#include "settings/SettingsFile.h"

QString textBetween(const QString& text, const QString& open, const QString& close)
{
    const qsizetype p = text.indexOf(open);
    const qsizetype q = text.indexOf(close);
    if (p < 0 || q < 0)
        return {};
    const qsizetype count = q - p - open.size();
    if (count <= 0)
        return {};
    return text.mid(p + open.size(), count);
}

QStringList readProfileNames(QString list)
{
    QStringList names;
    for (;;) {
        const QString name = textBetween(list, QStringLiteral("["), QStringLiteral("]"));
        if (name.trimmed().isEmpty())
            break;
        names << name;
        list.remove(0, list.indexOf(u']') + 1);
    }
    return names;
}

QString readStoredProfileList()
{
    return SettingsFile::open().readString(SettingsFile::SetConnection, SettingsFile::NameOfConnection);
}
