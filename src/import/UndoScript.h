#pragma once

#include <QString>
#include <vector>

class StoreSnapshot;
struct FinalValue;
struct StoreSchema;

// Writes the undo script: in the update script's format, the statements that put back every
// value the update script changes, as the snapshot holds it (NULL stays NULL). They come in
// the reverse order of the statements they undo, so that slugs moved from one row to another
// find their old places free again. Price rows are put back one by one, by their own id.
// Returns the number of statements; throws AppError when the file cannot be written.
// finals: finalValues() of the script's planned changes.
int writeUndoScript(const QString& path, const std::vector<FinalValue>& finals, const StoreSnapshot& snapshot,
                    const StoreSchema& schema);
