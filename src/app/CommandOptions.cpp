#include "CommandOptions.h"

#include "CommandFailures.h"

CommandOptions::CommandOptions(const QStringList& arguments, const QStringList& valueOptions,
                               const QStringList& switches, int positional)
{
    for (const QString& name : valueOptions)
        m_parser.addOption(QCommandLineOption(name, QString(), QStringLiteral("value")));
    for (const QString& name : switches)
        m_parser.addOption(QCommandLineOption(name));
    // The parser skips its first entry, the program's name.
    if (!m_parser.parse(QStringList{QStringLiteral("velmora")} + arguments))
        throw UsageError(m_parser.errorText());
    if (m_parser.positionalArguments().size() != positional)
        throw UsageError(positional == 0 ? QStringLiteral("Unexpected argument: ") +
                                               m_parser.positionalArguments().first()
                                         : QStringLiteral("Expected %1 file argument(s), got %2")
                                               .arg(positional)
                                               .arg(m_parser.positionalArguments().size()));
}

QString CommandOptions::required(const QString& name) const
{
    if (!m_parser.isSet(name))
        throw UsageError(QStringLiteral("Missing option: --") + name);
    return m_parser.value(name);
}

QStringList CommandOptions::list(const QString& name) const
{
    QStringList entries;
    for (const QString& value : m_parser.values(name))
        for (const QString& entry : value.split(u','))
            if (!entry.trimmed().isEmpty())
                entries << entry.trimmed();
    return entries;
}

QStringList CommandOptions::values(const QString& name) const
{
    QStringList entries;
    for (const QString& value : m_parser.values(name))
        entries << value.trimmed();
    return entries;
}
