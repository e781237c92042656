#pragma once

#include "EncodingDoubt.h"
#include "UnmatchedRows.h"

#include <QByteArray>
#include <QStringList>
#include <functional>
#include <vector>

class CreationProgress;
class DbQuery;
class Job;
class UpdateScript;
struct StoreSchema;

// The reading of the checked price lists into the update script: the store's largest product
// id first, then every file in list order, until the job is asked to stop. Throws
// UnreadablePriceList when a file cannot be opened as a spreadsheet and AppError on any other
// failure; the run ends there, and the caller's closing steps finish the script.
class ScriptCreation
{
public:
    // legacyCodePage: the code page of price lists in text that is not UTF-8.
    ScriptCreation(DbQuery& query, const Job& job, QByteArray legacyCodePage)
        : m_query(query), m_job(job), m_legacyCodePage(std::move(legacyCodePage))
    {
    }

    // Lists with a TRADENUMBER column are matched to the store by it, through the index that
    // tradeNumbers gives; without it, every list by IDPART.
    void matchByTradeNumber(std::function<const TradeNumberIndex&()> tradeNumbers)
    {
        m_tradeNumbers = std::move(tradeNumbers);
    }

    void run(const QStringList& checkedFiles, const StoreSchema& schema, UpdateScript& script,
             CreationProgress& progress);

    // Product rows skipped because their id lies above the store's largest, in every file read.
    qint64 idsAboveLargest() const { return m_idsAboveLargest; }
    // The files read whose code page is in doubt.
    const std::vector<EncodingDoubt>& encodingDoubts() const { return m_encodingDoubts; }
    const UnmatchedRows& unmatchedRows() const { return m_unmatched; }

private:
    DbQuery& m_query;
    const Job& m_job;
    QByteArray m_legacyCodePage;
    qint64 m_idsAboveLargest = 0;
    std::vector<EncodingDoubt> m_encodingDoubts;
    std::function<const TradeNumberIndex&()> m_tradeNumbers;
    UnmatchedRows m_unmatched;
};
