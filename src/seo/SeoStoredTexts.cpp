#include "SeoStoredTexts.h"

#include "SeoQueries.h"
#include "db/DbQuery.h"

QStringList SeoStoredTexts::productQuery(const StoreSchema& schema,
                                         const std::vector<int>& manufacturerIds) const
{
    return SeoQueries::storedProducts(schema, manufacturerIds);
}

QStringList SeoStoredTexts::categoryQuery(const StoreSchema& schema,
                                          const std::vector<int>& manufacturerIds) const
{
    return SeoQueries::storedCategories(schema, manufacturerIds);
}

QByteArrayView SeoStoredTexts::productText(int column, const DbQuery& product, QByteArray& scratch) const
{
    return product.fieldUtf8(product.fieldIndex(SeoQueries::alias(column)), scratch);
}

QByteArrayView SeoStoredTexts::categoryText(int column, const DbQuery&, const DbQuery& category,
                                            QByteArray& scratch) const
{
    return category.fieldUtf8(category.fieldIndex(SeoQueries::alias(column)), scratch);
}
