#include "ScriptCreation.h"

#include "CreationProgress.h"
#include "PriceListFileReader.h"
#include "db/DbQuery.h"
#include "platform/Job.h"
#include "platform/ScopeExit.h"
#include "store/StoreSchema.h"

namespace {

void statusAndLog(CreationProgress& progress, const QString& text)
{
    progress.setStatus(text);
    progress.log(text);
    progress.processEvents();
}

} // namespace

void ScriptCreation::run(const QStringList& checkedFiles, const StoreSchema& schema, UpdateScript& script,
                         CreationProgress& progress)
{
    m_idsAboveLargest = 0;
    m_encodingDoubts.clear();
    m_unmatched = {};
    statusAndLog(progress, QStringLiteral("Finding the maximum value ID PARTS"));
    m_query.close();
    m_query.sql.clear();
    m_query.sql << QStringLiteral("SELECT  ") << QStringLiteral("  Max(Pmain.virtuemart_product_id) ")
                << QStringLiteral("FROM ") + schema.products() + QStringLiteral(" as Pmain");
    m_query.open();
    const int maxProductId = m_query.fieldInteger(0);
    m_query.close();
    if (maxProductId == 0) {
        progress.log(QStringLiteral("Quit, because the table of parts (your store) is empty ..."));
        return;
    }
    progress.log(QStringLiteral("Max ID PARTS = %1").arg(maxProductId));
    statusAndLog(progress, QStringLiteral("Loading data price lists in memory ..."));
    PriceListFileReader reader(maxProductId, script, progress, m_job, m_legacyCodePage);
    if (m_tradeNumbers)
        reader.matchByTradeNumber(m_tradeNumbers);
    const ScopeExit counted([&] {
        m_idsAboveLargest = reader.idsAboveLargest();
        m_encodingDoubts = reader.encodingDoubts();
        m_unmatched = reader.unmatchedRows();
    });
    for (const QString& file : checkedFiles) {
        reader.read(file);
        if (m_job.stopRequested())
            return;
    }
}
