#pragma once

#include <QFile>
#include <QString>
#include <memory>
#include <mutex>

// A regular file opened once and read at given offsets, from any thread: the members of an
// archive read it side by side without opening it again each.
class PositionalFile
{
public:
    // Nothing when the file cannot be opened or is no regular file; error tells why.
    static std::shared_ptr<PositionalFile> open(const QString& path, QString& error);

    qint64 size() const { return m_size; }
    // Reads up to size bytes at offset; the bytes read, -1 on a failure (errorString()).
    qint64 readAt(qint64 offset, char* data, qint64 size);
    QString errorString() const;

private:
    PositionalFile(const QString& path) : m_file(path) {}

    QFile m_file;
    qint64 m_size = 0;
    mutable std::mutex m_mutex; // a read is a seek and a read
};
