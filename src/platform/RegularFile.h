#pragma once

#include <QFile>

// Opens the file named by file.fileName() for reading when it is a regular file. A pipe or a
// device could keep a reader waiting or reading forever, and a folder holds no data, so they
// are refused; error then tells why ("not a regular file" or the system's reason).
// The file is read unbuffered: its readers ask for large pieces of their own.
bool openRegularFile(QFile& file, QString& error);
