#include "RegularFile.h"

#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

QString notRegular()
{
    return QStringLiteral("not a regular file");
}

} // namespace

bool openRegularFile(QFile& file, QString& error)
{
#ifdef Q_OS_UNIX
    // Without O_NONBLOCK, opening a pipe waits for a writer; the type is checked on what was
    // opened, so the file cannot be swapped in between.
    const int fd = ::open(QFile::encodeName(file.fileName()).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        error = qt_error_string(errno);
        return false;
    }
    struct stat info;
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        error = notRegular();
        return false;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    if (!file.open(fd, QIODevice::ReadOnly | QIODevice::Unbuffered, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        error = file.errorString();
        return false;
    }
    return true;
#else
    if (QFileInfo(file.fileName()).exists() && !QFileInfo(file.fileName()).isFile()) {
        error = notRegular();
        return false;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        error = file.errorString();
        return false;
    }
    return true;
#endif
}
