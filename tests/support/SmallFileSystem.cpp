#include "SmallFileSystem.h"

#include <QFile>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <stdexcept>
#include <sys/mount.h>
#include <unistd.h>

SmallFileSystem::SmallFileSystem(Access access, int kilobytes)
{
    if (!m_dir.isValid())
        throw std::runtime_error("cannot create a temporary folder");
    const QByteArray options = "size=" + QByteArray::number(kilobytes) + "k,mode=0777";
    const unsigned long flags =
        MS_NOSUID | MS_NODEV | MS_NOEXEC | (access == Access::ReadOnly ? MS_RDONLY : 0);
    m_mounted =
        ::mount("tmpfs", QFile::encodeName(path()).constData(), "tmpfs", flags, options.constData()) == 0;
    if (!m_mounted)
        m_skipReason = QStringLiteral("cannot mount a small file system for this test (it needs root): %1")
                           .arg(QString::fromLocal8Bit(std::strerror(errno)));
}

SmallFileSystem::~SmallFileSystem()
{
    // Detached, so that a file still open somewhere cannot keep the folder from being removed.
    if (m_mounted)
        ::umount2(QFile::encodeName(path()).constData(), MNT_DETACH);
}

void SmallFileSystem::fill() const
{
    const int fd = ::open(QFile::encodeName(filePath(QStringLiteral("filler"))).constData(),
                          O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0)
        throw std::runtime_error("cannot create the filler file");
    const QByteArray block(4096, 'x');
    while (::write(fd, block.constData(), std::size_t(block.size())) > 0) {
    }
    const int error = errno;
    ::close(fd);
    if (error != ENOSPC)
        throw std::runtime_error("the small file system did not fill up");
}
