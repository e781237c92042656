#pragma once

#include "SeoFileLayout.h"
#include "SeoTemplate.h"
#include "export/BrandEntry.h"
#include "export/CsvSettings.h"
#include "platform/Job.h"

#include <QString>
#include <array>
#include <vector>

class DbQuery;
class ExportProgress;
struct StoreSchema;

// What the SEO panel and the EXPORT page's settings hold when "SEO data export" is clicked.
struct SeoRunRequest
{
    bool generate = false; // "Generating a default data" rather than the store's own texts
    SeoColumnTicks columns;
    std::array<bool, AllSeoTemplateFiles.size()> useTemplate{}; // in the order of AllSeoTemplateFiles
    QString connectionName;
    CsvSettings::Texts csv;
    std::vector<BrandEntry> brands; // the brand list as it stood when the run started
};

// The SEO run: for every ticked brand, one row per product into the SeoProduct files and one
// row per category of each product into the SeoCategories files, with the store's texts or
// generated ones. The products of all ticked brands come through the first query in one
// statement, their categories through the second in another; both stay open while the files
// are written brand by brand, product by product. A failed check throws CheckFailure and
// writes nothing; once the files are begun they are finished and the progress tab reset
// however the run ends. A stop request ends the run after the row just written.
class SeoRun : public Job
{
public:
    SeoRun(DbQuery& products, DbQuery& categories);

    // Does nothing while a run is going on.
    void run(SeoRunRequest request, const StoreSchema& schema, ExportProgress& progress);

private:
    DbQuery& m_products;
    DbQuery& m_categories;
};
