#pragma once

#include "TestFolder.h"
#include "sheets/SpreadsheetReader.h"

#include <QString>
#include <functional>

// Runs work in a child process whose address space is capped at megabytes, and gives what
// work returned, the message of the AppError it threw, or what stopped it ("std::bad_alloc",
// "signal 6"). Under a sanitizer, which reserves far more address space than any cap, the
// child runs without one.
QString runWithMemoryCap(int megabytes, const std::function<QString()>& work);

// Opens path with reader and reads every row as the import does; tells the extent, how many
// values the rows held and the last of them.
QString readEveryRow(SpreadsheetReader& reader, const QString& path);

// Writes bytes to fileName in a folder of its own and reads every row of it with a new Reader,
// capped at megabytes; a message tells of the file without its path.
template <typename Reader>
QString readEveryRowUnderCap(int megabytes, const QString& fileName, const QByteArray& bytes)
{
    TestFolder folder;
    folder.write(fileName, bytes);
    const QString path = folder.filePath(fileName);
    const auto read = [&] {
        Reader reader;
        return readEveryRow(reader, path);
    };
    return runWithMemoryCap(megabytes, read).remove(path + QStringLiteral(": "));
}
