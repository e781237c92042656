#include "ZipEntryDevice.h"

#include <QtEndian>

namespace {

constexpr quint16 methodStored = 0;
constexpr quint16 methodDeflated = 8;
constexpr quint16 flagEncrypted = 0x0001;
constexpr qint64 localHeaderSize = 30;
constexpr qint64 inputChunk = 16384;

} // namespace

ZipEntryDevice::ZipEntryDevice(std::shared_ptr<PositionalFile> archive, ZipEntry entry)
    : m_archive(std::move(archive)), m_entry(std::move(entry))
{
}

ZipEntryDevice::~ZipEntryDevice()
{
    close();
}

bool ZipEntryDevice::open(OpenMode mode)
{
    if ((mode & ReadWrite) != ReadOnly) {
        setErrorString(QStringLiteral("archive members are read-only"));
        return false;
    }
    if (m_entry.flags & flagEncrypted) {
        setErrorString(QStringLiteral("%1 is encrypted").arg(m_entry.name));
        return false;
    }
    if (m_entry.method != methodStored && m_entry.method != methodDeflated) {
        setErrorString(QStringLiteral("%1 uses compression method %2").arg(m_entry.name).arg(m_entry.method));
        return false;
    }
    if (m_entry.size > LargestMember) {
        setErrorString(QStringLiteral("%1 inflates to %2 MB, more than the %3 MB any sheet takes")
                           .arg(m_entry.name)
                           .arg(m_entry.size >> 20)
                           .arg(LargestMember >> 20));
        return false;
    }
    char header[localHeaderSize];
    if (m_archive->readAt(m_entry.localHeaderOffset, header, localHeaderSize) != localHeaderSize ||
        qFromLittleEndian<quint32>(header) != 0x04034b50) {
        setErrorString(QStringLiteral("%1 has no local header").arg(m_entry.name));
        return false;
    }
    const qint64 dataOffset = m_entry.localHeaderOffset + localHeaderSize +
                              qFromLittleEndian<quint16>(header + 26) +
                              qFromLittleEndian<quint16>(header + 28);
    if (dataOffset + m_entry.compressedSize > m_archive->size()) {
        setErrorString(QStringLiteral("%1 lies beyond the end of the archive").arg(m_entry.name));
        return false;
    }
    m_at = dataOffset;
    m_stream = {};
    if (m_entry.method == methodDeflated) {
        if (inflateInit2(&m_stream, -MAX_WBITS) != Z_OK) {
            setErrorString(QStringLiteral("cannot start inflating %1").arg(m_entry.name));
            return false;
        }
        m_inflating = true;
    }
    m_compressedLeft = m_entry.compressedSize;
    m_produced = 0;
    m_crc = crc32(0, nullptr, 0);
    m_finished = false;
    m_failed = false;
    return QIODevice::open(mode | Unbuffered);
}

void ZipEntryDevice::close()
{
    if (m_inflating)
        inflateEnd(&m_stream);
    m_inflating = false;
    QIODevice::close();
}

bool ZipEntryDevice::atEnd() const
{
    return !isOpen() || m_finished || m_failed;
}

void ZipEntryDevice::fail(const QString& reason)
{
    m_failed = true;
    setErrorString(QStringLiteral("%1: %2").arg(m_entry.name, reason));
}

bool ZipEntryDevice::fillInput()
{
    if (m_compressedLeft == 0) {
        fail(QStringLiteral("compressed data ends early"));
        return false;
    }
    m_input.resize(qMin(inputChunk, m_compressedLeft));
    const qint64 n = readStored(m_input.data(), m_input.size());
    if (n <= 0)
        return false;
    m_input.truncate(n);
    m_stream.next_in = reinterpret_cast<Bytef*>(m_input.data());
    m_stream.avail_in = uInt(m_input.size());
    return true;
}

qint64 ZipEntryDevice::readStored(char* data, qint64 maxSize)
{
    const qint64 n = m_archive->readAt(m_at, data, maxSize);
    if (n <= 0) {
        fail(n < 0 ? m_archive->errorString() : QStringLiteral("archive ends early"));
        return -1;
    }
    m_at += n;
    m_compressedLeft -= n;
    return n;
}

// Produces at least one byte unless the member is complete; -1 on damaged data.
qint64 ZipEntryDevice::inflateInto(char* data, qint64 maxSize)
{
    m_stream.next_out = reinterpret_cast<Bytef*>(data);
    m_stream.avail_out = uInt(qMin<qint64>(maxSize, 1 << 30));
    const uInt room = m_stream.avail_out;
    while (m_stream.avail_out == room) {
        if (m_stream.avail_in == 0 && !fillInput())
            return -1;
        const int result = inflate(&m_stream, Z_NO_FLUSH);
        if (result == Z_STREAM_END) {
            m_finished = true;
            break;
        }
        if (result != Z_OK) {
            fail(QStringLiteral("damaged compressed data"));
            return -1;
        }
    }
    return qint64(room - m_stream.avail_out);
}

bool ZipEntryDevice::finish()
{
    m_finished = true;
    if (m_produced != m_entry.size)
        fail(QStringLiteral("size differs from the archive directory"));
    else if (m_crc != m_entry.crc)
        fail(QStringLiteral("CRC-32 differs from the archive directory"));
    return !m_failed;
}

qint64 ZipEntryDevice::readData(char* data, qint64 maxSize)
{
    if (m_failed)
        return -1;
    if (m_finished || maxSize <= 0)
        return 0;
    qint64 count = 0;
    if (m_inflating) {
        count = inflateInto(data, maxSize);
    } else {
        count = m_compressedLeft == 0 ? 0 : readStored(data, qMin(maxSize, m_compressedLeft));
        if (count < 0)
            return -1;
        m_finished = m_compressedLeft == 0;
    }
    if (count < 0)
        return -1;
    m_produced += count;
    if (m_produced > m_entry.size) {
        fail(QStringLiteral("size differs from the archive directory"));
        return -1;
    }
    m_crc = crc32(m_crc, reinterpret_cast<const Bytef*>(data), uInt(count));
    if (m_finished && !finish())
        return -1;
    return count;
}
