#include "ZipArchive.h"

#include <QtEndian>

namespace {

constexpr quint32 endSignature = 0x06054b50;
constexpr quint32 centralSignature = 0x02014b50;
constexpr qint64 endRecordSize = 22;
constexpr qint64 centralHeaderSize = 46;
constexpr qint64 maxCommentSize = 65535;

quint16 u16(const char* p)
{
    return qFromLittleEndian<quint16>(p);
}

quint32 u32(const char* p)
{
    return qFromLittleEndian<quint32>(p);
}

// The end-of-central-directory record lies in the last bytes, before a comment of up to 64 KiB.
qint64 findEndRecord(const QByteArray& tail)
{
    for (qint64 at = tail.size() - endRecordSize; at >= 0; --at) {
        if (u32(tail.constData() + at) == endSignature &&
            at + endRecordSize + u16(tail.constData() + at + 20) <= tail.size())
            return at;
    }
    return -1;
}

} // namespace

bool ZipArchive::fail(const QString& reason)
{
    m_error = reason;
    m_file.reset();
    m_entries.clear();
    m_index.clear();
    return false;
}

bool ZipArchive::open(const QString& path)
{
    m_entries.clear();
    m_index.clear();
    QString error;
    m_file = PositionalFile::open(path, error);
    if (!m_file)
        return fail(error);
    const auto read = [&](qint64 offset, qint64 size) {
        QByteArray bytes(size, Qt::Uninitialized);
        const qint64 n = m_file->readAt(offset, bytes.data(), size);
        bytes.truncate(n < 0 ? 0 : n);
        return bytes;
    };
    const qint64 fileSize = m_file->size();
    const qint64 tailStart = qMax<qint64>(0, fileSize - endRecordSize - maxCommentSize);
    const QByteArray tail = read(tailStart, fileSize - tailStart);
    const qint64 end = findEndRecord(tail);
    if (end < 0)
        return fail(QStringLiteral("not a ZIP archive"));
    const char* record = tail.constData() + end;
    if (u16(record + 4) != 0 || u16(record + 6) != 0)
        return fail(QStringLiteral("archives spanning several disks are not supported"));
    const quint16 count = u16(record + 10);
    const qint64 directorySize = u32(record + 12);
    const qint64 directoryOffset = u32(record + 16);
    if (count == 0xFFFF || directoryOffset == 0xFFFFFFFF)
        return fail(QStringLiteral("ZIP64 archives are not supported"));
    if (directoryOffset + directorySize > tailStart + end)
        return fail(QStringLiteral("damaged archive directory"));
    const QByteArray directory = read(directoryOffset, directorySize);
    if (directory.size() != directorySize)
        return fail(QStringLiteral("damaged archive directory"));

    qint64 at = 0;
    for (int i = 0; i < count; ++i) {
        const char* h = directory.constData() + at;
        if (at + centralHeaderSize > directory.size() || u32(h) != centralSignature)
            return fail(QStringLiteral("damaged archive directory"));
        const qint64 nameLength = u16(h + 28);
        const qint64 recordSize = centralHeaderSize + nameLength + u16(h + 30) + u16(h + 32);
        if (at + recordSize > directory.size())
            return fail(QStringLiteral("damaged archive directory"));
        ZipEntry entry;
        // Office packages name their parts in ASCII, where UTF-8 and the legacy DOS names agree.
        entry.name = QString::fromUtf8(h + centralHeaderSize, nameLength);
        entry.flags = u16(h + 8);
        entry.method = u16(h + 10);
        entry.crc = u32(h + 16);
        entry.compressedSize = u32(h + 20);
        entry.size = u32(h + 24);
        entry.localHeaderOffset = u32(h + 42);
        if (entry.localHeaderOffset + entry.compressedSize > directoryOffset)
            return fail(QStringLiteral("damaged archive directory"));
        m_index.insert(entry.name.toLower(), m_entries.size());
        m_entries.append(std::move(entry));
        at += recordSize;
    }
    m_error.clear();
    return true;
}

bool ZipArchive::contains(const QString& name) const
{
    return m_index.contains(name.toLower());
}

std::unique_ptr<ZipEntryDevice> ZipArchive::entry(const QString& name) const
{
    const auto found = m_index.constFind(name.toLower());
    if (found == m_index.cend())
        return nullptr;
    return std::make_unique<ZipEntryDevice>(m_file, m_entries[*found]);
}

std::optional<QByteArray> ZipArchive::wholeMember(const QString& name, qsizetype largest) const
{
    const std::unique_ptr<ZipEntryDevice> device = entry(name);
    if (!device || !device->open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray bytes;
    qsizetype got = 0;
    // Room for what the member declares, up to 64 KiB to start with: it may lie.
    const qsizetype first = qsizetype(qBound<qint64>(1, device->uncompressedSize() + 1, qint64(64) << 10));
    while (true) {
        if (got == bytes.size()) {
            if (bytes.size() >= largest)
                return std::nullopt;
            bytes.resize(std::max(first, 2 * bytes.size()));
        }
        const qint64 n = device->read(bytes.data() + got, bytes.size() - got);
        if (n < 0)
            return std::nullopt;
        if (n == 0) {
            bytes.truncate(got);
            return bytes;
        }
        got += qsizetype(n);
    }
}
