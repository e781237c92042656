#include "PriceGuard.h"

#include <algorithm>
#include <cmath>

namespace {

const int priceField = StoreField::indexOf(StoreTable::Prices, QStringLiteral("product_price"));

QString criterion(const ImportRules& rules)
{
    QStringList parts;
    if (rules.warnAbovePercent > 0)
        parts << QStringLiteral("change by more than %1 %").arg(rules.warnAbovePercent);
    if (rules.warnWhenPriceBecomesZero)
        parts << QStringLiteral("become 0");
    return parts.join(QStringLiteral(" or "));
}

bool becomesZero(const ChangePreview::ChangedRow& row)
{
    const auto before = StoreField::number(row.oldValue.toUtf8());
    const auto after = StoreField::number(row.newValue.toUtf8());
    return after && *after == 0 && before && *before > 0;
}

QString describe(const ChangePreview::ChangedRow& row)
{
    QString text = QStringLiteral("id %1 %2 -> %3").arg(row.id).arg(row.oldValue, row.newValue);
    if (row.percent) {
        const double shown = ChangePreview::shownPercent(*row.percent);
        text += QStringLiteral(" (%1%2 %)").arg(shown > 0 ? QStringLiteral("+") : QString()).arg(shown);
    }
    return text;
}

} // namespace

PriceGuard PriceGuard::check(ChangePreview& preview, const ImportRules& rules)
{
    PriceGuard guard;
    guard.m_criterion = criterion(rules);
    for (ChangePreview::ChangedRow& row : preview.rows) {
        if (row.field != priceField)
            continue;
        const bool beyond =
            rules.warnAbovePercent > 0 && row.percent && std::fabs(*row.percent) > rules.warnAbovePercent;
        row.warned = beyond || (rules.warnWhenPriceBecomesZero && becomesZero(row));
        if (row.warned)
            guard.warned.push_back(row);
    }
    std::stable_sort(guard.warned.begin(), guard.warned.end(), [](const auto& a, const auto& b) {
        return std::fabs(a.percent.value_or(100)) > std::fabs(b.percent.value_or(100));
    });
    return guard;
}

QString PriceGuard::line(int named) const
{
    if (warned.empty())
        return {};
    QStringList names;
    for (std::size_t i = 0; i < warned.size() && int(i) < named; ++i)
        names << describe(warned[i]);
    return QStringLiteral("%1 prices %2: %3%4")
        .arg(warned.size())
        .arg(m_criterion, names.join(QStringLiteral(", ")),
             int(warned.size()) > named ? QStringLiteral(", ...") : QString());
}

QStringList PriceGuard::rowLines() const
{
    QStringList lines;
    for (const ChangePreview::ChangedRow& row : warned)
        lines << QStringLiteral("Price to check: ") + describe(row);
    return lines;
}
