#include "StoreSchema.h"

QString StoreSchema::configs() const
{
    return prefix + QStringLiteral("virtuemart_configs");
}

QString StoreSchema::products() const
{
    return prefix + QStringLiteral("virtuemart_products");
}

QString StoreSchema::productTexts() const
{
    return products() + languageSuffix;
}

QString StoreSchema::productPrices() const
{
    return prefix + QStringLiteral("virtuemart_product_prices");
}

QString StoreSchema::currencies() const
{
    return prefix + QStringLiteral("virtuemart_currencies");
}

QString StoreSchema::manufacturers() const
{
    return prefix + QStringLiteral("virtuemart_manufacturers") + languageSuffix;
}

QString StoreSchema::productManufacturers() const
{
    return prefix + QStringLiteral("virtuemart_product_manufacturers");
}

QString StoreSchema::productCategories() const
{
    return prefix + QStringLiteral("virtuemart_product_categories");
}

QString StoreSchema::categoryTexts() const
{
    return prefix + QStringLiteral("virtuemart_categories") + languageSuffix;
}

QString StoreSchema::languageSuffixFor(const QString& languageCode)
{
    return languageCode.trimmed().isEmpty() ? QString() : u'_' + languageCode;
}
