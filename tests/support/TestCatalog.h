#pragma once

#include <QString>
#include <optional>

class TestStore;

// A product as the exports read it; a price of nothing means no price row.
struct TestProduct
{
    int id = 0;
    int brand = 0;
    QString name;
    QString sku;
    std::optional<int> stock;
    std::optional<QString> price; // a decimal literal, e.g. "12.5"
    int currency = 47;            // 47 EUR, 144 USD, 131 RUB in the store schema
    bool published = true;
};

// Brands and products in a test store, with the columns the exports read.
namespace TestCatalog {

void addBrand(TestStore& store, int id, const QString& name);
void addProduct(TestStore& store, const TestProduct& product);
// Products id, id + 1, ... of one brand, named "<name> <n>" with price n.
void addProducts(TestStore& store, int brand, int firstId, int count,
                 const QString& name = QStringLiteral("Part"));

} // namespace TestCatalog
