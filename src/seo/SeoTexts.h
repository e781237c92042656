#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

class DbQuery;
struct StoreSchema;

// Where the cell texts of an SEO run come from: the texts the store holds, or texts made up
// from the product and category rows.
class SeoTexts
{
public:
    virtual ~SeoTexts() = default;

    virtual QStringList productQuery(const StoreSchema& schema,
                                     const std::vector<int>& manufacturerIds) const = 0;
    virtual QStringList categoryQuery(const StoreSchema& schema,
                                      const std::vector<int>& manufacturerIds) const = 0;
    // A product column's text in UTF-8 for the row the product query stands on: a view of the
    // row or of scratch, valid until either changes.
    virtual QByteArrayView productText(int column, const DbQuery& product, QByteArray& scratch) const = 0;
    // A category column's text in the same way; the product query stands on the category's product.
    virtual QByteArrayView categoryText(int column, const DbQuery& product, const DbQuery& category,
                                        QByteArray& scratch) const = 0;
};
