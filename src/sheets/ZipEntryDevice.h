#pragma once

#include "platform/PositionalFile.h"

#include <QIODevice>
#include <memory>
#include <zlib.h>

// Where one member of a ZIP archive lies, as its central directory tells.
struct ZipEntry
{
    QString name;
    quint16 flags = 0;
    quint16 method = 0;
    quint32 crc = 0;
    qint64 compressedSize = 0;
    qint64 size = 0;
    qint64 localHeaderOffset = 0;
};

// Streams one archive member, inflating as it goes; the data is checked against the
// size and CRC-32 of the central directory, and a mismatch is a read error.
class ZipEntryDevice : public QIODevice
{
    Q_OBJECT
public:
    // A member that inflates to more is refused before anything is inflated. A worksheet at
    // the sheet's full height of 1,048,576 rows with 26 columns of the longest cells spreadsheet
    // programs write for numbers (about 60 bytes each) takes some 1.6 GiB: a larger part holds
    // no price list, and is a compression bomb more likely than a sheet.
    static constexpr qint64 LargestMember = qint64(2) << 30;

    // archive: the archive's file, shared by its members.
    ZipEntryDevice(std::shared_ptr<PositionalFile> archive, ZipEntry entry);
    ~ZipEntryDevice() override;

    // Read-only; fails for encrypted members and methods other than stored and deflated.
    bool open(OpenMode mode) override;
    void close() override;
    bool isSequential() const override { return true; }
    bool atEnd() const override;
    // True once a read met damaged data; errorString() tells what.
    bool hasFailed() const { return m_failed; }
    // The size of the member's data as the central directory gives it.
    qint64 uncompressedSize() const { return m_entry.size; }

protected:
    qint64 readData(char* data, qint64 maxSize) override;
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    void fail(const QString& reason);
    bool fillInput();
    // Reads the next stored or deflated bytes of the member; -1 on a failure.
    qint64 readStored(char* data, qint64 maxSize);
    qint64 inflateInto(char* data, qint64 maxSize);
    bool finish();

    std::shared_ptr<PositionalFile> m_archive;
    ZipEntry m_entry;
    qint64 m_at = 0; // where the member's next stored bytes lie in the archive
    z_stream m_stream{};
    bool m_inflating = false;
    QByteArray m_input;
    qint64 m_compressedLeft = 0;
    qint64 m_produced = 0;
    quint32 m_crc = 0;
    bool m_finished = false;
    bool m_failed = false;
};
