#include "PriceListColumns.h"

#include "platform/AppError.h"

#include <algorithm>

const std::array<QString, 5>& PriceListColumns::productStoreColumns()
{
    static const std::array<QString, 5> columns = {QStringLiteral("product_s_desc"), QStringLiteral("metadesc"),
                                                   QStringLiteral("metakey"), QStringLiteral("customtitle"),
                                                   QStringLiteral("slug")};
    return columns;
}

const std::array<QString, 4>& PriceListColumns::categoryStoreColumns()
{
    static const std::array<QString, 4> columns = {QStringLiteral("metadesc"), QStringLiteral("metakey"),
                                                   QStringLiteral("customtitle"), QStringLiteral("slug")};
    return columns;
}

PriceListColumns PriceListColumns::recognise(const QList<SpreadsheetCell>& header)
{
    PriceListColumns c;
    const std::pair<const char*, int*> names[] = {
        {"IDPART", &c.idPart},
        {"QUANTITY", &c.quantity},
        {"PRICE", &c.price},
        {"PUBLISHED", &c.published},
        {"PRODUCT:product_s_desc", &c.product[0]},
        {"PRODUCT:metadesc", &c.product[1]},
        {"PRODUCT:metakey", &c.product[2]},
        {"PRODUCT:customtitle", &c.product[3]},
        {"PRODUCT:sluq", &c.product[4]},
        {"IDCATEGORY", &c.idCategory},
        {"CATEGORY:metadesc", &c.category[0]},
        {"CATEGORY:metakey", &c.category[1]},
        {"CATEGORY:customtitle", &c.category[2]},
        {"CATEGORY:sluq", &c.category[3]},
    };
    for (int column = 1; column <= header.size(); ++column) {
        const SpreadsheetCell& cell = header[column - 1];
        if (cell.isEmpty())
            continue;
        if (cell.type() != SpreadsheetCell::Type::Text)
            throw AppError(QStringLiteral("The header cell of column %1 holds %2, not a column name")
                               .arg(column)
                               .arg(cell.displayText()));
        for (const auto& [name, index] : names)
            if (cell.textValue() == QLatin1String(name))
                *index = column;
    }
    const auto present = [](int index) { return index > 0; };
    c.productSeo = c.idPart && std::any_of(c.product.begin(), c.product.end(), present);
    c.categorySeo = c.idCategory && std::any_of(c.category.begin(), c.category.end(), present);
    return c;
}
