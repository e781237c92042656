#include "UserFolders.h"

#include "platform/AppPlaces.h"

#include <stdexcept>

namespace {

std::optional<QByteArray> variable(const char* name)
{
    if (!qEnvironmentVariableIsSet(name))
        return std::nullopt;
    return qgetenv(name);
}

void restore(const char* name, const std::optional<QByteArray>& old)
{
    if (old)
        qputenv(name, *old);
    else
        qunsetenv(name);
}

} // namespace

UserFolders::UserFolders(ProgramFolder programFolder)
    : m_oldConfigHome(variable("XDG_CONFIG_HOME")), m_oldDataHome(variable("XDG_DATA_HOME"))
{
    if (!m_dir.isValid())
        throw std::runtime_error("cannot create a temporary folder");
    qputenv("XDG_CONFIG_HOME", m_dir.filePath("config").toLocal8Bit());
    qputenv("XDG_DATA_HOME", m_dir.filePath("data").toLocal8Bit());
    if (programFolder == ProgramFolder::ReadOnly)
        AppPlaces::setProgramFolderWritable(false);
}

UserFolders::~UserFolders()
{
    AppPlaces::setProgramFolderWritable(std::nullopt);
    restore("XDG_CONFIG_HOME", m_oldConfigHome);
    restore("XDG_DATA_HOME", m_oldDataHome);
}
