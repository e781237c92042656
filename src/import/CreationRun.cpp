#include "CreationRun.h"

#include "CreationProgress.h"
#include "PriceListFileReader.h"
#include "db/DbQuery.h"
#include "store/StoreSchema.h"

namespace {

void statusAndLog(CreationProgress& progress, const QString& text)
{
    progress.setStatus(text);
    progress.log(text);
    progress.processEvents();
}

} // namespace

void runScriptCreation(const QStringList& checkedFiles, DbQuery& query, const StoreSchema& schema,
                       UpdateScript& script, CreationProgress& progress)
{
    statusAndLog(progress, QStringLiteral("Finding the maximum value ID PARTS"));
    query.close();
    query.SQL.clear();
    query.SQL << QStringLiteral("SELECT  ") << QStringLiteral("  Max(Pmain.virtuemart_product_id) ")
              << QStringLiteral("FROM ") + schema.products() + QStringLiteral(" as Pmain");
    query.open();
    const int maxProductId = query.fieldInteger(0);
    query.close();
    if (maxProductId == 0) {
        progress.log(QStringLiteral("Quit, because the table of parts (your store) is empty ..."));
        return;
    }
    progress.log(QStringLiteral("Max ID PARTS = %1").arg(maxProductId));
    statusAndLog(progress, QStringLiteral("Loading data price lists in memory ..."));
    PriceListFileReader reader(maxProductId, script, progress);
    for (const QString& file : checkedFiles) {
        if (!reader.read(file))
            return;
        if (!progress.goOn())
            return;
    }
}
