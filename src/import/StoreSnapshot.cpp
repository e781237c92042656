#include "StoreSnapshot.h"

#include "db/DbConnection.h"
#include "store/StoreSchema.h"

#include <QStringList>
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

namespace {

// The condition that picks the ids: runs of consecutive ids as ranges, which the server reads
// far faster than long lists, and the ids between them in one list.
QString idCondition(const QString& column, std::span<const int> ids)
{
    QStringList parts;
    QString single;
    for (std::size_t i = 0; i < ids.size();) {
        std::size_t end = i + 1;
        while (end < ids.size() && ids[end] == ids[end - 1] + 1)
            ++end;
        if (end - i >= 3) {
            parts << column + QStringLiteral(" BETWEEN ") + QString::number(ids[i]) +
                         QStringLiteral(" AND ") + QString::number(ids[end - 1]);
        } else {
            for (std::size_t k = i; k < end; ++k) {
                if (!single.isEmpty())
                    single += u',';
                single += QString::number(ids[k]);
            }
        }
        i = end;
    }
    if (!single.isEmpty())
        parts << column + QStringLiteral(" IN (") + single + u')';
    return parts.join(QStringLiteral(" OR "));
}

} // namespace

StoreSnapshot StoreSnapshot::read(const PlannedChanges& planned, const StoreSchema& schema,
                                  DbConnection& connection)
{
    StoreSnapshot snapshot;
    const std::vector<StoreField>& fields = StoreField::all();
    std::array<std::vector<int>, 4> ids;
    std::vector<bool> used(fields.size(), false);
    for (const PlannedChanges::Value& v : planned.values()) {
        ids[std::size_t(fields[std::size_t(v.field)].table)].push_back(v.id);
        used[std::size_t(v.field)] = true;
    }
    for (std::size_t f = 0; f < fields.size(); ++f)
        if (used[f])
            snapshot.table(fields[f].table).fields.push_back(int(f));
    for (std::size_t t = 0; t < ids.size(); ++t)
        if (!ids[t].empty())
            snapshot.readTable(StoreTable(t), std::move(ids[t]), schema, connection);
    return snapshot;
}

void StoreSnapshot::readTable(StoreTable kind, std::vector<int> ids, const StoreSchema& schema,
                              DbConnection& connection)
{
    std::sort(ids.begin(), ids.end());
    ids.erase(std::unique(ids.begin(), ids.end()), ids.end());
    TableValues& values = table(kind);
    const std::vector<StoreField>& fields = StoreField::all();
    QStringList columns = {idColumn(kind), rowIdColumn(kind)};
    for (const int f : values.fields)
        columns << fields[std::size_t(f)].column;
    const QString head = QStringLiteral("SELECT ") + columns.join(QStringLiteral(", ")) +
                         QStringLiteral(" FROM ") + tableName(kind, schema) + QStringLiteral(" WHERE ");
    // Price rows come in their own order, so that the undo script's statements do too.
    const QString tail = QStringLiteral(" ORDER BY ") + rowIdColumn(kind);
    const std::size_t width = values.fields.size();
    values.rows.reserve(ids.size());
    values.places.reserve(ids.size() * width);
    for (std::size_t start = 0; start < ids.size(); start += IdsPerQuery) {
        const std::span<const int> chunk(ids.data() + start,
                                         std::min<std::size_t>(IdsPerQuery, ids.size() - start));
        MysqlResult result = connection.query(head + idCondition(idColumn(kind), chunk) + tail);
        ++m_queries;
        for (bool more = result.first(); more; more = result.next()) {
            const int id = result.integer(0);
            // Only price rows have an id of their own.
            const qint64 rowId = kind == StoreTable::Prices ? result.rawBytes(1).toLongLong() : id;
            values.rows.push_back({id, rowId, values.places.size()});
            for (std::size_t c = 0; c < width; ++c) {
                const int field = int(c) + 2;
                const QByteArrayView bytes = result.rawBytes(field);
                values.places.push_back({values.bytes.size(), result.isNull(field) ? -1 : bytes.size()});
                values.bytes.append(bytes);
            }
        }
    }
    std::stable_sort(values.rows.begin(), values.rows.end(),
                     [](const Row& a, const Row& b) { return a.id < b.id; });
}

std::span<const StoreSnapshot::Row> StoreSnapshot::rows(StoreTable t, int id) const
{
    const std::vector<Row>& rows = table(t).rows;
    const auto [first, last] = std::equal_range(rows.begin(), rows.end(), Row{id, 0, 0},
                                                [](const Row& a, const Row& b) { return a.id < b.id; });
    return {first, last};
}

StoredValue StoreSnapshot::value(StoreTable t, const Row& row, int field) const
{
    const TableValues& values = table(t);
    const auto it = std::find(values.fields.begin(), values.fields.end(), field);
    if (it == values.fields.end())
        return std::nullopt;
    const Place place = values.places[row.firstValue + std::size_t(it - values.fields.begin())];
    if (place.length < 0)
        return std::nullopt;
    return QByteArrayView(values.bytes.constData() + place.start, place.length);
}
