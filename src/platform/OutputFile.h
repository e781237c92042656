#pragma once

#include "platform/AppError.h"

#include <QByteArrayView>
#include <QString>
#include <optional>
#include <string>
#include <vector>

// A regular file written from scratch through a sizeable buffer; a new file is readable by its
// owner alone. Each write() is one piece, and the file only ever ends after a whole piece: when
// the disk refuses, the file is cut back to the end of the last piece that reached it whole, and
// removed when not even its first piece did. Failures throw AppError naming the file, with the
// runtime's texts: "File access denied", "Disk full", "Too many open files", "not a regular file",
// otherwise "I/O error <n>" with the system's error number.
class OutputFile
{
public:
    enum class Access
    {
        KeepMode,  // a file it replaces keeps the mode its owner gave it
        OwnerOnly, // a file it replaces becomes its owner's alone too: scripts that change the store
    };

    // Creates the file, replacing one of that name. A pipe or a device is refused: a pipe would
    // keep the writer waiting for a reader.
    explicit OutputFile(const QString& path, Access access = Access::KeepMode);
    // Writes out what is buffered and closes without reporting failures: the clean-up after an error.
    ~OutputFile();

    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // After a failure every further write and close throws that failure again.
    void write(QByteArrayView bytes);
    // Writes out what is buffered and closes; the last chance to hear of a full disk.
    void close();

private:
    void flush();
    void writeOut(QByteArrayView bytes, const std::vector<qsizetype>& pieceEnds);
    [[noreturn]] void fail(int osError);

    QString m_path;
    int m_fd = -1;
    std::optional<AppError> m_failure;
    qint64 m_written = 0; // bytes on disk, always whole pieces
    std::string m_buffer;
    std::vector<qsizetype> m_pieceEnds; // where the buffered pieces end
};
