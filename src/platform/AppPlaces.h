#pragma once

#include <QString>
#include <optional>

// Where the program keeps the files it writes for itself: the settings file, the update
// script and the SEO templates. A copy that runs from a folder it may write to keeps them
// beside the executable, as a portable copy always did. An installed copy (its desktop entry
// under ../share/applications) or one in a folder it may not write to keeps them in the
// user's folders: $XDG_CONFIG_HOME/velmora for the settings, $XDG_DATA_HOME/velmora for the rest.
namespace AppPlaces {

bool besideProgram();

// SetVelmora.ini. The first time the user's copy is asked for, a settings file left beside
// the program is copied there, so that its profiles are not lost.
QString settingsFile();
// The folder of the update script and the SEO templates; made when it is missing.
QString dataFolder();

// For tests: decides as if the program folder were writable or not, whatever the permission
// bits would tell (they do not stop root). nullopt goes back to asking the file system.
void setProgramFolderWritable(std::optional<bool> writable);

} // namespace AppPlaces
