#include "BrandQuery.h"

#include "StoreSchema.h"
#include "db/DbQuery.h"

#include <QCollator>
#include <QLocale>
#include <algorithm>

std::vector<Brand> loadBrands(DbQuery& query, const StoreSchema& schema)
{
    query.close();
    query.sql.clear();
    query.sql << QStringLiteral("SELECT  ") << QStringLiteral("   M.virtuemart_manufacturer_id as idbrand,")
              << QStringLiteral("   M.mf_name as namebrand ")
              << QStringLiteral("FROM ") + schema.manufacturers() + QStringLiteral(" as M");
    query.open();
    std::vector<Brand> brands;
    for (query.first(); !query.eof(); query.next())
        brands.push_back({query.fieldInteger(0), query.fieldText(1)});
    return brands;
}

void sortBrands(std::vector<Brand>& brands)
{
    // The C locale knows no alphabet; the common root order then places accented letters.
    const QLocale locale =
        QLocale::system().language() == QLocale::C ? QLocale(QLocale::English) : QLocale::system();
    QCollator collator(locale);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(brands.begin(), brands.end(),
                     [&](const Brand& a, const Brand& b) { return collator.compare(a.name, b.name) < 0; });
}
