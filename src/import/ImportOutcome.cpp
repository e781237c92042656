#include "ImportOutcome.h"

#include "PriceListFileReader.h"

#include <QDir>

namespace {

// The preview names as many prices to check as it names of the largest changes.
constexpr int LargestShownInPreview = ChangePreview::LargestShown;

QString failureNote(const ImportOutcome::Failure& failure)
{
    return QStringLiteral("The creation ended by a failure: the script holds only the %1 before it.")
        .arg(failure.wholeFile ? QStringLiteral("files") : QStringLiteral("rows"));
}

} // namespace

QStringList ImportOutcome::logLines() const
{
    return lines(true);
}

QStringList ImportOutcome::summaryLines() const
{
    return lines(false);
}

QStringList ImportOutcome::lines(bool withEachValue) const
{
    QStringList lines;
    if (failure)
        lines << failureNote(*failure);
    for (const EncodingDoubt& doubt : encodingDoubts)
        lines << doubt.line();
    if (unmatchedRows.count() > 0)
        lines << unmatchedRows.runLines().first();
    if (priceGuard.any())
        lines << priceGuard.line();
    lines << review.preview.countsLine();
    if (withEachValue)
        lines += review.slugs.lines();
    if (review.slugs.failingStatements() > 0)
        lines << QStringLiteral("%1 statements will fail: their slug is held by another row.")
                     .arg(review.slugs.failingStatements());
    if (withEachValue)
        lines += review.columns.lines();
    if (review.columns.count() > 0)
        lines << review.columns.countLine();
    if (!review.undoPath.isEmpty())
        lines << QStringLiteral("Undo script: [") + review.undoPath + u']';
    return lines;
}

QString ImportOutcome::question() const
{
    return QStringLiteral("The script was created for update, path to the script [") +
           QDir::toNativeSeparators(scriptPath) + QStringLiteral("]\r\rStart updating the price list ?\r\r") +
           summaryLines().join(u'\r');
}

QStringList ImportOutcome::previewLines() const
{
    QStringList lines = review.preview.summaryLines();
    if (priceGuard.any())
        lines << priceGuard.line(LargestShownInPreview);
    if (idsAboveLargest > 0)
        lines << idsAboveLargestLine(idsAboveLargest);
    lines += unmatchedRows.runLines();
    return lines + review.slugs.lines() + review.columns.lines();
}
