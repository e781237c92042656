#pragma once

#include "PlannedChanges.h"

#include <QString>
#include <QStringList>
#include <cmath>
#include <optional>
#include <vector>

class StoreSnapshot;

// Each (field, id) the script sets, with its last value, in the order of its last statement.
struct FinalValue
{
    int field;
    int id;
    int statement;
    QUtf8StringView text;
};
std::vector<FinalValue> finalValues(const PlannedChanges& planned);

// What the update script will change, from its planned values and the store's values before
// it runs. Where an id is set twice, the last value counts, as it does in the store.
struct ChangePreview
{
    struct Count
    {
        int field;
        int changed = 0;
        int equal = 0;
        int missing = 0; // ids not in the store: their statements change nothing
    };
    struct ChangedRow
    {
        int field;
        int id;
        QString oldValue; // "NULL" for NULL
        QString newValue;
        std::optional<double> percent; // prices with an old value above 0
        bool warned = false;           // beyond the warning limits of the price guard
    };

    static constexpr int LargestShown = 5;

    // The columns of the changed rows, as the preview's table and the command line name them.
    static const QStringList& columnNames();
    // A change in percent as it is shown: to one decimal.
    static double shownPercent(double percent) { return std::round(percent * 10) / 10; }

    std::vector<Count> counts; // the fields the script sets, in their fixed order
    std::vector<ChangedRow> rows;
    std::vector<ChangedRow> largestRises;
    std::vector<ChangedRow> largestFalls;

    // finals: finalValues() of the script's planned changes.
    static ChangePreview compute(const std::vector<FinalValue>& finals, const StoreSnapshot& snapshot);

    // The counts in one line, as the question repeats them.
    QString countsLine() const;
    // The counts per kind and the largest price rises and falls, one line each.
    QStringList summaryLines() const;
};
