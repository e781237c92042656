#include "PriceFileLayout.h"

#include "CsvField.h"

#include <array>

namespace {

enum class Kind
{
    Plain,
    Quoted,
    QuotedVerbatim,
    TradeNumber,
    Decimal,
    Flag
};

struct Column
{
    QLatin1StringView name;
    Kind kind;
};

constexpr std::array<Column, 8> Columns = {{
    {QLatin1StringView("IDPART"), Kind::Plain},
    {QLatin1StringView("BRAND"), Kind::Quoted},
    {QLatin1StringView("TRADENUMBER"), Kind::TradeNumber},
    {QLatin1StringView("NAMEPART"), Kind::Quoted},
    {QLatin1StringView("QUANTITY"), Kind::Plain},
    {QLatin1StringView("PRICE"), Kind::Decimal},
    {QLatin1StringView("CURRENCY"), Kind::QuotedVerbatim},
    {QLatin1StringView("PUBLISHED"), Kind::Flag},
}};

constexpr QLatin1StringView Note(
    "note : if for values [QUANTITY,PRICE,PUBLISHED] is no value is specified (worth NULL) then these values "
    "during the upgrade does not participate");

QString field(Kind kind, const QString& text, const CsvSettings& settings)
{
    switch (kind) {
    case Kind::Plain:
        return CsvField::plain(text);
    case Kind::Quoted:
        return CsvField::quoted(text);
    case Kind::QuotedVerbatim:
        return CsvField::quotedVerbatim(text);
    case Kind::TradeNumber:
        return CsvField::tradeNumber(text);
    case Kind::Decimal:
        return CsvField::decimal(text, settings);
    case Kind::Flag:
        return text == QLatin1String("True") ? QStringLiteral("1") : QStringLiteral("0");
    }
    return text;
}

} // namespace

const QStringList& PriceFileLayout::columnNames()
{
    static const QStringList names = [] {
        QStringList list;
        for (const Column& column : Columns)
            list << column.name;
        return list;
    }();
    return names;
}

PriceFileLayout::PriceFileLayout(const QStringList& tickedColumns, CsvSettings settings)
    : m_settings(std::move(settings))
{
    for (int i = 1; i < int(Columns.size()); ++i)
        if (tickedColumns.contains(Columns[i].name))
            m_columns << i;
}

QString PriceFileLayout::headerLine() const
{
    const QStringList& names = columnNames();
    QString line = CsvField::quoted(names[0]);
    for (int i : m_columns)
        line += m_settings.separator + names[i];
    return line + m_settings.separator + CsvField::quoted(Note);
}

QString PriceFileLayout::dataLine(const RowValue& value) const
{
    const QStringList& names = columnNames();
    QString line = field(Columns[0].kind, value(names[0]), m_settings);
    for (int i : m_columns)
        line += m_settings.separator + field(Columns[i].kind, value(names[i]), m_settings);
    return line;
}
