#pragma once

#include "export/BrandEntry.h"
#include "export/CsvSettings.h"

#include <QList>
#include <QStringList>
#include <vector>

class DbQuery;
struct PageSettings;
struct StoreSchema;

// What the export commands take from their options and from the EXPORT page's stored settings.
namespace ExportChoices {

// The EXPORT page's settings as the window last saved them.
PageSettings storedPageSettings();

// The page's CSV settings (separators, row limit) with the folder given on the command line.
CsvSettings::Texts csvTexts(const PageSettings& page, const QString& folder);

// Ticks over names: the given names (any letter case, or "all"), or the defaults when none is
// given; the identifiers are always ticked. UsageError names an entry not in names, as a
// "column" or whatever kind says.
QList<bool> ticks(const QString& kind, const QStringList& names, const QStringList& given,
                  QList<bool> defaults, const QList<int>& identifiers = {});

// The store's brands in the brand list's order, every one ticked: all of them for "all" or
// nothing given, else those named (any letter case) in the comma list `listed` or one by one
// in `named`, whose names may hold commas. UsageError names a brand the store lacks; a name that
// several brands share takes them all, and standard error says so.
std::vector<BrandEntry> chosenBrands(DbQuery& query, const StoreSchema& schema, const QStringList& listed,
                                     const QStringList& named);

// The options that name brands: --brands A,B and --brand NAME (once per brand).
inline const QString BrandList = QStringLiteral("brands");
inline const QString BrandName = QStringLiteral("brand");

} // namespace ExportChoices
