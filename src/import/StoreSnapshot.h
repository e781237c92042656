#pragma once

#include "PlannedChanges.h"

#include <QString>
#include <array>
#include <optional>
#include <span>
#include <vector>

class DbConnection;
struct StoreSchema;

// The store's values of every field that the update script sets, as they are before it runs:
// read-only, a few queries by ranges and lists of ids per table, never one per row.
class StoreSnapshot
{
public:
    // A row of a table: a product, a category, or one price row of a product.
    struct Row
    {
        int id;                 // the product or category id of the WHERE lines
        qint64 rowId;           // the price row's own id; the product or category id elsewhere
        std::size_t firstValue; // its values, one per field the table reads, start here
    };

    static constexpr int IdsPerQuery = 5000;

    // Throws AppError (DbError) when a query fails.
    static StoreSnapshot read(const PlannedChanges& planned, const StoreSchema& schema,
                              DbConnection& connection);

    // The rows that the statements for id would change, in the order of their own ids; none
    // when the id is not in the store.
    std::span<const Row> rows(StoreTable table, int id) const;
    // Texts as the server gives them; valid while the snapshot lives.
    StoredValue value(StoreTable table, const Row& row, int field) const;
    int queryCount() const { return m_queries; }

    // The table's name and the columns that hold the id of the WHERE lines and the row's own id.
    static QString tableName(StoreTable table, const StoreSchema& schema);
    static QString idColumn(StoreTable table);
    static QString rowIdColumn(StoreTable table);

private:
    // Where a value's bytes lie in the table's buffer; a negative length for NULL.
    struct Place
    {
        qsizetype start;
        qsizetype length;
    };
    // The rows sorted by id and, within an id, by row id; their values side by side in one
    // array, their bytes one after another in one buffer, so that a hundred thousand rows cost
    // a few allocations.
    struct TableValues
    {
        std::vector<int> fields; // field index for each value of a row
        std::vector<Row> rows;
        std::vector<Place> places;
        QByteArray bytes;
    };

    TableValues& table(StoreTable t) { return m_tables[std::size_t(t)]; }
    const TableValues& table(StoreTable t) const { return m_tables[std::size_t(t)]; }
    void readTable(StoreTable kind, std::vector<int> ids, const StoreSchema& schema,
                   DbConnection& connection);

    std::array<TableValues, 4> m_tables;
    int m_queries = 0;
};
