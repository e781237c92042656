#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <vector>

class DbConnection;
struct StoreSchema;

// The store's products by trade number (product_sku) with their brands, read in one query, so
// that the rows of a supplier's list are matched without a query each.
class TradeNumberIndex
{
public:
    // What a trade number stands for: one product (id), none, or several (sharedBy).
    struct Match
    {
        int id = 0;
        QList<int> sharedBy;

        bool found() const { return id > 0; }
    };

    // Throws AppError (DbError) when the query fails.
    static TradeNumberIndex read(const StoreSchema& schema, DbConnection& connection);

    // The product of a trade number as a list writes it: blanks around it and one leading
    // apostrophe (which the program's own exports put before it, so that a spreadsheet program
    // keeps it as text) do not count. With a brand, only that brand's products count (any
    // letter case).
    Match find(const QString& tradeNumber, const QString& brand = {}) const;

    // A trade number as the index keys it.
    static QString key(const QString& tradeNumber);

private:
    struct Product
    {
        int id;
        QString brand;
    };
    QHash<QString, std::vector<Product>> m_products;
};
