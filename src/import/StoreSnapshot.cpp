#include "StoreSnapshot.h"

#include "db/DbConnection.h"
#include "store/StoreSchema.h"

#include <QSet>
#include <algorithm>

QString StoreSnapshot::tableName(StoreTable table, const StoreSchema& schema)
{
    switch (table) {
    case StoreTable::Products:
        return schema.products();
    case StoreTable::Prices:
        return schema.productPrices();
    case StoreTable::ProductTexts:
        return schema.productTexts();
    case StoreTable::CategoryTexts:
        return schema.categoryTexts();
    }
    return {};
}

QString StoreSnapshot::idColumn(StoreTable table)
{
    return table == StoreTable::CategoryTexts ? QStringLiteral("virtuemart_category_id")
                                              : QStringLiteral("virtuemart_product_id");
}

QString StoreSnapshot::rowIdColumn(StoreTable table)
{
    return table == StoreTable::Prices ? QStringLiteral("virtuemart_product_price_id") : idColumn(table);
}

StoreSnapshot StoreSnapshot::read(const PlannedChanges& planned, const StoreSchema& schema, DbConnection& connection)
{
    StoreSnapshot snapshot;
    const std::vector<StoreField>& fields = StoreField::all();
    std::array<QSet<int>, 4> ids;
    std::vector<bool> used(fields.size(), false);
    for (const PlannedChanges::Value& v : planned.values()) {
        ids[std::size_t(fields[std::size_t(v.field)].table)].insert(v.id);
        used[std::size_t(v.field)] = true;
    }
    for (std::size_t f = 0; f < fields.size(); ++f)
        if (used[f])
            snapshot.table(fields[f].table).fields.push_back(int(f));

    for (std::size_t t = 0; t < ids.size(); ++t) {
        const auto tableKind = StoreTable(t);
        TableValues& values = snapshot.table(tableKind);
        if (ids[t].isEmpty())
            continue;
        std::vector<int> sorted(ids[t].begin(), ids[t].end());
        std::sort(sorted.begin(), sorted.end());
        QStringList columns = {idColumn(tableKind), rowIdColumn(tableKind)};
        for (const int f : values.fields)
            columns << fields[std::size_t(f)].column;
        const QString head = QStringLiteral("SELECT ") + columns.join(QStringLiteral(", ")) + QStringLiteral(" FROM ")
                             + tableName(tableKind, schema) + QStringLiteral(" WHERE ") + idColumn(tableKind)
                             + QStringLiteral(" IN (");
        // Price rows come in their own order, so that the undo script's statements do too.
        const QString tail = QStringLiteral(") ORDER BY ") + rowIdColumn(tableKind);
        for (std::size_t start = 0; start < sorted.size(); start += IdsPerQuery) {
            QString sql = head;
            const std::size_t end = std::min(sorted.size(), start + IdsPerQuery);
            for (std::size_t i = start; i < end; ++i) {
                if (i > start)
                    sql += u',';
                sql += QString::number(sorted[i]);
            }
            sql += tail;
            MysqlResult result = connection.query(sql);
            ++snapshot.m_queries;
            for (bool more = result.first(); more; more = result.next()) {
                Row row{result.rawText(1).toLongLong(), {}};
                row.values.reserve(values.fields.size());
                for (std::size_t c = 0; c < values.fields.size(); ++c)
                    row.values.push_back(result.isNull(int(c) + 2) ? std::nullopt
                                                                   : std::optional<QString>(result.rawText(int(c) + 2)));
                values.rows[result.rawText(0).toInt()].push_back(std::move(row));
            }
        }
    }
    return snapshot;
}

const std::vector<StoreSnapshot::Row>* StoreSnapshot::rows(StoreTable t, int id) const
{
    const auto it = table(t).rows.constFind(id);
    return it == table(t).rows.cend() ? nullptr : &*it;
}

std::optional<QString> StoreSnapshot::value(StoreTable t, const Row& row, int field) const
{
    const std::vector<int>& fields = table(t).fields;
    const auto it = std::find(fields.begin(), fields.end(), field);
    return it == fields.end() ? std::nullopt : row.values[std::size_t(it - fields.begin())];
}
