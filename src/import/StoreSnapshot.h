#pragma once

#include "PlannedChanges.h"

#include <QHash>
#include <QString>
#include <array>
#include <optional>
#include <vector>

class DbConnection;
struct StoreSchema;

// The store's values of every field that the update script sets, as they are before it runs:
// read-only, a few queries by lists of ids per table, never one per row.
class StoreSnapshot
{
public:
    // A row of a table: a product, a category, or one price row of a product.
    struct Row
    {
        qint64 rowId; // the price row's own id; the product or category id elsewhere
        std::vector<std::optional<QString>> values; // nothing for NULL, texts as the server gives them
    };

    static constexpr int IdsPerQuery = 5000;

    // Throws AppError (DbError) when a query fails.
    static StoreSnapshot read(const PlannedChanges& planned, const StoreSchema& schema, DbConnection& connection);

    // The rows that the statements for id would change; nothing when the id is not in the store.
    const std::vector<Row>* rows(StoreTable table, int id) const;
    std::optional<QString> value(StoreTable table, const Row& row, int field) const;
    int queryCount() const { return m_queries; }

    // The table's name and the columns that hold the id of the WHERE lines and the row's own id.
    static QString tableName(StoreTable table, const StoreSchema& schema);
    static QString idColumn(StoreTable table);
    static QString rowIdColumn(StoreTable table);

private:
    struct TableValues
    {
        std::vector<int> fields; // field index for each position of Row::values
        QHash<int, std::vector<Row>> rows;
    };

    TableValues& table(StoreTable t) { return m_tables[std::size_t(t)]; }
    const TableValues& table(StoreTable t) const { return m_tables[std::size_t(t)]; }

    std::array<TableValues, 4> m_tables;
    int m_queries = 0;
};
