#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <optional>

// The user's configuration and data folders (XDG_CONFIG_HOME, XDG_DATA_HOME) moved into a
// throwaway folder while it lives, and the program folder taken as read-only unless told
// otherwise: permission bits do not stop root, whom the tests may run as.
class UserFolders
{
public:
    enum class ProgramFolder
    {
        Writable,
        ReadOnly
    };

    explicit UserFolders(ProgramFolder programFolder = ProgramFolder::ReadOnly);
    ~UserFolders();

    // Where the program keeps its files there.
    QString configFolder() const { return m_dir.filePath("config/velmora"); }
    QString dataFolder() const { return m_dir.filePath("data/velmora"); }
    // XDG_DATA_HOME itself, for a test that puts something in its way.
    QString dataHome() const { return m_dir.filePath("data"); }

private:
    QTemporaryDir m_dir;
    std::optional<QByteArray> m_oldConfigHome;
    std::optional<QByteArray> m_oldDataHome;
};
