#include "PriceExportRun.h"

#include "BrandChunks.h"
#include "CsvFileSeries.h"
#include "ExportProgress.h"
#include "PriceFileLayout.h"
#include "db/DbQuery.h"
#include "db/SqlIdList.h"
#include "platform/ScopeExit.h"

namespace {

const QString BrandIdColumn = QStringLiteral("IDBRAND");
const QString BrandColumn = QStringLiteral("BRAND");

} // namespace

QHash<int, QByteArray> PriceExportRun::readBrandNames(const StoreSchema& schema,
                                                      const std::vector<int>& manufacturerIds)
{
    QHash<int, QByteArray> names;
    if (manufacturerIds.empty())
        return names;
    m_query.sql = {
        QStringLiteral("SELECT M2.virtuemart_manufacturer_id, M2.mf_name"),
        QStringLiteral("FROM ") + schema.manufacturers() + QStringLiteral(" as M2"),
        QStringLiteral("WHERE M2.virtuemart_manufacturer_id IN (") + sqlIdList(manufacturerIds) + u')',
    };
    QByteArray scratch;
    for (m_query.open(); !m_query.eof(); m_query.next())
        names.insert(m_query.fieldInteger(0), m_query.fieldUtf8(1, scratch).toByteArray());
    m_query.close();
    return names;
}

QStringList PriceExportRun::brandsQuery(const StoreSchema& schema, const std::vector<int>& manufacturerIds)
{
    return {
        QStringLiteral("SELECT "),
        QStringLiteral("  M1.virtuemart_manufacturer_id as ") + BrandIdColumn + QStringLiteral(", "),
        QStringLiteral("  Pmain.virtuemart_product_id as IDPART, "),
        QStringLiteral("  Pmain.product_sku as TRADENUMBER, "),
        QStringLiteral("  Pdesc.product_name as NAMEPART, "),
        QStringLiteral("  Pmain.product_in_stock as QUANTITY, "),
        QStringLiteral("  Price.product_price as PRICE, "),
        QStringLiteral("  Currenc.currency_code_3 as CURRENCY, "),
        QStringLiteral("  Pmain.published as PUBLISHED "),
        QStringLiteral("FROM ") + schema.products() + QStringLiteral(" as Pmain"),
        QStringLiteral("   JOIN ") + schema.productManufacturers() +
            QStringLiteral(" as M1 ON (Pmain.virtuemart_product_id=M1.virtuemart_product_id)"),
        QStringLiteral("   LEFT JOIN ") + schema.productTexts() +
            QStringLiteral(" as Pdesc ON (Pdesc.virtuemart_product_id=Pmain.virtuemart_product_id)"),
        QStringLiteral("   LEFT JOIN ") + schema.productPrices() +
            QStringLiteral(" as Price ON (Price.virtuemart_product_id=Pmain.virtuemart_product_id)"),
        QStringLiteral("   LEFT JOIN ") + schema.currencies() +
            QStringLiteral(" as Currenc ON (Currenc.virtuemart_currency_id=Price.product_currency)"),
        QStringLiteral("WHERE"),
        QStringLiteral("   M1.virtuemart_manufacturer_id IN (") + sqlIdList(manufacturerIds) + u')',
    };
}

PriceExportRun::PriceExportRun(DbQuery& query) : m_query(query) {}

void PriceExportRun::run(const StoreSchema& schema, const CsvSettings& settings,
                         const std::vector<BrandEntry>& brands, const QStringList& tickedColumns,
                         ExportProgress& progress)
{
    if (isRunning())
        return;
    const RunScope running(*this);
    progress.setPathText(settings.folder);
    const PriceFileLayout layout(tickedColumns, settings);
    CsvFileSeries series(settings.folder, PriceFileLayout::baseName(), layout.headerLine(),
                         settings.rowLimit);
    const ScopeExit closing([&] {
        series.finish();
        m_query.close();
        progress.showRestingTexts();
    });
    m_rowsWritten = 0;
    series.begin();
    progress.setFileText(QString::number(series.fileNumber()));
    progress.showProgressTab();
    progress.processEvents();
    // Price rows are small: most stores go in one read.
    const BrandChunks chunks(m_query, schema, brands, 4 * BrandChunks::ProductsPerRead);
    const QHash<int, QByteArray> brandNames = readBrandNames(schema, BrandEntry::tickedIds(brands));
    GroupedRows rowsByBrand;
    for (const BrandEntry& brand : brands) {
        progress.setBrandText(QStringLiteral("processing  brand [") + brand.name + u']');
        progress.processEvents();
        if (brand.ticked) {
            if (const std::vector<int>* read = chunks.readBegunBy(brand.id)) {
                m_query.sql = brandsQuery(schema, *read);
                m_query.open();
                rowsByBrand.collect(m_query, BrandIdColumn);
            }
            exportBrand(rowsByBrand.rows(brand.id), brandNames.value(brand.id), layout, series, progress);
        }
        if (stopRequested())
            break;
    }
    series.close();
}

void PriceExportRun::exportBrand(const GroupedRows::Rows& rows, QByteArrayView brandName,
                                 const PriceFileLayout& layout, CsvFileSeries& series,
                                 ExportProgress& progress)
{
    if (rows.empty())
        return;
    std::vector<int> fields; // -1 for the brand's name, the same on every row
    for (const QString& name : PriceFileLayout::columnNames())
        fields.push_back(name == BrandColumn ? -1 : m_query.fieldIndex(name));
    QByteArray line;
    QByteArray scratch;
    const auto value = [&](int column) {
        return fields[column] < 0 ? brandName : m_query.fieldUtf8(fields[column], scratch);
    };
    for (const MysqlResult::RowPosition row : rows) {
        m_query.seek(row);
        layout.fillDataLine(line, value);
        const int fileNumber = series.fileNumber();
        series.writeRow(line);
        if (series.fileNumber() != fileNumber)
            progress.setFileText(QString::number(series.fileNumber()));
        ++m_rowsWritten;
        if (stopRequested())
            return;
        progress.setRowText(QString::number(m_rowsWritten));
        progress.processEvents();
    }
}
