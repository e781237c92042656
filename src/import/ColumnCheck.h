#pragma once

#include <QString>
#include <QStringList>
#include <vector>

class DbConnection;
struct FinalValue;
struct StoreSchema;

// The values of the update script that the store would hold otherwise than the script says:
// texts longer than their column, prices beyond their DECIMAL's range or with more decimals
// than its scale, whole numbers beyond their integer type, letters the column's character set
// lacks. A server without strict mode (common on shared hosting) stores them cut, clamped or
// rounded with no more than a warning; one with it refuses the statement.
struct ColumnCheck
{
    struct Misfit
    {
        int field;
        int id;
        QString why; // "1000 characters, the column holds 400"
    };

    // The log and the preview name this many; the rest are counted.
    static constexpr int LinesShown = 100;

    std::vector<Misfit> misfits;
    int queries = 0;

    // Reads the columns' types in one query. Throws AppError (DbError) when it fails.
    static ColumnCheck run(const std::vector<FinalValue>& finals, const StoreSchema& schema,
                           DbConnection& connection);

    int count() const { return int(misfits.size()); }
    // "Value the server would change: price of product 7: 1e+308 is beyond decimal(15,5)",
    // one a value, at most LinesShown, then how many more.
    QStringList lines() const;
    // For the question: how many values, or nothing when none.
    QString countLine() const;
};
