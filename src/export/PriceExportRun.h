#pragma once

#include "BrandEntry.h"
#include "CsvSettings.h"
#include "db/GroupedRows.h"
#include "platform/Job.h"
#include "store/StoreSchema.h"

#include <QHash>
#include <QStringList>
#include <vector>

class CsvFileSeries;
class ExportProgress;
class PriceFileLayout;

// The price and availability export once its settings passed their checks: every ticked
// brand's products, one line each, into the files F1.csv, F2.csv, ... of the export folder,
// read in one statement for all ticked brands and written brand by brand in the list's order.
// A stop request ends it after the row it has just written. However it ends, the files are
// closed, the query is closed and the progress shows its resting texts; an error is passed
// on after that.
class PriceExportRun : public Job
{
public:
    explicit PriceExportRun(DbQuery& query);

    // Does nothing while a run is going on.
    void run(const StoreSchema& schema, const CsvSettings& settings, const std::vector<BrandEntry>& brands,
             const QStringList& tickedColumns, ExportProgress& progress);

    // The statement lines that read the products of the brands named, with each row's brand id:
    // one statement for all of them, the rows grouped by brand in the program. The brand's name,
    // the same on each of its rows, is read once per brand rather than joined to every row.
    static QStringList brandsQuery(const StoreSchema& schema, const std::vector<int>& manufacturerIds);

private:
    QHash<int, QByteArray> readBrandNames(const StoreSchema& schema, const std::vector<int>& manufacturerIds);
    void exportBrand(const GroupedRows::Rows& rows, QByteArrayView brandName, const PriceFileLayout& layout,
                     CsvFileSeries& series, ExportProgress& progress);

    DbQuery& m_query;
    int m_rowsWritten = 0;
};
