#pragma once

#include <QByteArrayView>
#include <QString>
#include <QUtf8StringView>
#include <deque>
#include <optional>
#include <vector>

// One store value that the update script sets: which table and column, for which id.
enum class StoreTable : quint8
{
    Products,
    Prices,
    ProductTexts,
    CategoryTexts
};

// A value as the store holds it, in UTF-8 as the server sent it; nothing for NULL.
using StoredValue = std::optional<QByteArrayView>;

struct StoreField
{
    StoreTable table;
    QString column;
    QString label; // as the preview names the kind of change
    bool numeric;

    // Every field the update script can set, in a fixed order; a field is known by its index.
    static const std::vector<StoreField>& all();
    // Whether a store value already is what the script would set.
    bool holds(StoredValue stored, QUtf8StringView text) const;
    // A text as a number, as QString::toDouble reads it; nothing when it is none.
    static std::optional<double> number(QByteArrayView utf8);
    static int indexOf(StoreTable table, const QString& column);
};

// The values the update script sets, in the order of its statements. Several values of one
// SEO statement share its statement, for a statement fails or succeeds whole.
// A list sets values by the hundred thousand: their texts share one buffer rather than each
// taking a string of its own.
class PlannedChanges
{
public:
    // Sixteen bytes, for a list sets millions of them.
    struct Value
    {
        int id; // product or category id of the WHERE line
        int textLength;
        quint64 textStart : 48;
        quint64 field : 15;          // index into StoreField::all()
        quint64 startsStatement : 1; // false for the second and further values of a statement
    };

    // A value written as a number: ASCII, the same in UTF-8.
    void add(int field, int id, QByteArrayView number);
    // Several values set by one statement.
    void addStatement(const std::vector<std::pair<int, QString>>& fieldTexts, int id);

    const std::deque<Value>& values() const { return m_values; }
    // The value as the script writes it, unescaped, in UTF-8 as the store holds its texts;
    // valid until the next value is added.
    QUtf8StringView text(const Value& value) const
    {
        return QUtf8StringView(m_texts.constData() + value.textStart, value.textLength);
    }

private:
    // In blocks: a vector of millions would copy itself whole as it grows, holding both copies.
    std::deque<Value> m_values;
    QByteArray m_texts;
};

static_assert(sizeof(PlannedChanges::Value) == 16);
