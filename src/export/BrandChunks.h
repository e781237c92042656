#pragma once

#include "BrandEntry.h"

#include <QHash>
#include <vector>

class DbQuery;
struct StoreSchema;

// The exports read the ticked brands a few at a time: consecutive ticked brands of the list,
// together linked to no more than ProductsPerRead products (a larger brand goes alone), so that
// the rows held stay bounded whatever the size of the store while the statements stay few.
class BrandChunks
{
public:
    static constexpr qint64 ProductsPerRead = 50000;

    // Asks the store how many products each ticked brand has, in one statement on query.
    BrandChunks(DbQuery& query, const StoreSchema& schema, const std::vector<BrandEntry>& brands,
                qint64 productsPerRead = ProductsPerRead);
    // From counts already known; for tests.
    BrandChunks(const std::vector<BrandEntry>& brands, const QHash<int, qint64>& products,
                qint64 productsPerRead = ProductsPerRead);

    const std::vector<std::vector<int>>& reads() const { return m_reads; }
    // The read that a brand begins, or null for a brand that belongs to the read before it (or
    // to none): walking the list, a run reads when this gives one.
    const std::vector<int>* readBegunBy(int brandId) const;

private:
    void split(const std::vector<BrandEntry>& brands, const QHash<int, qint64>& products,
               qint64 productsPerRead);

    std::vector<std::vector<int>> m_reads;
};
