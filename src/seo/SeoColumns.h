#pragma once

#include <QStringList>

// The SEO column list; its index order is the column order in the SEO files.
namespace SeoColumns {

const QStringList& names();

inline constexpr int IdPart = 0;
inline constexpr int LastProductColumn = 8;
inline constexpr int IdCategory = 9;
inline constexpr int LastCategoryColumn = 14;

} // namespace SeoColumns
