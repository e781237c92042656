#pragma once

#include "SeoTexts.h"

// The SEO texts as the store holds them.
class SeoStoredTexts : public SeoTexts
{
public:
    QStringList productQuery(const StoreSchema& schema, int manufacturerId) const override;
    QStringList categoryQuery(const StoreSchema& schema, const QString& productId) const override;
    QString productText(int column, const DbQuery& product) const override;
    QString categoryText(int column, const DbQuery& product, const DbQuery& category) const override;
};
