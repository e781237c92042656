#include "SlugCheck.h"

#include "EscapeSqlText.h"
#include "StoreSnapshot.h"
#include "db/DbConnection.h"

#include <QHash>
#include <QSet>

namespace {

// Slugs compare as the store's case-insensitive collation does, trailing blanks ignored.
QString slugKey(const QString& slug)
{
    qsizetype end = slug.size();
    while (end > 0 && slug[end - 1] == u' ')
        --end;
    return slug.left(end).toCaseFolded();
}

// Who holds each of the slugs in the store now.
QHash<QString, int> storeHolders(const QSet<QString>& slugs, StoreTable table, const StoreSchema& schema,
                                 DbConnection& connection, int& queries)
{
    QHash<QString, int> holders;
    const QString head = QStringLiteral("SELECT %1, slug FROM %2 WHERE slug IN (")
                             .arg(StoreSnapshot::idColumn(table), StoreSnapshot::tableName(table, schema));
    QString sql;
    const auto send = [&] {
        MysqlResult result = connection.query(sql + u')');
        ++queries;
        for (bool more = result.first(); more; more = result.next())
            holders.insert(slugKey(result.rawText(1)), result.rawText(0).toInt());
        sql.clear();
    };
    for (const QString& slug : slugs) {
        if (sql.isEmpty())
            sql = head;
        else
            sql += u',';
        sql += u'\'' + escapeSqlText(slug) + u'\'';
        if (sql.size() >= SlugCheck::SlugTextPerQuery)
            send();
    }
    if (!sql.isEmpty())
        send();
    return holders;
}

} // namespace

SlugCheck SlugCheck::run(const PlannedChanges& planned, const StoreSnapshot& snapshot,
                         const StoreSchema& schema, DbConnection& connection)
{
    SlugCheck check;
    for (const StoreTable table : {StoreTable::ProductTexts, StoreTable::CategoryTexts}) {
        const int slugField = StoreField::indexOf(table, QStringLiteral("slug"));
        QSet<QString> slugs;
        for (const PlannedChanges::Value& v : planned.values())
            if (v.field == slugField)
                slugs.insert(planned.text(v).toString());
        if (slugs.isEmpty())
            continue;
        QHash<QString, int> holders = storeHolders(slugs, table, schema, connection, check.queries);
        QHash<int, QString> current; // the slug key each id holds once the statements so far ran
        for (const PlannedChanges::Value& v : planned.values()) {
            if (v.field != slugField)
                continue;
            const std::span<const StoreSnapshot::Row> rows = snapshot.rows(table, v.id);
            if (rows.empty())
                continue; // the statement changes nothing
            const QString slug = planned.text(v).toString();
            const QString key = slugKey(slug);
            const int holder = holders.value(key, v.id);
            if (holder != v.id) {
                check.collisions.push_back({table, v.id, slug, holder});
                continue;
            }
            if (!current.contains(v.id))
                if (const StoredValue old = snapshot.value(table, rows.front(), slugField))
                    current.insert(v.id, slugKey(QString::fromUtf8(*old)));
            if (const auto old = current.constFind(v.id);
                old != current.cend() && holders.value(*old) == v.id)
                holders.remove(*old);
            holders.insert(key, v.id);
            current.insert(v.id, key);
        }
    }
    return check;
}

QString SlugCheck::line(const Collision& c)
{
    const QString kind =
        c.table == StoreTable::CategoryTexts ? QStringLiteral("category") : QStringLiteral("product");
    return QStringLiteral("Slug collision: %1 %2, slug '%3', held by %1 %4")
        .arg(kind, QString::number(c.id), c.slug, QString::number(c.holderId));
}

QStringList SlugCheck::lines() const
{
    QStringList result;
    for (const Collision& c : collisions)
        result << line(c);
    return result;
}
