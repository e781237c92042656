#pragma once

#include "PlannedChanges.h"

#include <QString>
#include <QStringList>
#include <vector>

class DbConnection;
class StoreSnapshot;
struct StoreSchema;

// The store's slug columns are unique: a statement that sets a slug another product (or
// category) of the same language table holds fails as a whole. The slugs of the update script
// are checked, in the order of its statements, against each other and against the store.
struct SlugCheck
{
    struct Collision
    {
        StoreTable table;
        int id;
        QString slug;
        int holderId;
    };

    // A query holds as many slugs as fit in this many characters: a store without an index on
    // its slugs reads the whole table for each query, and old servers take packets of 1 MB.
    static constexpr int SlugTextPerQuery = 200 * 1000;

    std::vector<Collision> collisions; // one per statement that will fail
    int queries = 0;

    // Throws AppError (DbError) when a query fails.
    static SlugCheck run(const PlannedChanges& planned, const StoreSnapshot& snapshot,
                         const StoreSchema& schema, DbConnection& connection);

    int failingStatements() const { return int(collisions.size()); }
    // "Slug collision: product 58, slug 'pad-57', held by product 57", one line each.
    QStringList lines() const;
    static QString line(const Collision& collision);
};
