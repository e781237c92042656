#include "SeoRun.h"

#include "SeoFileLayout.h"
#include "SeoGeneratedTexts.h"
#include "SeoQueries.h"
#include "SeoStoredTexts.h"
#include "SeoTexts.h"
#include "db/DbQuery.h"
#include "db/GroupedRows.h"
#include "export/BrandChunks.h"
#include "export/CsvFileSeries.h"
#include "export/ExportProgress.h"
#include "platform/CheckFailure.h"
#include "platform/ScopeExit.h"

#include <memory>
#include <optional>

using namespace SeoColumns;

namespace {

const QString ProductsMark = QStringLiteral(" ::: FOR PARTS SEO TAGS (export)");
const QString CategoriesMark = QStringLiteral(" ::: FOR CATEGORIES SEO TAGS (export)");

// Both kinds count from file 1, a kind that is not written included.
int shownNumber(const CsvFileSeries& files)
{
    return files.fileNumber() > 0 ? files.fileNumber() : 1;
}

QString perKind(int products, int categories)
{
    return QString::number(products) + QStringLiteral(" for product | ") + QString::number(categories) +
           QStringLiteral(" for categories");
}

// One run: its files, texts and counters.
class Pass
{
public:
    Pass(const Job& job, SeoRunRequest request, DbQuery& products, DbQuery& categories,
         const StoreSchema& schema, ExportProgress& progress)
        : m_job(job), m_request(std::move(request)), m_products(products), m_categories(categories),
          m_schema(schema), m_progress(progress)
    {
    }

    void run();

private:
    void resetProgress();
    void writeFiles(const CsvSettings& settings);
    void readStore(const std::vector<int>& manufacturerIds);
    void writeBrand(const BrandEntry& brand);
    void writeCategories(const QString& brandLine);
    void writeRow(CsvFileSeries& files);
    void showFileNumbers();
    void showRowCounts();
    bool goOn() const { return !m_job.stopRequested(); }

    const Job& m_job;
    SeoRunRequest m_request;
    DbQuery& m_products;
    DbQuery& m_categories;
    const StoreSchema& m_schema;
    ExportProgress& m_progress;

    std::unique_ptr<SeoTexts> m_texts;
    std::optional<SeoFileLayout> m_layout;
    std::optional<CsvFileSeries> m_productFiles;
    std::optional<CsvFileSeries> m_categoryFiles;
    std::optional<BrandChunks> m_chunks;
    GroupedRows m_productsByBrand;
    GroupedRows m_categoriesByProduct;
    int m_productRows = 0;
    int m_categoryRows = 0;
    QByteArray m_line; // the row being written, its memory kept from row to row
    QByteArray m_scratch;
};

void Pass::run()
{
    const SeoColumnTicks& ticks = m_request.columns;
    if (!ticks.productsWanted() && !ticks.categoriesWanted())
        throw CheckFailure(
            QStringLiteral("You have not selected items except values : IDPART, IDCATEGORY !!!"));
    if (m_request.generate)
        m_texts = std::make_unique<SeoGeneratedTexts>(ticks, m_request.useTemplate);
    else
        m_texts = std::make_unique<SeoStoredTexts>();
    resetProgress();
    if (m_request.connectionName.trimmed().isEmpty())
        return;
    const CsvSettings settings = CsvSettings::read(m_request.csv);
    m_progress.setPathText(settings.folder);
    writeFiles(settings);
}

void Pass::resetProgress()
{
    m_progress.setPathText(QStringLiteral("......."));
    m_progress.setFileText(QStringLiteral("0"));
    m_progress.setRowText(QStringLiteral("0"));
    m_progress.setBrandText(QStringLiteral("processing  brand ..."));
}

void Pass::writeFiles(const CsvSettings& settings)
{
    m_layout.emplace(m_request.columns, settings.separator);
    m_productFiles.emplace(settings.folder, SeoFileLayout::productBaseName(), m_layout->productHeader(),
                           settings.rowLimit);
    m_categoryFiles.emplace(settings.folder, SeoFileLayout::categoryBaseName(), m_layout->categoryHeader(),
                            settings.rowLimit);
    const ScopeExit closing([this] {
        m_productFiles->finish();
        m_categoryFiles->finish();
        m_products.close();
        m_categories.close();
        resetProgress();
    });
    showFileNumbers();
    if (m_request.columns.productsWanted())
        m_productFiles->begin();
    if (m_request.columns.categoriesWanted())
        m_categoryFiles->begin();
    m_progress.showProgressTab();
    m_progress.processEvents();
    m_chunks.emplace(m_products, m_schema, m_request.brands);
    for (const BrandEntry& brand : m_request.brands) {
        writeBrand(brand);
        if (!goOn())
            break;
    }
    m_productFiles->close();
    m_categoryFiles->close();
}

// One statement for the products of a few brands and one for their categories; the files are
// then written brand by brand and product by product from the rows held.
void Pass::readStore(const std::vector<int>& manufacturerIds)
{
    m_products.sql = m_texts->productQuery(m_schema, manufacturerIds);
    m_products.open();
    m_productsByBrand.collect(m_products, SeoQueries::BrandIdColumn);
    if (!m_request.columns.categoriesWanted())
        return;
    m_categories.sql = m_texts->categoryQuery(m_schema, manufacturerIds);
    m_categories.open();
    m_categoriesByProduct.collect(m_categories, SeoQueries::ProductIdColumn);
}

void Pass::writeBrand(const BrandEntry& brand)
{
    const QString brandLine = QStringLiteral("processing  brand [") + brand.name + u']';
    m_progress.setBrandText(brandLine);
    m_progress.processEvents();
    if (!brand.ticked)
        return;
    if (const std::vector<int>* read = m_chunks->readBegunBy(brand.id))
        readStore(*read);
    const bool productsWanted = m_request.columns.productsWanted();
    if (productsWanted)
        m_progress.setBrandText(brandLine + ProductsMark);
    m_progress.processEvents();
    for (const MysqlResult::RowPosition row : m_productsByBrand.rows(brand.id)) {
        m_products.seek(row);
        if (productsWanted) {
            m_layout->fillProductLine(
                m_line, [this](int column) { return m_texts->productText(column, m_products, m_scratch); });
            writeRow(*m_productFiles);
            ++m_productRows;
        }
        if (goOn() && m_request.columns.categoriesWanted())
            writeCategories(brandLine);
        if (!goOn())
            return;
        showRowCounts();
        m_progress.processEvents();
    }
}

void Pass::writeCategories(const QString& brandLine)
{
    m_progress.setBrandText(brandLine + CategoriesMark);
    m_progress.processEvents();
    const QByteArray titleCell =
        SeoFileLayout::titleCell(m_products.fieldByName(SeoQueries::alias(Brand)),
                                 m_products.fieldByName(SeoQueries::alias(TradeNumber)),
                                 m_products.fieldByName(SeoQueries::alias(NamePart)));
    const int productId = m_products.fieldInteger(m_products.fieldIndex(SeoQueries::alias(IdPart)));
    for (const MysqlResult::RowPosition row : m_categoriesByProduct.rows(productId)) {
        m_categories.seek(row);
        m_layout->fillCategoryLine(m_line, titleCell, [this](int column) {
            return m_texts->categoryText(column, m_products, m_categories, m_scratch);
        });
        writeRow(*m_categoryFiles);
        ++m_categoryRows;
        if (!goOn())
            return;
        showRowCounts();
        m_progress.processEvents();
    }
}

void Pass::writeRow(CsvFileSeries& files)
{
    const int number = files.fileNumber();
    files.writeRow(m_line);
    if (files.fileNumber() != number)
        showFileNumbers();
}

void Pass::showFileNumbers()
{
    m_progress.setFileText(perKind(shownNumber(*m_productFiles), shownNumber(*m_categoryFiles)));
}

void Pass::showRowCounts()
{
    m_progress.setRowText(perKind(m_productRows, m_categoryRows));
}

} // namespace

SeoRun::SeoRun(DbQuery& products, DbQuery& categories) : m_products(products), m_categories(categories) {}

void SeoRun::run(SeoRunRequest request, const StoreSchema& schema, ExportProgress& progress)
{
    if (isRunning())
        return;
    const RunScope running(*this);
    Pass(*this, std::move(request), m_products, m_categories, schema, progress).run();
}
