#pragma once

#include <QStringList>

class CreationProgress;
class DbQuery;
class UpdateScript;
struct StoreSchema;

// The creation of the update script from the checked price lists: the store's largest
// product id first, then every file in list order. Throws AppError on an unexpected
// failure; the caller's closing steps finish the script.
void runScriptCreation(const QStringList& checkedFiles, DbQuery& query, const StoreSchema& schema,
                       UpdateScript& script, CreationProgress& progress);
