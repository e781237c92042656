#include "ScriptReview.h"

#include "StoreSnapshot.h"
#include "UndoScript.h"

ScriptReview ScriptReview::of(const PlannedChanges& planned, const StoreSchema& schema, DbConnection& connection,
                              const QString& undoPath)
{
    ScriptReview review;
    const StoreSnapshot snapshot = StoreSnapshot::read(planned, schema, connection);
    const std::vector<FinalValue> finals = finalValues(planned);
    review.preview = ChangePreview::compute(finals, snapshot);
    review.slugs = SlugCheck::run(planned, snapshot, schema, connection);
    writeUndoScript(undoPath, finals, snapshot, schema);
    review.undoPath = undoPath;
    review.queries = snapshot.queryCount() + review.slugs.queries;
    return review;
}

QStringList ScriptReview::logLines() const
{
    QStringList lines{preview.countsLine()};
    lines += slugs.lines();
    lines << QStringLiteral("Undo script: [") + undoPath + u']';
    return lines;
}

QString ScriptReview::questionDetails(bool endedByFailure) const
{
    QString text;
    if (endedByFailure)
        text += QStringLiteral("The creation ended by a failure: the script holds only the rows before it.\r");
    text += preview.countsLine() + u'\r';
    if (slugs.failingStatements() > 0)
        text += QStringLiteral("%1 statements will fail: their slug is held by another row.\r")
                    .arg(slugs.failingStatements());
    text += QStringLiteral("Undo script: [") + undoPath + u']';
    return text;
}
