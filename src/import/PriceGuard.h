#pragma once

#include "ChangePreview.h"
#include "ImportRules.h"

#include <QString>
#include <QStringList>
#include <vector>

// The price changes the operator is warned of before the question: by more than the rules'
// percent, or to 0 from a price. A decimal mark read wrong or a shifted column raises prices
// by thousands of percent; the script holds them as the lists say, but the question then
// advises against the run.
struct PriceGuard
{
    // The question names this many.
    static constexpr int Named = 3;

    std::vector<ChangePreview::ChangedRow> warned; // the largest change first

    // Marks the warned rows of the preview too.
    static PriceGuard check(ChangePreview& preview, const ImportRules& rules);

    bool any() const { return !warned.empty(); }
    // "3 prices change by more than 50 % or become 0: id 57 9.99 -> 624.5 (+6151.2 %), ...",
    // naming at most `named` of them; empty when none is warned of.
    QString line(int named = Named) const;
    // One line for each warned price, for the command line.
    QStringList rowLines() const;

private:
    QString m_criterion; // "change by more than 50 % or become 0"
};
