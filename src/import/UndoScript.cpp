#include "UndoScript.h"

#include "ChangePreview.h"
#include "EscapeSqlText.h"
#include "StoreSnapshot.h"
#include "UpdateScript.h"

#include <QHash>
#include <algorithm>

namespace {

QString literal(const StoreField& field, const std::optional<QString>& value)
{
    if (!value)
        return QStringLiteral("NULL");
    return field.numeric ? *value : u'\'' + escapeSqlText(*value) + u'\'';
}

struct Statement
{
    int order; // the last update statement it undoes
    QStringList lines;
};

} // namespace

int writeUndoScript(const QString& path, const PlannedChanges& planned, const StoreSnapshot& snapshot,
                    const StoreSchema& schema)
{
    const std::vector<StoreField>& fields = StoreField::all();
    std::vector<Statement> statements;
    // The text tables get one statement per row, with every column that changes.
    QHash<quint64, std::size_t> textStatements;
    for (const FinalValue& v : finalValues(planned)) {
        const StoreField& field = fields[std::size_t(v.field)];
        const auto* rows = snapshot.rows(field.table, v.id);
        if (!rows)
            continue;
        const QString table = StoreSnapshot::tableName(field.table, schema);
        for (const StoreSnapshot::Row& row : *rows) {
            const std::optional<QString> old = snapshot.value(field.table, row, v.field);
            if (field.holds(old, *v.text))
                continue;
            switch (field.table) {
            case StoreTable::Products:
                statements.push_back({v.statement,
                                      {QStringLiteral("UPDATE ") + table + QStringLiteral(" as Pmain "),
                                       QStringLiteral("SET Pmain.") + field.column + QStringLiteral(" = ") + literal(field, old),
                                       QStringLiteral("WHERE Pmain.virtuemart_product_id = %1;").arg(v.id)}});
                break;
            case StoreTable::Prices:
                statements.push_back({v.statement,
                                      {QStringLiteral("UPDATE ") + table + QStringLiteral(" as Price "),
                                       QStringLiteral("SET Price.") + field.column + QStringLiteral(" = ") + literal(field, old),
                                       QStringLiteral("WHERE Price.virtuemart_product_price_id = %1;").arg(row.rowId)}});
                break;
            case StoreTable::ProductTexts:
            case StoreTable::CategoryTexts: {
                const QString item = QStringLiteral("Pmain.") + field.column + QStringLiteral(" = ") + literal(field, old);
                const quint64 key = quint64(field.table) << 32 | quint32(v.id);
                const auto it = textStatements.constFind(key);
                if (it == textStatements.cend()) {
                    textStatements.insert(key, statements.size());
                    statements.push_back({v.statement,
                                          {QStringLiteral("UPDATE ") + table + QStringLiteral(" as Pmain SET "), item,
                                           QStringLiteral("WHERE Pmain.") + StoreSnapshot::idColumn(field.table)
                                               + QStringLiteral(" = %1;").arg(v.id)}});
                } else {
                    Statement& s = statements[*it];
                    s.lines[1] += QStringLiteral(", \r\n") + item;
                    s.order = std::max(s.order, v.statement);
                }
                break;
            }
            }
        }
    }
    std::stable_sort(statements.begin(), statements.end(),
                     [](const Statement& a, const Statement& b) { return a.order > b.order; });
    UpdateScript script(path, schema);
    for (const Statement& s : statements)
        script.writeBlock(s.lines);
    script.commit();
    return int(statements.size());
}
