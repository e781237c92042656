#pragma once

#include "ChangePreview.h"
#include "SlugCheck.h"

#include <QString>
#include <QStringList>

class DbConnection;
struct StoreSchema;

// Everything said about a finished update script before the operator is asked to run it:
// the preview of its changes, the slug check and the undo script, all from one read-only
// look at the store.
struct ScriptReview
{
    ChangePreview preview;
    SlugCheck slugs;
    QString undoPath;
    int queries = 0; // read-only queries the review sent

    // Reads the store and writes the undo script at undoPath. Throws AppError.
    static ScriptReview of(const PlannedChanges& planned, const StoreSchema& schema, DbConnection& connection,
                           const QString& undoPath);

    // The undo script's path and the slug collisions, for the import log.
    QStringList logLines() const;
    // The lines the question adds to its own text; endedByFailure adds the failure note.
    QString questionDetails(bool endedByFailure) const;
};
