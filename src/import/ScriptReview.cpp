#include "ScriptReview.h"

#include "StoreSnapshot.h"
#include "UndoScript.h"

ScriptReview ScriptReview::of(const PlannedChanges& planned, const StoreSchema& schema,
                              DbConnection& connection, const QString& undoPath)
{
    ScriptReview review;
    const StoreSnapshot snapshot = StoreSnapshot::read(planned, schema, connection);
    const std::vector<FinalValue> finals = finalValues(planned);
    review.preview = ChangePreview::compute(finals, snapshot);
    review.slugs = SlugCheck::run(planned, snapshot, schema, connection);
    review.columns = ColumnCheck::run(finals, schema, connection);
    if (!undoPath.isEmpty())
        writeUndoScript(undoPath, finals, snapshot, schema);
    review.undoPath = undoPath;
    review.queries = snapshot.queryCount() + review.slugs.queries + review.columns.queries;
    return review;
}
