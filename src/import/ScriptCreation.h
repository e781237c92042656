#pragma once

#include "platform/Job.h"
#include "platform/TextDecoding.h"

#include <QStringList>

class CreationProgress;
class DbQuery;
class UpdateScript;
struct StoreSchema;

// The creation of the update script from the checked price lists: the store's largest
// product id first, then every file in list order, until a stop is requested. Throws
// AppError on an unexpected failure; the caller's closing steps finish the script.
// False when a file could not be opened as a spreadsheet: the run ended there and the log
// says why.
class ScriptCreation : public Job
{
public:
    explicit ScriptCreation(DbQuery& query) : m_query(query) {}

    // The code page of price lists in text that is not UTF-8; the locale's until set.
    void setLegacyCodePage(QByteArray codePage) { m_legacyCodePage = std::move(codePage); }

    // Does nothing while a run is going on.
    bool run(const QStringList& checkedFiles, const StoreSchema& schema, UpdateScript& script,
             CreationProgress& progress);

private:
    DbQuery& m_query;
    QByteArray m_legacyCodePage = localeLegacyCodePage();
};
