#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// How the rows of price lists are matched to the store's products, and which price changes
// the review warns of. The defaults give the scripts and questions of lists matched by IDPART.
struct ImportRules
{
    enum class MatchBy
    {
        IdPart,     // the store's product id, as the program's own exports carry it
        TradeNumber // the store's product_sku, as suppliers' lists carry it (TRADENUMBER, maybe BRAND)
    };

    MatchBy matchBy = MatchBy::IdPart;
    int warnAbovePercent = 50; // a price that changes by more is warned of; 0: never
    bool warnWhenPriceBecomesZero = true;

    // "IDPART", "TRADENUMBER", in the order of MatchBy.
    static const QStringList& matchByNames()
    {
        static const QStringList names = {QStringLiteral("IDPART"), QStringLiteral("TRADENUMBER")};
        return names;
    }
    // Any letter case; nothing for another name.
    static std::optional<MatchBy> matchByNamed(const QString& name)
    {
        const qsizetype index = matchByNames().indexOf(name.trimmed().toUpper());
        return index < 0 ? std::nullopt : std::optional<MatchBy>(MatchBy(index));
    }
};
