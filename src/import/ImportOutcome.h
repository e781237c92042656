#pragma once

#include "EncodingDoubt.h"
#include "PriceGuard.h"
#include "ScriptReview.h"
#include "UnmatchedRows.h"

#include <QString>
#include <QStringList>
#include <optional>

// How an import run ended and what the review of its script found: everything a front end
// shows after the run, put into words here so that the window and the command line say the
// same.
struct ImportOutcome
{
    // A failure that ended the reading; the script holds what came before it.
    struct Failure
    {
        QString message;
        bool wholeFile; // a price list could not be opened at all
    };

    QString scriptPath; // empty for a preview, which writes nothing
    std::optional<Failure> failure;
    qint64 idsAboveLargest = 0; // product rows skipped: the store holds no such id
    std::vector<EncodingDoubt> encodingDoubts;
    UnmatchedRows unmatchedRows; // of lists matched by trade number
    ScriptReview review;
    PriceGuard priceGuard;

    bool endedByFailure() const { return failure.has_value(); }
    // Whether the question's default is No: the run ended by a failure, a file's code page is in
    // doubt, the store would not hold what the script says, or prices change beyond the limits.
    bool advisesAgainst() const
    {
        return endedByFailure() || !encodingDoubts.empty() || review.columns.count() > 0 || priceGuard.any();
    }

    // The lines the import log gets once the script is reviewed: the failure note, the files
    // whose code page is in doubt, the rows not matched by trade number, the prices to check,
    // the counts,
    // every slug collision, the statements that will fail, the values that do not fit their
    // columns, the undo script.
    QStringList logLines() const;
    // The same without the single collisions and values, for the question after the run.
    QStringList summaryLines() const;
    // The question after the run; its default answer is No when advisesAgainst().
    QString question() const;
    // What the preview tab shows above its table: the counts per kind, the largest price
    // changes, the skipped ids, the slug collisions and the values that do not fit.
    QStringList previewLines() const;

private:
    QStringList lines(bool withEachValue) const;
};
