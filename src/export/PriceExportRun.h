#pragma once

#include "BrandEntry.h"
#include "CsvSettings.h"
#include "store/StoreSchema.h"

#include <QStringList>
#include <vector>

class CsvFileSeries;
class DbQuery;
class ExportProgress;
class PriceFileLayout;

// The price and availability export once its settings passed their checks: every ticked
// brand's products, one line each, into the files F1.csv, F2.csv, ... of the export folder.
// It stops after the row it has just written once the progress's go-on flag is down.
// However it ends, the files are closed, the query is closed and the progress shows its
// resting texts; an error is passed on after that.
class PriceExportRun
{
public:
    PriceExportRun(DbQuery& query, StoreSchema schema, ExportProgress& progress);

    void run(const CsvSettings& settings, const std::vector<BrandEntry>& brands,
             const QStringList& tickedColumns);

    // The statement lines that read one brand's products.
    static QStringList brandQuery(const StoreSchema& schema, int manufacturerId);

private:
    void exportBrand(int manufacturerId, const PriceFileLayout& layout, CsvFileSeries& series);

    DbQuery& m_query;
    StoreSchema m_schema;
    ExportProgress& m_progress;
    int m_rowsWritten = 0;
};
