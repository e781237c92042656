#include "ChangePreview.h"

#include "StoreSnapshot.h"

#include <QHash>
#include <algorithm>

std::vector<FinalValue> finalValues(const PlannedChanges& planned)
{
    QHash<quint64, std::size_t> last;
    const std::vector<PlannedChanges::Value>& values = planned.values();
    last.reserve(qsizetype(values.size()));
    for (std::size_t i = 0; i < values.size(); ++i)
        last.insert(quint64(quint32(values[i].field)) << 32 | quint32(values[i].id), i);
    std::vector<std::size_t> order;
    order.reserve(std::size_t(last.size()));
    for (const std::size_t i : last)
        order.push_back(i);
    std::sort(order.begin(), order.end());
    std::vector<FinalValue> result;
    result.reserve(order.size());
    for (const std::size_t i : order)
        result.push_back({values[i].field, values[i].id, values[i].statement, &values[i].text});
    return result;
}


ChangePreview ChangePreview::compute(const PlannedChanges& planned, const StoreSnapshot& snapshot)
{
    ChangePreview preview;
    const std::vector<StoreField>& fields = StoreField::all();
    std::vector<Count> counts(fields.size());
    std::vector<bool> set(fields.size(), false);
    for (std::size_t f = 0; f < fields.size(); ++f)
        counts[f].field = int(f);
    for (const FinalValue& v : finalValues(planned)) {
        const StoreField& field = fields[std::size_t(v.field)];
        Count& count = counts[std::size_t(v.field)];
        set[std::size_t(v.field)] = true;
        const auto* rows = snapshot.rows(field.table, v.id);
        if (!rows) {
            ++count.missing;
            continue;
        }
        // A product with several price rows changes when any of them does; the first one that
        // differs stands for it.
        const StoreSnapshot::Row* differing = nullptr;
        for (const StoreSnapshot::Row& row : *rows)
            if (!field.holds(snapshot.value(field.table, row, v.field), *v.text)) {
                differing = &row;
                break;
            }
        if (!differing) {
            ++count.equal;
            continue;
        }
        ++count.changed;
        const std::optional<QString> old = snapshot.value(field.table, *differing, v.field);
        ChangedRow changed{v.field, v.id, old.value_or(QStringLiteral("NULL")), *v.text, std::nullopt};
        if (field.table == StoreTable::Prices && old && old->toDouble() > 0)
            changed.percent = (v.text->toDouble() - old->toDouble()) / old->toDouble() * 100.0;
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
        parts << QStringLiteral("id %1 %2%3 %").arg(row.id).arg(*row.percent > 0 ? QStringLiteral("+") : QString())
                     .arg(*row.percent, 0, 'f', 1);
    return parts.join(QStringLiteral(", "));
}

} // namespace

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
