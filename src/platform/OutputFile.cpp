#include "OutputFile.h"

#include <QFile>
#include <QtGlobal>
#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

constexpr qsizetype BufferSize = 256 * 1024;

QString reason(int osError)
{
    switch (osError) {
    case EACCES:
    case EPERM:
    case EROFS:
        return QStringLiteral("File access denied");
    case ENOSPC:
    case EDQUOT:
        return QStringLiteral("Disk full");
    case EMFILE:
    case ENFILE:
        return QStringLiteral("Too many open files");
    case ENXIO: // a pipe without a reader
        return QStringLiteral("not a regular file");
    default:
        return QStringLiteral("I/O error %1").arg(osError);
    }
}

} // namespace

OutputFile::OutputFile(const QString& path, Access access) : m_path(path)
{
    const auto refuse = [&](const QString& why) {
        throw AppError(QStringLiteral("Cannot create file \"%1\". %2").arg(m_path, why));
    };
    // Scripts and price lists hold the store's data: no one else's to read. O_NONBLOCK keeps the
    // opening of a pipe from waiting; the type is checked on what was opened, and only a regular
    // file is cut to nothing.
    m_fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_NONBLOCK | O_CLOEXEC,
                  S_IRUSR | S_IWUSR);
    if (m_fd < 0)
        refuse(reason(errno));
    struct stat info;
    if (::fstat(m_fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(std::exchange(m_fd, -1));
        refuse(reason(ENXIO));
    }
    const bool prepared = ::ftruncate(m_fd, 0) == 0 &&
                          ::fcntl(m_fd, F_SETFL, ::fcntl(m_fd, F_GETFL) & ~O_NONBLOCK) == 0 &&
                          (access == Access::KeepMode || ::fchmod(m_fd, S_IRUSR | S_IWUSR) == 0);
    if (!prepared) {
        const int error = errno;
        ::close(std::exchange(m_fd, -1));
        refuse(reason(error));
    }
    m_buffer.reserve(std::size_t(BufferSize));
}

OutputFile::~OutputFile()
{
    if (m_fd < 0)
        return;
    try {
        if (!m_failure)
            flush();
    } catch (const AppError&) {
    }
    ::close(m_fd);
}

void OutputFile::write(QByteArrayView bytes)
{
    Q_ASSERT(m_fd >= 0);
    if (m_failure)
        throw *m_failure;
    if (qsizetype(m_buffer.size()) + bytes.size() > BufferSize)
        flush();
    if (bytes.size() >= BufferSize) {
        writeOut(bytes, {bytes.size()});
        return;
    }
    m_buffer.append(bytes.data(), std::size_t(bytes.size()));
    m_pieceEnds.push_back(qsizetype(m_buffer.size()));
}

void OutputFile::close()
{
    if (m_failure)
        throw *m_failure;
    if (m_fd < 0)
        return;
    flush();
    if (::close(std::exchange(m_fd, -1)) != 0)
        fail(errno);
}

void OutputFile::flush()
{
    if (m_buffer.empty())
        return;
    writeOut(QByteArrayView(m_buffer.data(), qsizetype(m_buffer.size())), m_pieceEnds);
    m_buffer.clear();
    m_pieceEnds.clear();
}

void OutputFile::writeOut(QByteArrayView bytes, const std::vector<qsizetype>& pieceEnds)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(m_fd, bytes.data() + done, std::size_t(bytes.size() - done));
        if (n >= 0) {
            done += n;
            continue;
        }
        if (errno == EINTR)
            continue;
        const int error = errno;
        const auto past = std::upper_bound(pieceEnds.begin(), pieceEnds.end(), done);
        m_written += past == pieceEnds.begin() ? 0 : *std::prev(past);
        // A file without a whole piece holds nothing worth keeping. Nothing more can be done for
        // the file when even cutting it fails.
        if (m_written == 0) {
            ::unlink(QFile::encodeName(m_path).constData());
        } else {
            [[maybe_unused]] const int cut = ::ftruncate(m_fd, m_written);
        }
        fail(error);
    }
    m_written += bytes.size();
}

void OutputFile::fail(int osError)
{
    m_failure.emplace(QStringLiteral("Cannot write file \"%1\". %2").arg(m_path, reason(osError)));
    throw *m_failure;
}
