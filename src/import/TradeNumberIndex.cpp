#include "TradeNumberIndex.h"

#include "db/DbConnection.h"
#include "store/StoreSchema.h"

#include <algorithm>

TradeNumberIndex TradeNumberIndex::read(const StoreSchema& schema, DbConnection& connection)
{
    // Two plain reads joined here: the link table of a store may have no key on its product
    // ids, and a join on them would read it once for every product.
    QHash<int, QStringList> brands;
    MysqlResult links = connection.query(
        QStringLiteral("SELECT PM.virtuemart_product_id, M.mf_name FROM %1 as PM JOIN %2 as M "
                       "ON M.virtuemart_manufacturer_id = PM.virtuemart_manufacturer_id")
            .arg(schema.productManufacturers(), schema.manufacturers()));
    for (bool row = links.first(); row; row = links.next())
        brands[links.integer(0)] << links.rawText(1).trimmed();
    TradeNumberIndex index;
    MysqlResult products =
        connection.query(QStringLiteral("SELECT virtuemart_product_id, product_sku FROM %1 "
                                        "WHERE product_sku IS NOT NULL AND product_sku <> ''")
                             .arg(schema.products()));
    for (bool row = products.first(); row; row = products.next()) {
        const QString sku = key(products.rawText(1));
        if (sku.isEmpty())
            continue;
        const int id = products.integer(0);
        std::vector<Product>& holders = index.m_products[sku];
        // A product listed under several brands is found under each of them.
        const QStringList productBrands = brands.value(id, QStringList{QString()});
        for (const QString& brand : productBrands)
            holders.push_back({id, brand});
    }
    return index;
}

QString TradeNumberIndex::key(const QString& tradeNumber)
{
    const QString trimmed = tradeNumber.trimmed();
    return trimmed.startsWith(u'\'') ? trimmed.mid(1).trimmed() : trimmed;
}

TradeNumberIndex::Match TradeNumberIndex::find(const QString& tradeNumber, const QString& brand) const
{
    Match match;
    const auto found = m_products.constFind(key(tradeNumber));
    if (found == m_products.cend())
        return match;
    const QString wantedBrand = brand.trimmed();
    QList<int> ids;
    for (const Product& product : *found)
        if ((wantedBrand.isEmpty() || product.brand.compare(wantedBrand, Qt::CaseInsensitive) == 0) &&
            !ids.contains(product.id))
            ids << product.id;
    std::sort(ids.begin(), ids.end());
    if (ids.size() == 1)
        match.id = ids.first();
    else if (ids.size() > 1)
        match.sharedBy = ids;
    return match;
}
