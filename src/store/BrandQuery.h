#pragma once

#include <QString>
#include <vector>

class DbQuery;
struct StoreSchema;

struct Brand
{
    int id = 0;
    QString name;
};

// The store's brands in the order the server gives them (the list sorts itself).
std::vector<Brand> loadBrands(DbQuery& query, const StoreSchema& schema);

// Sorts by name in the locale's alphabetical order without regard to letter case;
// brands of equal names keep their order.
void sortBrands(std::vector<Brand>& brands);
