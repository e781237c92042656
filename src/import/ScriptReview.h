#pragma once

#include "ChangePreview.h"
#include "ColumnCheck.h"
#include "SlugCheck.h"

#include <QString>

class DbConnection;
struct StoreSchema;

// Everything found about a finished update script before the operator is asked to run it:
// the preview of its changes, the slug check, the values that do not fit their columns and the
// undo script, all from one read-only look at the store.
struct ScriptReview
{
    ChangePreview preview;
    SlugCheck slugs;
    ColumnCheck columns;
    QString undoPath; // empty when none was written
    int queries = 0;  // read-only queries the review sent

    // Reads the store and writes the undo script at undoPath, unless that is empty.
    // Throws AppError.
    static ScriptReview of(const PlannedChanges& planned, const StoreSchema& schema, DbConnection& connection,
                           const QString& undoPath);
};
