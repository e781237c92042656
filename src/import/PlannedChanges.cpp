#include "PlannedChanges.h"

#include "PriceListColumns.h"

const std::vector<StoreField>& StoreField::all()
{
    static const std::vector<StoreField> fields = [] {
        std::vector<StoreField> f = {
            {StoreTable::Prices, QStringLiteral("product_price"), QStringLiteral("price"), true},
            {StoreTable::Products, QStringLiteral("product_in_stock"), QStringLiteral("stock"), true},
            {StoreTable::Products, QStringLiteral("published"), QStringLiteral("publication"), true},
        };
        for (const QString& column : PriceListColumns::productStoreColumns())
            f.push_back({StoreTable::ProductTexts, column, QStringLiteral("product ") + column, false});
        for (const QString& column : PriceListColumns::categoryStoreColumns())
            f.push_back({StoreTable::CategoryTexts, column, QStringLiteral("category ") + column, false});
        return f;
    }();
    return fields;
}

int StoreField::indexOf(StoreTable table, const QString& column)
{
    const std::vector<StoreField>& fields = all();
    for (std::size_t i = 0; i < fields.size(); ++i)
        if (fields[i].table == table && fields[i].column == column)
            return int(i);
    return -1;
}

bool StoreField::holds(const std::optional<QString>& stored, const QString& text) const
{
    if (!stored)
        return false;
    if (!numeric)
        return *stored == text;
    bool storedIsNumber = false;
    bool textIsNumber = false;
    const double a = stored->toDouble(&storedIsNumber);
    const double b = text.toDouble(&textIsNumber);
    return storedIsNumber && textIsNumber && a == b;
}

void PlannedChanges::addStatement(const std::vector<std::pair<int, QString>>& fieldTexts, int id)
{
    for (const auto& [field, text] : fieldTexts)
        m_values.push_back({field, id, m_statements, text});
    ++m_statements;
}
