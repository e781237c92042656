#include "BrandChunks.h"

#include "db/DbQuery.h"
#include "db/SqlIdList.h"
#include "store/StoreSchema.h"

BrandChunks::BrandChunks(DbQuery& query, const StoreSchema& schema, const std::vector<BrandEntry>& brands,
                         qint64 productsPerRead)
{
    const std::vector<int> ids = BrandEntry::tickedIds(brands);
    QHash<int, qint64> products;
    if (!ids.empty()) {
        query.sql = QStringList{
            QStringLiteral("SELECT M1.virtuemart_manufacturer_id, COUNT(*) "),
            QStringLiteral("FROM ") + schema.productManufacturers() + QStringLiteral(" as M1"),
            QStringLiteral("WHERE M1.virtuemart_manufacturer_id IN (") + sqlIdList(ids) + u')',
            QStringLiteral("GROUP BY M1.virtuemart_manufacturer_id"),
        };
        for (query.open(); !query.eof(); query.next())
            products.insert(query.fieldInteger(0), query.fieldText(1).toLongLong());
        query.close();
    }
    split(brands, products, productsPerRead);
}

BrandChunks::BrandChunks(const std::vector<BrandEntry>& brands, const QHash<int, qint64>& products,
                         qint64 productsPerRead)
{
    split(brands, products, productsPerRead);
}

void BrandChunks::split(const std::vector<BrandEntry>& brands, const QHash<int, qint64>& products,
                        qint64 productsPerRead)
{
    qint64 held = 0;
    for (const int id : BrandEntry::tickedIds(brands)) {
        const qint64 count = products.value(id);
        if (m_reads.empty() || (held > 0 && held + count > productsPerRead)) {
            m_reads.emplace_back();
            held = 0;
        }
        m_reads.back().push_back(id);
        held += count;
    }
}

const std::vector<int>* BrandChunks::readBegunBy(int brandId) const
{
    for (const std::vector<int>& read : m_reads)
        if (read.front() == brandId)
            return &read;
    return nullptr;
}
