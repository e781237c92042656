#include "PriceListColumns.h"

#include <algorithm>

const std::array<QString, 5>& PriceListColumns::productStoreColumns()
{
    static const std::array<QString, 5> columns = {QStringLiteral("product_s_desc"),
                                                   QStringLiteral("metadesc"), QStringLiteral("metakey"),
                                                   QStringLiteral("customtitle"), QStringLiteral("slug")};
    return columns;
}

const std::array<QString, 4>& PriceListColumns::categoryStoreColumns()
{
    static const std::array<QString, 4> columns = {QStringLiteral("metadesc"), QStringLiteral("metakey"),
                                                   QStringLiteral("customtitle"), QStringLiteral("slug")};
    return columns;
}

QString PriceListColumns::letters(int column)
{
    QString name;
    for (int c = column; c > 0; c = (c - 1) / 26)
        name.prepend(QChar(u'A' + (c - 1) % 26));
    return name;
}

PriceListColumns PriceListColumns::recognise(const QList<SpreadsheetCell>& header)
{
    PriceListColumns c;
    const std::pair<const char*, int*> names[] = {
        {"IDPART", &c.idPart},
        {"TRADENUMBER", &c.tradeNumber},
        {"BRAND", &c.brand},
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
        // Any cell is compared by its text: a number or date in the header names no column.
        const SpreadsheetCell& cell = header[column - 1];
        const QString text = cell.type() == SpreadsheetCell::Type::Text ? cell.textValue() : QString();
        for (const auto& [name, index] : names)
            if (text == QLatin1String(name))
                *index = column;
    }
    const auto present = [](int index) { return index > 0; };
    c.productSeo = c.idPart && std::any_of(c.product.begin(), c.product.end(), present);
    c.categorySeo = c.idCategory && std::any_of(c.category.begin(), c.category.end(), present);
    return c;
}
