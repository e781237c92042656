#pragma once

#include <QString>

// The folder that holds the program's executable (AppPlaces decides what is kept there).
// Tests point it at a folder of their own.
namespace ProgramFolder {
QString path();
QString filePath(const QString& fileName);
void setOverride(const QString& folder);
} // namespace ProgramFolder
