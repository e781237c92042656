#pragma once

#include "SeoFileLayout.h"
#include "SeoTemplate.h"
#include "SeoTexts.h"
#include "export/BrandEntry.h"
#include "export/CsvFileSeries.h"
#include "export/CsvSettings.h"

#include <QString>
#include <array>
#include <memory>
#include <optional>
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
// generated ones. The products come through the first query, the categories of each product
// through the second while the first stays on its row. A failed check shows its message and
// writes nothing; once the files are begun they are finished and the progress tab reset
// however the run ends. One object makes one run.
class SeoRun
{
public:
    SeoRun(SeoRunRequest request, DbQuery& products, DbQuery& categories, const StoreSchema& schema,
           ExportProgress& progress);

    void run();

private:
    void resetProgress();
    void writeFiles(const CsvSettings& settings);
    void writeBrand(const BrandEntry& brand);
    void writeCategories(const QString& brandLine);
    void writeRow(CsvFileSeries& files, const QString& line);
    void showFileNumbers();
    void showRowCounts();

    SeoRunRequest m_request;
    DbQuery& m_products;
    DbQuery& m_categories;
    const StoreSchema& m_schema;
    ExportProgress& m_progress;

    std::unique_ptr<SeoTexts> m_texts;
    std::optional<SeoFileLayout> m_layout;
    std::optional<CsvFileSeries> m_productFiles;
    std::optional<CsvFileSeries> m_categoryFiles;
    int m_productRows = 0;
    int m_categoryRows = 0;
};
