#pragma once

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
