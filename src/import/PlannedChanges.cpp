#include "PlannedChanges.h"

#include "PriceListColumns.h"

#include <charconv>
#include <string_view>

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

namespace {

// The store's DECIMAL and INT texts and the script's own numbers are plain decimals, read
// here without the conversions of QString::toDouble, to the same double; nothing for others.
std::optional<double> plainDecimal(std::string_view text)
{
    const std::size_t size = text.size();
    const auto isDigit = [&](std::size_t i) { return i < size && text[i] >= '0' && text[i] <= '9'; };
    std::size_t i = size > 0 && text[0] == '-' ? 1 : 0;
    const std::size_t digitsStart = i;
    while (isDigit(i))
        ++i;
    if (i == digitsStart)
        return std::nullopt;
    if (i < size) {
        const std::size_t point = i++;
        while (isDigit(i))
            ++i;
        if (text[point] != '.' || i == point + 1 || i != size)
            return std::nullopt;
    }
    double value = 0;
    if (std::from_chars(text.data(), text.data() + size, value).ec != std::errc())
        return std::nullopt;
    return value;
}

std::optional<double> anyNumber(const QString& text)
{
    bool ok = false;
    const double value = text.toDouble(&ok);
    return ok ? std::optional<double>(value) : std::nullopt;
}

} // namespace

std::optional<double> StoreField::number(QByteArrayView utf8)
{
    if (const std::optional<double> value = plainDecimal({utf8.data(), std::size_t(utf8.size())}))
        return value;
    return anyNumber(QString::fromUtf8(utf8));
}

bool StoreField::holds(StoredValue stored, QUtf8StringView text) const
{
    if (!stored)
        return false;
    if (!numeric)
        return *stored == QByteArrayView(text.data(), text.size());
    const std::optional<double> a = number(*stored);
    const std::optional<double> b = number(QByteArrayView(text.data(), text.size()));
    return a && b && *a == *b;
}

void PlannedChanges::add(int field, int id, QByteArrayView number)
{
    m_values.push_back({id, int(number.size()), quint64(m_texts.size()), quint64(field), true});
    m_texts.append(number);
}

void PlannedChanges::addStatement(const std::vector<std::pair<int, QString>>& fieldTexts, int id)
{
    bool first = true;
    for (const auto& [field, text] : fieldTexts) {
        const QByteArray utf8 = text.toUtf8();
        m_values.push_back(
            {id, int(utf8.size()), quint64(m_texts.size()), quint64(field), std::exchange(first, false)});
        m_texts.append(utf8);
    }
}
