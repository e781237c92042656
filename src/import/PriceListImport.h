#pragma once

#include "ImportOutcome.h"
#include "ImportRules.h"
#include "platform/Job.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <atomic>
#include <optional>

class CreationProgress;
class DbConnection;
class DbQuery;
struct StoreSchema;

// What one import run is to read and where its script goes.
struct ImportRequest
{
    QStringList files;         // the price lists, read in this order
    QString scriptPath;        // the update script; empty for a preview that writes nothing
    QByteArray legacyCodePage; // of price lists in text that is not UTF-8
    ImportRules rules;
};

// The whole import, as the window and the command line both run it: the price lists are read
// into the update script, a failure is said at once, the script is finished however the
// reading ended, and then reviewed against the store, with the undo script beside it.
class PriceListImport : public Job
{
public:
    PriceListImport(DbConnection& connection, DbQuery& query) : m_connection(connection), m_query(query) {}

    // Throws AppError when the script cannot be created (nothing is read then), when it cannot
    // be finished, and when the review fails. A failure of the reading ends the reading only:
    // it is logged and said through progress.failed(), and the outcome carries it. Nothing
    // while a run is going on, or when the run was abandoned.
    std::optional<ImportOutcome> run(const ImportRequest& request, const StoreSchema& schema,
                                     CreationProgress& progress);

    // Ends the run at its next look, its script finished but not reviewed: the front end is
    // going away.
    void abandon() override;

    // The status line between runs.
    static QString restingStatus() { return QStringLiteral("......."); }

private:
    DbConnection& m_connection;
    DbQuery& m_query;
    std::atomic<bool> m_abandoned = false;
};
