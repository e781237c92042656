#include "ExportChoices.h"

#include "CommandFailures.h"
#include "Console.h"
#include "db/DbQuery.h"
#include "settings/PageSettings.h"
#include "settings/SettingsFile.h"
#include "store/BrandQuery.h"

#include <algorithm>

namespace {

bool isAll(const QStringList& given)
{
    return given.size() == 1 && given.first().compare(QStringLiteral("all"), Qt::CaseInsensitive) == 0;
}

} // namespace

PageSettings ExportChoices::storedPageSettings()
{
    return PageSettings::load(SettingsFile::open());
}

CsvSettings::Texts ExportChoices::csvTexts(const PageSettings& page, const QString& folder)
{
    return {folder, page.maxRowInCsv, page.listSeparatorText(), page.decimalSeparatorText()};
}

QList<bool> ExportChoices::ticks(const QString& kind, const QStringList& names, const QStringList& given,
                                 QList<bool> defaults, const QList<int>& identifiers)
{
    QList<bool> result = given.isEmpty() ? std::move(defaults) : QList<bool>(names.size(), isAll(given));
    if (!given.isEmpty() && !isAll(given)) {
        for (const QString& column : given) {
            const auto found = std::find_if(names.begin(), names.end(), [&](const QString& name) {
                return name.compare(column, Qt::CaseInsensitive) == 0;
            });
            if (found == names.end())
                throw UsageError(
                    QStringLiteral("Unknown %1: %2 (%1s: %3)").arg(kind, column, names.join(u',')));
            result[found - names.begin()] = true;
        }
    }
    for (int identifier : identifiers)
        result[identifier] = true;
    return result;
}

std::vector<BrandEntry> ExportChoices::chosenBrands(DbQuery& query, const StoreSchema& schema,
                                                    const QStringList& listed, const QStringList& named)
{
    std::vector<Brand> brands = loadBrands(query, schema);
    query.close();
    sortBrands(brands);
    const bool all = isAll(listed) || (listed.isEmpty() && named.isEmpty());
    const QStringList given = isAll(listed) ? named : listed + named;
    for (const QString& name : given) {
        const auto holders = std::count_if(brands.begin(), brands.end(), [&](const Brand& brand) {
            return brand.name.compare(name, Qt::CaseInsensitive) == 0;
        });
        if (holders == 0)
            throw UsageError(QStringLiteral("Unknown brand: ") + name);
        if (holders > 1)
            Console::progress(
                QStringLiteral("The brand name [%1] stands for %2 brands: all of them are exported")
                    .arg(name)
                    .arg(holders));
    }
    std::vector<BrandEntry> entries;
    for (const Brand& brand : brands)
        if (all || given.contains(brand.name, Qt::CaseInsensitive))
            entries.push_back({brand.id, brand.name, true});
    return entries;
}
