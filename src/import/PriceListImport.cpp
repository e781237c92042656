#include "PriceListImport.h"

#include "CreationProgress.h"
#include "ScriptCreation.h"
#include "TradeNumberIndex.h"
#include "UnreadablePriceList.h"
#include "UpdateScript.h"
#include "db/DbQuery.h"

#include <QDateTime>

std::optional<ImportOutcome> PriceListImport::run(const ImportRequest& request, const StoreSchema& schema,
                                                  CreationProgress& progress)
{
    if (isRunning())
        return std::nullopt;
    const QDateTime started = QDateTime::currentDateTime();
    UpdateScript script(request.scriptPath, schema);
    const RunScope running(*this);
    m_abandoned = false;

    ImportOutcome outcome;
    outcome.scriptPath = request.scriptPath;
    ScriptCreation creation(m_query, *this, request.legacyCodePage);
    std::optional<TradeNumberIndex> tradeNumbers;
    if (request.rules.matchBy == ImportRules::MatchBy::TradeNumber)
        creation.matchByTradeNumber([&]() -> const TradeNumberIndex& {
            if (!tradeNumbers)
                tradeNumbers = TradeNumberIndex::read(schema, m_connection);
            return *tradeNumbers;
        });
    try {
        creation.run(request.files, schema, script, progress);
    } catch (const UnreadablePriceList& error) {
        outcome.failure = ImportOutcome::Failure{error.message(), true};
    } catch (const std::exception& error) {
        outcome.failure = ImportOutcome::Failure{errorMessage(error), false};
    }
    outcome.idsAboveLargest = creation.idsAboveLargest();
    outcome.encodingDoubts = creation.encodingDoubts();
    outcome.unmatchedRows = creation.unmatchedRows();

    // Closing steps, however the reading ended.
    m_query.close();
    progress.setStatus(restingStatus());
    if (outcome.failure) {
        progress.log(outcome.failure->message);
        progress.failed(outcome.failure->message);
    }
    script.commit();
    if (m_abandoned)
        return std::nullopt;

    const QString undoPath =
        request.scriptPath.isEmpty() ? QString() : UpdateScript::undoPath(request.scriptPath, started);
    outcome.review = ScriptReview::of(script.planned(), schema, m_connection, undoPath);
    outcome.priceGuard = PriceGuard::check(outcome.review.preview, request.rules);
    for (const QString& line : outcome.logLines())
        progress.log(line);
    return outcome;
}

void PriceListImport::abandon()
{
    m_abandoned = isRunning();
    requestStop();
}
