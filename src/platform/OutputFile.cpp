#include "OutputFile.h"

#include "platform/AppError.h"

#include <QFile>
#include <QtGlobal>
#include <cerrno>
#include <utility>

namespace {

constexpr size_t BufferSize = 256 * 1024;

AppError ioError(int osError)
{
    switch (osError) {
    case EACCES:
    case EPERM:
    case EROFS:
        return AppError(QStringLiteral("File access denied"));
    case ENOSPC:
    case EDQUOT:
        return AppError(QStringLiteral("Disk full"));
    case EMFILE:
    case ENFILE:
        return AppError(QStringLiteral("Too many open files"));
    default:
        return AppError(QStringLiteral("I/O error %1").arg(osError));
    }
}

} // namespace

OutputFile::OutputFile(const QString& path) : m_file(std::fopen(QFile::encodeName(path).constData(), "wb"))
{
    if (!m_file)
        throw ioError(errno);
    std::setvbuf(m_file, nullptr, _IOFBF, BufferSize);
}

OutputFile::~OutputFile()
{
    if (m_file)
        std::fclose(m_file);
}

void OutputFile::write(QByteArrayView bytes)
{
    Q_ASSERT(m_file);
    if (std::fwrite(bytes.data(), 1, size_t(bytes.size()), m_file) != size_t(bytes.size()))
        throw ioError(errno);
}

void OutputFile::close()
{
    if (m_file && std::fclose(std::exchange(m_file, nullptr)) != 0)
        throw ioError(errno);
}
