#pragma once

#include "export/BrandEntry.h"
#include "export/CsvSettings.h"
#include "seo/SeoFileLayout.h"

#include <QStringList>
#include <vector>

class DbConnection;
class SeoTexts;
struct StoreSchema;

// The price and SEO exports as they ran while they asked the store one brand at a time: one
// SELECT DISTINCT per brand, and for the SEO categories one per product. The files they write
// are the ones the exports must still write, byte for byte; tests and benchmarks compare with them.
namespace PerBrandExports {

void writePriceFiles(DbConnection& connection, const StoreSchema& schema, const CsvSettings& settings,
                     const std::vector<BrandEntry>& brands, const QStringList& tickedColumns);

// texts: stored or generated, as the run would make them; generated selects fewer columns.
void writeSeoFiles(DbConnection& connection, const StoreSchema& schema, const CsvSettings& settings,
                   const std::vector<BrandEntry>& brands, const SeoColumnTicks& ticks, const SeoTexts& texts,
                   bool generated);

} // namespace PerBrandExports
