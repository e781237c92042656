#pragma once

#include <QString>
#include <vector>

// One entry of the EXPORT page's brand list as a run reads it at its start.
struct BrandEntry
{
    int id = 0; // the manufacturer id
    QString name;
    bool ticked = false;

    // The ids of the ticked entries, in the list's order.
    static std::vector<int> tickedIds(const std::vector<BrandEntry>& brands)
    {
        std::vector<int> ids;
        for (const BrandEntry& brand : brands)
            if (brand.ticked)
                ids.push_back(brand.id);
        return ids;
    }
};
