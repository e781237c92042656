#include "PositionalFile.h"

#include "RegularFile.h"

std::shared_ptr<PositionalFile> PositionalFile::open(const QString& path, QString& error)
{
    std::shared_ptr<PositionalFile> file(new PositionalFile(path));
    if (!openRegularFile(file->m_file, error))
        return nullptr;
    file->m_size = file->m_file.size();
    return file;
}

qint64 PositionalFile::readAt(qint64 offset, char* data, qint64 size)
{
    const std::lock_guard lock(m_mutex);
    if (!m_file.seek(offset))
        return -1;
    return m_file.read(data, size);
}

QString PositionalFile::errorString() const
{
    const std::lock_guard lock(m_mutex);
    return m_file.errorString();
}
