#pragma once

#include <QStringList>

// The SEO column list; its index order is the column order in the SEO files.
namespace SeoColumns {

const QStringList& names();

inline constexpr int IdPart = 0;
inline constexpr int Brand = 1;
inline constexpr int TradeNumber = 2;
inline constexpr int NamePart = 3;
inline constexpr int ProductShortDescription = 4;
inline constexpr int ProductMetaDescription = 5;
inline constexpr int ProductMetaKeywords = 6;
inline constexpr int ProductTitle = 7;
inline constexpr int ProductSlug = 8;
inline constexpr int LastProductColumn = ProductSlug;
inline constexpr int IdCategory = 9;
inline constexpr int CategoryName = 10;
inline constexpr int CategoryMetaDescription = 11;
inline constexpr int CategoryMetaKeywords = 12;
inline constexpr int CategoryTitle = 13;
inline constexpr int CategorySlug = 14;
inline constexpr int LastCategoryColumn = CategorySlug;

} // namespace SeoColumns
