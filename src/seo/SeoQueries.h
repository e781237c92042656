#pragma once

#include <QString>
#include <QStringList>

struct StoreSchema;

// The statements of the SEO runs, line by line, and the names their values come back under.
namespace SeoQueries {

// The products of one manufacturer with their stored SEO texts.
QStringList storedProducts(const StoreSchema& schema, int manufacturerId);
// The categories of one product with their stored SEO texts.
QStringList storedCategories(const StoreSchema& schema, const QString& productId);
// The same rows with only what the generated texts are made from.
QStringList productsForGeneration(const StoreSchema& schema, int manufacturerId);
QStringList categoriesForGeneration(const StoreSchema& schema, const QString& productId);

// The column name of an SEO column's store value in the statements above.
QString alias(int column);

} // namespace SeoQueries
