#pragma once

#include <QString>

// The folder that holds the program's executable: settings, templates and the update
// script live there. Tests point it at a folder of their own.
namespace ProgramFolder {
QString path();
QString filePath(const QString& fileName);
void setOverride(const QString& folder);
} // namespace ProgramFolder
