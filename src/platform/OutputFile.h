#pragma once

#include <QByteArrayView>
#include <QString>
#include <cstdio>

// A file written from scratch through a sizeable buffer. A failure throws AppError with the
// runtime's texts: "File access denied", "Disk full", "Too many open files", otherwise
// "I/O error <n>" with the system's error number.
class OutputFile
{
public:
    // Creates the file, replacing one of that name.
    explicit OutputFile(const QString& path);
    // Closes without reporting failures: the clean-up after an error.
    ~OutputFile();

    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    void write(QByteArrayView bytes);
    // Writes out what is buffered and closes; the last chance to hear of a full disk.
    void close();

private:
    std::FILE* m_file = nullptr;
};
