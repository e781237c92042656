#include "PerBrandExports.h"

#include "db/DbQuery.h"
#include "export/CsvFileSeries.h"
#include "export/PriceFileLayout.h"
#include "seo/SeoQueries.h"
#include "seo/SeoTexts.h"
#include "store/StoreSchema.h"

namespace {

// A brand's products with their texts and brand name: what both product statements read from.
QStringList brandProducts(const StoreSchema& schema)
{
    return {"FROM " + schema.products() + " as Pmain",
            "   JOIN " + schema.productManufacturers() +
                " as M1 ON (Pmain.virtuemart_product_id=M1.virtuemart_product_id)",
            "   LEFT JOIN " + schema.productTexts() +
                " as Pdesc ON (Pdesc.virtuemart_product_id=Pmain.virtuemart_product_id)",
            "   LEFT JOIN " + schema.manufacturers() +
                " as M2 ON (M2.virtuemart_manufacturer_id=M1.virtuemart_manufacturer_id)"};
}

QStringList priceStatement(const StoreSchema& schema, int manufacturerId)
{
    return QStringList{"SELECT DISTINCT ",
                       "  Pmain.virtuemart_product_id as IDPART, ",
                       "  M2.mf_name as BRAND, ",
                       "  Pmain.product_sku as TRADENUMBER, ",
                       "  Pdesc.product_name as NAMEPART, ",
                       "  Pmain.product_in_stock as QUANTITY, ",
                       "  Price.product_price as PRICE, ",
                       "  Currenc.currency_code_3 as CURRENCY, ",
                       "  Pmain.published as PUBLISHED "} +
           brandProducts(schema) +
           QStringList{"   LEFT JOIN " + schema.productPrices() +
                           " as Price ON (Price.virtuemart_product_id=Pmain.virtuemart_product_id)",
                       "   LEFT JOIN " + schema.currencies() +
                           " as Currenc ON (Currenc.virtuemart_currency_id=Price.product_currency)",
                       "WHERE", "   M1.virtuemart_manufacturer_id = " + QString::number(manufacturerId)};
}

QStringList seoProductStatement(const StoreSchema& schema, int manufacturerId, bool generated)
{
    QStringList lines = {"SELECT DISTINCT ", "  Pmain.virtuemart_product_id as IDPART, ",
                         "  M2.mf_name as BRAND, ", "  Pmain.product_sku as TRADENUMBER, "};
    if (generated)
        lines << "  Pdesc.product_name as NAMEPART ";
    else
        lines << "  Pdesc.product_name as NAMEPART, "
              << "  Pdesc.product_s_desc as PRODUCT_product_s_desc, "
              << "  Pdesc.metadesc as PRODUCT_metadesc, "
              << "  Pdesc.metakey as PRODUCT_metakey, "
              << "  Pdesc.customtitle as PRODUCT_customtitle, "
              << "  Pdesc.slug as PRODUCT_slug ";
    return lines + brandProducts(schema) +
           QStringList{"WHERE", "   M1.virtuemart_manufacturer_id = " + QString::number(manufacturerId)};
}

QStringList seoCategoryStatement(const StoreSchema& schema, const QString& productId, bool generated)
{
    QStringList lines = {"SELECT DISTINCT ", "  CAT.virtuemart_category_id as IDCATEGORY, ",
                         "  CAT.category_name as CATEGORYNAME, "};
    if (generated)
        lines << "  CAT.slug as CATEGORY_slug ";
    else
        lines << "  CAT.metadesc as CATEGORY_metadesc, "
              << "  CAT.metakey as CATEGORY_metakey, "
              << "  CAT.customtitle as CATEGORY_customtitle, "
              << "  CAT.slug as CATEGORY_slug ";
    return lines << "FROM " + schema.productCategories() + " as PC"
                 << "   JOIN " + schema.categoryTexts() +
                        " as CAT ON (CAT.virtuemart_category_id=PC.virtuemart_category_id)"
                 << "WHERE"
                 << "   PC.virtuemart_product_id = " + productId;
}

} // namespace

void PerBrandExports::writePriceFiles(DbConnection& connection, const StoreSchema& schema,
                                      const CsvSettings& settings, const std::vector<BrandEntry>& brands,
                                      const QStringList& tickedColumns)
{
    const PriceFileLayout layout(tickedColumns, settings);
    CsvFileSeries series(settings.folder, PriceFileLayout::baseName(), layout.headerLine(),
                         settings.rowLimit);
    series.begin();
    DbQuery query("UniQuery1", connection);
    QByteArray line;
    QByteArray scratch;
    for (const BrandEntry& brand : brands) {
        if (!brand.ticked)
            continue;
        query.sql = priceStatement(schema, brand.id);
        for (query.open(); !query.eof(); query.next()) {
            layout.fillDataLine(line, [&](int column) {
                return query.fieldUtf8(query.fieldIndex(PriceFileLayout::columnNames()[column]), scratch);
            });
            series.writeRow(line);
        }
    }
    series.close();
}

void PerBrandExports::writeSeoFiles(DbConnection& connection, const StoreSchema& schema,
                                    const CsvSettings& settings, const std::vector<BrandEntry>& brands,
                                    const SeoColumnTicks& ticks, const SeoTexts& texts, bool generated)
{
    using namespace SeoColumns;
    const SeoFileLayout layout(ticks, settings.separator);
    CsvFileSeries products(settings.folder, SeoFileLayout::productBaseName(), layout.productHeader(),
                           settings.rowLimit);
    CsvFileSeries categories(settings.folder, SeoFileLayout::categoryBaseName(), layout.categoryHeader(),
                             settings.rowLimit);
    if (ticks.productsWanted())
        products.begin();
    if (ticks.categoriesWanted())
        categories.begin();
    DbQuery product("UniQuery1", connection);
    DbQuery category("UniQuery2", connection);
    QByteArray line;
    QByteArray scratch;
    for (const BrandEntry& brand : brands) {
        if (!brand.ticked)
            continue;
        product.sql = seoProductStatement(schema, brand.id, generated);
        for (product.open(); !product.eof(); product.next()) {
            if (ticks.productsWanted()) {
                layout.fillProductLine(
                    line, [&](int column) { return texts.productText(column, product, scratch); });
                products.writeRow(line);
            }
            if (!ticks.categoriesWanted())
                continue;
            const QByteArray title =
                SeoFileLayout::titleCell(product.fieldByName(SeoQueries::alias(Brand)),
                                         product.fieldByName(SeoQueries::alias(TradeNumber)),
                                         product.fieldByName(SeoQueries::alias(NamePart)));
            category.sql =
                seoCategoryStatement(schema, product.fieldByName(SeoQueries::alias(IdPart)), generated);
            for (category.open(); !category.eof(); category.next()) {
                layout.fillCategoryLine(line, title, [&](int column) {
                    return texts.categoryText(column, product, category, scratch);
                });
                categories.writeRow(line);
            }
        }
    }
    products.close();
    categories.close();
}
