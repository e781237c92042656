#include "SubstitutePlaceholders.h"

#include <array>
#include <utility>

QString substitutePlaceholders(const SeoTemplate& text, const PlaceholderValues& values)
{
    static const std::array<std::pair<QString, QString PlaceholderValues::*>, 7> placeholders = {{
        {QStringLiteral("{IDPART}"), &PlaceholderValues::idPart},
        {QStringLiteral("{BRAND}"), &PlaceholderValues::brand},
        {QStringLiteral("{TRADENUMBER}"), &PlaceholderValues::tradeNumber},
        {QStringLiteral("{NAMEPART}"), &PlaceholderValues::namePart},
        {QStringLiteral("{IDCATEGORY}"), &PlaceholderValues::idCategory},
        {QStringLiteral("{CATEGORYNAME}"), &PlaceholderValues::categoryName},
        {QStringLiteral("{DATACAR}"), &PlaceholderValues::dataCar},
    }};
    QString result = text;
    for (const auto& [placeholder, value] : placeholders)
        result.replace(placeholder, values.*value, Qt::CaseInsensitive);
    return result;
}
