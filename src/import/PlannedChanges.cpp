#include "PlannedChanges.h"

#include "PriceListColumns.h"

#include <charconv>

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

std::optional<double> StoreField::number(const QString& text)
{
    // The store's DECIMAL and INT texts and the script's own numbers are plain decimals, read
    // here without the conversions of QString::toDouble, to the same double.
    const qsizetype size = text.size();
    qsizetype i = size > 0 && text[0] == u'-' ? 1 : 0;
    const qsizetype digitsStart = i;
    while (i < size && text[i].unicode() >= '0' && text[i].unicode() <= '9')
        ++i;
    bool plain = i > digitsStart && size <= 64;
    if (plain && i < size) {
        const qsizetype point = i++;
        while (i < size && text[i].unicode() >= '0' && text[i].unicode() <= '9')
            ++i;
        plain = text[point] == u'.' && i > point + 1 && i == size;
    }
    if (plain) {
        char ascii[64];
        for (qsizetype k = 0; k < size; ++k)
            ascii[k] = char(text[k].unicode());
        double value = 0;
        if (std::from_chars(ascii, ascii + size, value).ec == std::errc())
            return value;
    }
    bool ok = false;
    const double value = text.toDouble(&ok);
    return ok ? std::optional<double>(value) : std::nullopt;
}

bool StoreField::holds(const std::optional<QString>& stored, const QString& text) const
{
    if (!stored)
        return false;
    if (!numeric)
        return *stored == text;
    const std::optional<double> a = number(*stored);
    const std::optional<double> b = number(text);
    return a && b && *a == *b;
}

void PlannedChanges::addStatement(const std::vector<std::pair<int, QString>>& fieldTexts, int id)
{
    for (const auto& [field, text] : fieldTexts)
        m_values.push_back({field, id, m_statements, text});
    ++m_statements;
}
