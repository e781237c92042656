#pragma once

#include <QString>
#include <QStringList>
#include <vector>

struct StoreSchema;

// The statements of the SEO runs, line by line, and the names their values come back under.
// Each statement reads all the manufacturers named at once; the run groups the product rows by
// BrandIdColumn and the category rows by ProductIdColumn.
namespace SeoQueries {

inline const QString BrandIdColumn = QStringLiteral("IDBRAND");
inline const QString ProductIdColumn = QStringLiteral("IDOWNER");

// The products of the manufacturers with their stored SEO texts.
QStringList storedProducts(const StoreSchema& schema, const std::vector<int>& manufacturerIds);
// The categories of those products with their stored SEO texts.
QStringList storedCategories(const StoreSchema& schema, const std::vector<int>& manufacturerIds);
// The same rows with only what the generated texts are made from.
QStringList productsForGeneration(const StoreSchema& schema, const std::vector<int>& manufacturerIds);
QStringList categoriesForGeneration(const StoreSchema& schema, const std::vector<int>& manufacturerIds);

// The column name of an SEO column's store value in the statements above.
QString alias(int column);

} // namespace SeoQueries
