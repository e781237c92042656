#include "ChangePreview.h"

#include "StoreSnapshot.h"

#include <algorithm>

std::vector<FinalValue> finalValues(const PlannedChanges& planned)
{
    // Sorted by (field, id) and then by position, the last value of each pair ends its run.
    struct Key
    {
        quint64 fieldId;
        std::size_t index;
        bool operator<(const Key& other) const
        {
            return fieldId < other.fieldId || (fieldId == other.fieldId && index < other.index);
        }
    };
    const std::deque<PlannedChanges::Value>& values = planned.values();
    std::vector<Key> keys;
    keys.reserve(values.size());
    for (std::size_t i = 0; i < values.size(); ++i)
        keys.push_back({quint64(quint32(values[i].field)) << 32 | quint32(values[i].id), i});
    std::sort(keys.begin(), keys.end());
    std::vector<bool> last(values.size(), false);
    std::size_t kept = 0;
    for (std::size_t k = 0; k < keys.size(); ++k)
        if (k + 1 == keys.size() || keys[k + 1].fieldId != keys[k].fieldId) {
            last[keys[k].index] = true;
            ++kept;
        }
    std::vector<FinalValue> result;
    result.reserve(kept);
    int statement = -1;
    for (std::size_t i = 0; i < values.size(); ++i) {
        statement += values[i].startsStatement;
        if (last[i])
            result.push_back({int(values[i].field), values[i].id, statement, planned.text(values[i])});
    }
    return result;
}

ChangePreview ChangePreview::compute(const std::vector<FinalValue>& finals, const StoreSnapshot& snapshot)
{
    ChangePreview preview;
    preview.rows.reserve(finals.size());
    const std::vector<StoreField>& fields = StoreField::all();
    std::vector<Count> counts(fields.size());
    std::vector<bool> set(fields.size(), false);
    for (std::size_t f = 0; f < fields.size(); ++f)
        counts[f].field = int(f);
    for (const FinalValue& v : finals) {
        const StoreField& field = fields[std::size_t(v.field)];
        Count& count = counts[std::size_t(v.field)];
        set[std::size_t(v.field)] = true;
        const std::span<const StoreSnapshot::Row> rows = snapshot.rows(field.table, v.id);
        if (rows.empty()) {
            ++count.missing;
            continue;
        }
        // A product with several price rows changes when any of them does; the first one that
        // differs stands for it.
        std::optional<StoredValue> old;
        for (const StoreSnapshot::Row& row : rows) {
            const StoredValue value = snapshot.value(field.table, row, v.field);
            if (!field.holds(value, v.text)) {
                old = value;
                break;
            }
        }
        if (!old) {
            ++count.equal;
            continue;
        }
        ++count.changed;
        ChangedRow changed{v.field, v.id, *old ? QString::fromUtf8(**old) : QStringLiteral("NULL"),
                           v.text.toString(), std::nullopt};
        if (field.table == StoreTable::Prices && *old) {
            const double before = StoreField::number(**old).value_or(0);
            if (before > 0)
                changed.percent =
                    (StoreField::number(QByteArrayView(v.text.data(), v.text.size())).value_or(0) - before) /
                    before * 100.0;
        }
        preview.rows.push_back(std::move(changed));
    }
    for (std::size_t f = 0; f < fields.size(); ++f)
        if (set[f])
            preview.counts.push_back(counts[f]);

    std::vector<const ChangedRow*> priced;
    for (const ChangedRow& row : preview.rows)
        if (row.percent)
            priced.push_back(&row);
    std::sort(priced.begin(), priced.end(), [](const ChangedRow* a, const ChangedRow* b) {
        return *a->percent > *b->percent || (*a->percent == *b->percent && a->id < b->id);
    });
    for (const ChangedRow* row : priced)
        if (*row->percent > 0 && preview.largestRises.size() < LargestShown)
            preview.largestRises.push_back(*row);
    for (auto it = priced.rbegin(); it != priced.rend(); ++it)
        if (*(*it)->percent < 0 && preview.largestFalls.size() < LargestShown)
            preview.largestFalls.push_back(**it);
    return preview;
}

namespace {

QString countText(const ChangePreview::Count& count)
{
    return QStringLiteral("%1: %2 change, %3 stay equal, %4 not in the store")
        .arg(StoreField::all()[std::size_t(count.field)].label)
        .arg(count.changed)
        .arg(count.equal)
        .arg(count.missing);
}

QString percentList(const std::vector<ChangePreview::ChangedRow>& rows)
{
    QStringList parts;
    for (const ChangePreview::ChangedRow& row : rows)
        parts << QStringLiteral("id %1 %2%3 %")
                     .arg(row.id)
                     .arg(*row.percent > 0 ? QStringLiteral("+") : QString())
                     .arg(*row.percent, 0, 'f', 1);
    return parts.join(QStringLiteral(", "));
}

} // namespace

const QStringList& ChangePreview::columnNames()
{
    static const QStringList names = {QStringLiteral("Kind"), QStringLiteral("Id"),
                                      QStringLiteral("Old value"), QStringLiteral("New value"),
                                      QStringLiteral("Change %")};
    return names;
}

QString ChangePreview::countsLine() const
{
    if (counts.empty())
        return QStringLiteral("The script changes nothing in the store.");
    QStringList parts;
    for (const Count& count : counts)
        parts << countText(count);
    return parts.join(QStringLiteral("; ")) + u'.';
}

QStringList ChangePreview::summaryLines() const
{
    QStringList lines;
    for (const Count& count : counts)
        lines << countText(count);
    if (!largestRises.empty())
        lines << QStringLiteral("Largest price rises: ") + percentList(largestRises);
    if (!largestFalls.empty())
        lines << QStringLiteral("Largest price falls: ") + percentList(largestFalls);
    return lines;
}
