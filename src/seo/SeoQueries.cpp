#include "SeoQueries.h"

#include "db/SqlIdList.h"
#include "store/StoreSchema.h"

namespace {

// The first lines of both product statements.
QStringList productIdentity()
{
    return {QStringLiteral("SELECT "),
            QStringLiteral("  M1.virtuemart_manufacturer_id as ") + SeoQueries::BrandIdColumn +
                QStringLiteral(", "),
            QStringLiteral("  Pmain.virtuemart_product_id as IDPART, "),
            QStringLiteral("  M2.mf_name as BRAND, "),
            QStringLiteral("  Pmain.product_sku as TRADENUMBER, ")};
}

// The first lines of both category statements.
QStringList categoryIdentity()
{
    return {QStringLiteral("SELECT "),
            QStringLiteral("  PC.virtuemart_product_id as ") + SeoQueries::ProductIdColumn +
                QStringLiteral(", "),
            QStringLiteral("  CAT.virtuemart_category_id as IDCATEGORY, "),
            QStringLiteral("  CAT.category_name as CATEGORYNAME, ")};
}

QString brandCondition(const std::vector<int>& manufacturerIds)
{
    return QStringLiteral("   M1.virtuemart_manufacturer_id IN (") + sqlIdList(manufacturerIds) + u')';
}

QStringList productSource(const StoreSchema& schema, const std::vector<int>& manufacturerIds)
{
    return {QStringLiteral("FROM ") + schema.products() + QStringLiteral(" as Pmain"),
            QStringLiteral("   JOIN ") + schema.productManufacturers() +
                QStringLiteral(" as M1 ON (Pmain.virtuemart_product_id=M1.virtuemart_product_id)"),
            QStringLiteral("   LEFT JOIN ") + schema.productTexts() +
                QStringLiteral(" as Pdesc ON (Pdesc.virtuemart_product_id=Pmain.virtuemart_product_id)"),
            QStringLiteral("   LEFT JOIN ") + schema.manufacturers() +
                QStringLiteral(" as M2 ON (M2.virtuemart_manufacturer_id=M1.virtuemart_manufacturer_id)"),
            QStringLiteral("WHERE"),
            brandCondition(manufacturerIds)};
}

// The links are read product by product through the product's own key of the link table, as a
// statement for one product reads them, so each product's categories come in that statement's order.
QStringList categorySource(const StoreSchema& schema, const std::vector<int>& manufacturerIds)
{
    return {QStringLiteral("FROM ") + schema.productManufacturers() + QStringLiteral(" as M1"),
            QStringLiteral("   STRAIGHT_JOIN ") + schema.productCategories() +
                QStringLiteral(" as PC ON (PC.virtuemart_product_id=M1.virtuemart_product_id)"),
            QStringLiteral("   STRAIGHT_JOIN ") + schema.categoryTexts() +
                QStringLiteral(" as CAT ON (CAT.virtuemart_category_id=PC.virtuemart_category_id)"),
            QStringLiteral("WHERE"), brandCondition(manufacturerIds)};
}

} // namespace

QStringList SeoQueries::storedProducts(const StoreSchema& schema, const std::vector<int>& manufacturerIds)
{
    return productIdentity() +
           QStringList{QStringLiteral("  Pdesc.product_name as NAMEPART, "),
                       QStringLiteral("  Pdesc.product_s_desc as PRODUCT_product_s_desc, "),
                       QStringLiteral("  Pdesc.metadesc as PRODUCT_metadesc, "),
                       QStringLiteral("  Pdesc.metakey as PRODUCT_metakey, "),
                       QStringLiteral("  Pdesc.customtitle as PRODUCT_customtitle, "),
                       QStringLiteral("  Pdesc.slug as PRODUCT_slug ")} +
           productSource(schema, manufacturerIds);
}

QStringList SeoQueries::storedCategories(const StoreSchema& schema, const std::vector<int>& manufacturerIds)
{
    return categoryIdentity() +
           QStringList{QStringLiteral("  CAT.metadesc as CATEGORY_metadesc, "),
                       QStringLiteral("  CAT.metakey as CATEGORY_metakey, "),
                       QStringLiteral("  CAT.customtitle as CATEGORY_customtitle, "),
                       QStringLiteral("  CAT.slug as CATEGORY_slug ")} +
           categorySource(schema, manufacturerIds);
}

QStringList SeoQueries::productsForGeneration(const StoreSchema& schema,
                                              const std::vector<int>& manufacturerIds)
{
    return productIdentity() + QStringList{QStringLiteral("  Pdesc.product_name as NAMEPART ")} +
           productSource(schema, manufacturerIds);
}

QStringList SeoQueries::categoriesForGeneration(const StoreSchema& schema,
                                                const std::vector<int>& manufacturerIds)
{
    return categoryIdentity() + QStringList{QStringLiteral("  CAT.slug as CATEGORY_slug ")} +
           categorySource(schema, manufacturerIds);
}

QString SeoQueries::alias(int column)
{
    static const QStringList aliases = {
        QStringLiteral("IDPART"),
        QStringLiteral("BRAND"),
        QStringLiteral("TRADENUMBER"),
        QStringLiteral("NAMEPART"),
        QStringLiteral("PRODUCT_product_s_desc"),
        QStringLiteral("PRODUCT_metadesc"),
        QStringLiteral("PRODUCT_metakey"),
        QStringLiteral("PRODUCT_customtitle"),
        QStringLiteral("PRODUCT_slug"),
        QStringLiteral("IDCATEGORY"),
        QStringLiteral("CATEGORYNAME"),
        QStringLiteral("CATEGORY_metadesc"),
        QStringLiteral("CATEGORY_metakey"),
        QStringLiteral("CATEGORY_customtitle"),
        QStringLiteral("CATEGORY_slug"),
    };
    return aliases.value(column);
}
