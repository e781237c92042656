#pragma once

#include <QString>
#include <QTemporaryDir>

// A small tmpfs mounted on a fresh folder for one test: a real full disk, or a read-only
// one, without device files. Mounting needs root; where it is refused, mounted() is false
// and skipReason() says why (use SKIP_UNLESS_MOUNTED).
class SmallFileSystem
{
public:
    enum class Access
    {
        Writable,
        ReadOnly
    };

    explicit SmallFileSystem(Access access = Access::Writable, int kilobytes = 64);
    ~SmallFileSystem();
    SmallFileSystem(const SmallFileSystem&) = delete;
    SmallFileSystem& operator=(const SmallFileSystem&) = delete;

    bool mounted() const { return m_mounted; }
    QString skipReason() const { return m_skipReason; }
    QString path() const { return m_dir.path(); }
    QString filePath(const QString& name) const { return m_dir.filePath(name); }

    // Takes all the room that is left with one file, so that the next write fails.
    void fill() const;

private:
    QTemporaryDir m_dir;
    bool m_mounted = false;
    QString m_skipReason;
};

#define SKIP_UNLESS_MOUNTED(fileSystem)                                                                      \
    do {                                                                                                     \
        if (!(fileSystem).mounted())                                                                         \
            QSKIP(qPrintable((fileSystem).skipReason()));                                                    \
    } while (false)
