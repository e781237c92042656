#include "SeoStoredTexts.h"

#include "SeoQueries.h"
#include "db/DbQuery.h"

QStringList SeoStoredTexts::productQuery(const StoreSchema& schema, int manufacturerId) const
{
    return SeoQueries::storedProducts(schema, manufacturerId);
}

QStringList SeoStoredTexts::categoryQuery(const StoreSchema& schema, const QString& productId) const
{
    return SeoQueries::storedCategories(schema, productId);
}

QString SeoStoredTexts::productText(int column, const DbQuery& product) const
{
    return product.fieldByName(SeoQueries::alias(column));
}

QString SeoStoredTexts::categoryText(int column, const DbQuery&, const DbQuery& category) const
{
    return category.fieldByName(SeoQueries::alias(column));
}
