#pragma once

#include "SeoTexts.h"

// The SEO texts as the store holds them.
class SeoStoredTexts : public SeoTexts
{
public:
    QStringList productQuery(const StoreSchema& schema,
                             const std::vector<int>& manufacturerIds) const override;
    QStringList categoryQuery(const StoreSchema& schema,
                              const std::vector<int>& manufacturerIds) const override;
    QByteArrayView productText(int column, const DbQuery& product, QByteArray& scratch) const override;
    QByteArrayView categoryText(int column, const DbQuery& product, const DbQuery& category,
                                QByteArray& scratch) const override;
};
