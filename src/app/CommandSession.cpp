#include "CommandSession.h"

#include "CommandFailures.h"
#include "Console.h"
#include "store/ProfileList.h"

#include <algorithm>

CommandSession::CommandSession(const QString& profileName)
{
    const QStringList names = readProfileNames(readStoredProfileList());
    const auto found = std::find_if(names.begin(), names.end(), [&](const QString& name) {
        return name.compare(profileName.trimmed(), Qt::CaseInsensitive) == 0;
    });
    if (profileName.trimmed().isEmpty() || found == names.end())
        throw UsageError(QStringLiteral("Unknown profile: ") + profileName);
    m_profileName = *found;
    m_store.readProfile(m_profileName);
}

void CommandSession::open(bool passwordFromInput)
{
    if (passwordFromInput)
        m_store.password = Console::readInputLine();
    else if (const QString given = qEnvironmentVariable(PasswordVariable); !given.isEmpty())
        m_store.password = given;
    bool opened = false;
    try {
        opened = m_store.open(m_connection, m_query);
    } catch (const std::exception& error) {
        throw ConnectionFailure(errorMessage(error));
    }
    m_query.close();
    if (!opened)
        throw ConnectionFailure(QStringLiteral("The store type of profile [") + m_profileName +
                                QStringLiteral("] cannot be opened"));
}
