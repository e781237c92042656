#include "UndoScript.h"

#include "ChangePreview.h"
#include "EscapeSqlText.h"
#include "StoreSnapshot.h"
#include "UpdateScript.h"

#include <QHash>
#include <algorithm>
#include <array>
#include <charconv>
#include <string>

namespace {

// One statement of the undo script: a value of a product or price row, or the changed texts
// of a product or category row, put together in `items`.
struct Statement
{
    int order; // the last update statement it undoes
    StoreTable table;
    int field;
    qint64 rowId; // the WHERE line's id
    StoredValue old;
    int items = -1; // index into the text statements' SET lists
};

void appendText(std::string& out, const QString& text)
{
    // Store numbers and most texts are plain ASCII, copied as they are; the rest goes through UTF-8.
    for (const QChar c : text)
        if (c.unicode() >= 0x80) {
            out += text.toUtf8().toStdString();
            return;
        }
    for (const QChar c : text)
        out += char(c.unicode());
}

void appendNumber(std::string& out, qint64 n)
{
    char digits[24];
    out.append(digits, std::to_chars(digits, digits + sizeof digits, n).ptr);
}

void appendLiteral(std::string& out, const StoreField& field, StoredValue value)
{
    if (!value) {
        out += "NULL";
    } else if (field.numeric) {
        out.append(value->data(), std::size_t(value->size()));
    } else {
        out += '\'';
        appendText(out, escapeSqlText(QString::fromUtf8(*value)));
        out += '\'';
    }
}

void appendStatement(std::string& out, const Statement& s, const std::vector<std::string>& items,
                     const std::array<std::string, 4>& tables)
{
    const StoreField& field = StoreField::all()[std::size_t(s.field)];
    const std::string& table = tables[std::size_t(s.table)];
    switch (s.table) {
    case StoreTable::Products:
        out.append("UPDATE ").append(table).append(" as Pmain \r\nSET Pmain.");
        appendText(out, field.column);
        out += " = ";
        appendLiteral(out, field, s.old);
        out += "\r\nWHERE Pmain.virtuemart_product_id = ";
        break;
    case StoreTable::Prices:
        out.append("UPDATE ").append(table).append(" as Price \r\nSET Price.");
        appendText(out, field.column);
        out += " = ";
        appendLiteral(out, field, s.old);
        out += "\r\nWHERE Price.virtuemart_product_price_id = ";
        break;
    case StoreTable::ProductTexts:
    case StoreTable::CategoryTexts:
        out.append("UPDATE ").append(table).append(" as Pmain SET \r\n").append(items[std::size_t(s.items)]);
        out += "\r\nWHERE Pmain.";
        appendText(out, StoreSnapshot::idColumn(s.table));
        out += " = ";
        break;
    }
    appendNumber(out, s.rowId);
    out += ";\r\n  \r\n";
}

// The undo script is written in parts of this size, from one reused buffer.
constexpr std::size_t WrittenPerPart = 1 << 20;

} // namespace

int writeUndoScript(const QString& path, const std::vector<FinalValue>& finals, const StoreSnapshot& snapshot,
                    const StoreSchema& schema)
{
    const std::vector<StoreField>& fields = StoreField::all();
    std::vector<Statement> statements;
    statements.reserve(finals.size());
    // The text tables get one statement per row, with every column that changes.
    std::vector<std::string> items;
    QHash<quint64, std::size_t> textStatements;
    for (const FinalValue& v : finals) {
        const StoreField& field = fields[std::size_t(v.field)];
        for (const StoreSnapshot::Row& row : snapshot.rows(field.table, v.id)) {
            const StoredValue old = snapshot.value(field.table, row, v.field);
            if (field.holds(old, v.text))
                continue;
            if (field.table == StoreTable::Products || field.table == StoreTable::Prices) {
                statements.push_back({v.statement, field.table, v.field, row.rowId, old});
                continue;
            }
            std::string item = "Pmain.";
            appendText(item, field.column);
            item += " = ";
            appendLiteral(item, field, old);
            const quint64 key = quint64(field.table) << 32 | quint32(v.id);
            const auto it = textStatements.constFind(key);
            if (it == textStatements.cend()) {
                textStatements.insert(key, statements.size());
                statements.push_back({v.statement, field.table, v.field, v.id, old, int(items.size())});
                items.push_back(std::move(item));
            } else {
                Statement& s = statements[*it];
                items[std::size_t(s.items)] += ", \r\n" + item;
                s.order = std::max(s.order, v.statement);
            }
        }
    }
    std::stable_sort(statements.begin(), statements.end(),
                     [](const Statement& a, const Statement& b) { return a.order > b.order; });

    std::array<std::string, 4> tables;
    for (std::size_t t = 0; t < tables.size(); ++t)
        tables[t] = StoreSnapshot::tableName(StoreTable(t), schema).toStdString();
    UpdateScript script(path, schema);
    std::string out;
    out.reserve(WrittenPerPart + 4096);
    for (const Statement& s : statements) {
        appendStatement(out, s, items, tables);
        if (out.size() >= WrittenPerPart) {
            script.writeBlocks(QByteArrayView(out.data(), qsizetype(out.size())));
            out.clear();
        }
    }
    script.writeBlocks(QByteArrayView(out.data(), qsizetype(out.size())));
    script.commit();
    return int(statements.size());
}
