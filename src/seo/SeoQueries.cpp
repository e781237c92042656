#include "SeoQueries.h"

#include "store/StoreSchema.h"

namespace {

// The first lines of both product statements.
QStringList productIdentity()
{
    return {QStringLiteral("SELECT DISTINCT "), QStringLiteral("  Pmain.virtuemart_product_id as IDPART, "),
            QStringLiteral("  M2.mf_name as BRAND, "),
            QStringLiteral("  Pmain.product_sku as TRADENUMBER, ")};
}

// The first lines of both category statements.
QStringList categoryIdentity()
{
    return {QStringLiteral("SELECT DISTINCT "),
            QStringLiteral("  CAT.virtuemart_category_id as IDCATEGORY, "),
            QStringLiteral("  CAT.category_name as CATEGORYNAME, ")};
}

QStringList productSource(const StoreSchema& schema, int manufacturerId)
{
    return {QStringLiteral("FROM ") + schema.products() + QStringLiteral(" as Pmain"),
            QStringLiteral("   JOIN ") + schema.productManufacturers() +
                QStringLiteral(" as M1 ON (Pmain.virtuemart_product_id=M1.virtuemart_product_id)"),
            QStringLiteral("   LEFT JOIN ") + schema.productTexts() +
                QStringLiteral(" as Pdesc ON (Pdesc.virtuemart_product_id=Pmain.virtuemart_product_id)"),
            QStringLiteral("   LEFT JOIN ") + schema.manufacturers() +
                QStringLiteral(" as M2 ON (M2.virtuemart_manufacturer_id=M1.virtuemart_manufacturer_id)"),
            QStringLiteral("WHERE"),
            QStringLiteral("   M1.virtuemart_manufacturer_id = ") + QString::number(manufacturerId)};
}

QStringList categorySource(const StoreSchema& schema, const QString& productId)
{
    return {QStringLiteral("FROM ") + schema.productCategories() + QStringLiteral(" as PC"),
            QStringLiteral("   JOIN ") + schema.categoryTexts() +
                QStringLiteral(" as CAT ON (CAT.virtuemart_category_id=PC.virtuemart_category_id)"),
            QStringLiteral("WHERE"), QStringLiteral("   PC.virtuemart_product_id = ") + productId};
}

} // namespace

QStringList SeoQueries::storedProducts(const StoreSchema& schema, int manufacturerId)
{
    return productIdentity() +
           QStringList{QStringLiteral("  Pdesc.product_name as NAMEPART, "),
                       QStringLiteral("  Pdesc.product_s_desc as PRODUCT_product_s_desc, "),
                       QStringLiteral("  Pdesc.metadesc as PRODUCT_metadesc, "),
                       QStringLiteral("  Pdesc.metakey as PRODUCT_metakey, "),
                       QStringLiteral("  Pdesc.customtitle as PRODUCT_customtitle, "),
                       QStringLiteral("  Pdesc.slug as PRODUCT_slug ")} +
           productSource(schema, manufacturerId);
}

QStringList SeoQueries::storedCategories(const StoreSchema& schema, const QString& productId)
{
    return categoryIdentity() +
           QStringList{QStringLiteral("  CAT.metadesc as CATEGORY_metadesc, "),
                       QStringLiteral("  CAT.metakey as CATEGORY_metakey, "),
                       QStringLiteral("  CAT.customtitle as CATEGORY_customtitle, "),
                       QStringLiteral("  CAT.slug as CATEGORY_slug ")} +
           categorySource(schema, productId);
}

QStringList SeoQueries::productsForGeneration(const StoreSchema& schema, int manufacturerId)
{
    return productIdentity() + QStringList{QStringLiteral("  Pdesc.product_name as NAMEPART ")} +
           productSource(schema, manufacturerId);
}

QStringList SeoQueries::categoriesForGeneration(const StoreSchema& schema, const QString& productId)
{
    return categoryIdentity() + QStringList{QStringLiteral("  CAT.slug as CATEGORY_slug ")} +
           categorySource(schema, productId);
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
