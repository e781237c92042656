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

void appendField(QByteArray& line, Kind kind, QByteArrayView text, const CsvSettings& settings)
{
    switch (kind) {
    case Kind::Plain:
        CsvField::appendPlain(line, text);
        break;
    case Kind::Quoted:
        CsvField::appendQuoted(line, text);
        break;
    case Kind::QuotedVerbatim:
        CsvField::appendQuotedVerbatim(line, text);
        break;
    case Kind::TradeNumber:
        CsvField::appendTradeNumber(line, text);
        break;
    case Kind::Decimal:
        CsvField::appendDecimal(line, text, settings);
        break;
    case Kind::Flag:
        line.append(text == "True" ? '1' : '0');
        break;
    }
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
    : m_settings(std::move(settings)), m_separator(m_settings.separator.toUtf8())
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

void PriceFileLayout::fillDataLine(QByteArray& line, const RowValue& value) const
{
    line.truncate(0);
    appendField(line, Columns[0].kind, value(0), m_settings);
    for (int i : m_columns) {
        line.append(m_separator);
        appendField(line, Columns[i].kind, value(i), m_settings);
    }
}
