#include "ColumnCheck.h"

#include "ChangePreview.h"
#include "StoreSnapshot.h"
#include "db/DbConnection.h"

#include <QHash>
#include <charconv>
#include <cmath>
#include <limits>
#include <optional>

namespace {

// What the server does with a value of one column.
struct ColumnType
{
    QString dataType;       // "varchar", "decimal", "int", ...
    QString columnType;     // "decimal(15,5)", "tinyint(1) unsigned", ...
    qint64 characters = -1; // longest text in characters (CHAR, VARCHAR)
    qint64 bytes = -1;      // longest text in bytes (the TEXT types)
    int precision = 0;      // DECIMAL(precision, scale)
    int scale = 0;
    QString characterSet;
};

QString quoted(const QString& text)
{
    return u'\'' + QString(text).replace(u'\'', QStringLiteral("''")) + u'\'';
}

qint64 codePoints(QUtf8StringView text)
{
    qint64 count = 0;
    for (const char c : QByteArrayView(text.data(), text.size()))
        count += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return count;
}

bool beyondBasicPlane(QUtf8StringView text)
{
    for (const char c : QByteArrayView(text.data(), text.size()))
        if (static_cast<unsigned char>(c) >= 0xF0)
            return true;
    return false;
}

QString textMisfit(const ColumnType& column, QUtf8StringView text)
{
    if (column.characters >= 0 && !column.dataType.endsWith(QStringLiteral("text"))) {
        const qint64 length = codePoints(text);
        if (length > column.characters)
            return QStringLiteral("%1 characters, the column holds %2").arg(length).arg(column.characters);
    } else if (column.bytes >= 0 && text.size() > column.bytes) {
        return QStringLiteral("%1 bytes, the column holds %2").arg(text.size()).arg(column.bytes);
    }
    if ((column.characterSet == u"utf8mb3" || column.characterSet == u"utf8") && beyondBasicPlane(text))
        return QStringLiteral("letters beyond the column's character set %1").arg(column.characterSet);
    return {};
}

// Digits after the decimal mark of a number written as FifteenDigits writes it ("12.5", "1e-07").
int fractionDigits(QByteArrayView number)
{
    const qsizetype e = number.indexOf('e');
    const QByteArrayView mantissa = e < 0 ? number : number.first(e);
    const qsizetype point = mantissa.indexOf('.');
    int digits = point < 0 ? 0 : int(mantissa.size() - point - 1);
    if (e >= 0) {
        int exponent = 0;
        std::from_chars(number.data() + e + 1 + (number[e + 1] == '+'), number.data() + number.size(),
                        exponent);
        digits -= exponent;
    }
    return std::max(digits, 0);
}

QString decimalMisfit(const ColumnType& column, QUtf8StringView text)
{
    const QByteArrayView number(text.data(), text.size());
    double value = 0;
    if (std::from_chars(number.data(), number.data() + number.size(), value).ec != std::errc())
        return {};
    // The largest the column holds is precision - scale digits before the mark.
    const long double units =
        std::round(std::fabs(static_cast<long double>(value)) * std::pow(10.0L, column.scale));
    if (units >= std::pow(10.0L, column.precision))
        return QStringLiteral("%1 is beyond %2").arg(QString::fromUtf8(number), column.columnType);
    if (fractionDigits(number) > column.scale)
        return QStringLiteral("%1 has more decimals than %2 keeps")
            .arg(QString::fromUtf8(number), column.columnType);
    return {};
}

QString integerMisfit(const ColumnType& column, QUtf8StringView text)
{
    static const QHash<QString, int> bits = {{QStringLiteral("tinyint"), 8},
                                             {QStringLiteral("smallint"), 16},
                                             {QStringLiteral("mediumint"), 24},
                                             {QStringLiteral("int"), 32},
                                             {QStringLiteral("bigint"), 64}};
    const int width = bits.value(column.dataType, 0);
    qint64 value = 0;
    if (width == 0 || width == 64 ||
        std::from_chars(text.data(), text.data() + text.size(), value).ec != std::errc())
        return {};
    const bool isUnsigned = column.columnType.contains(QStringLiteral("unsigned"));
    const qint64 lowest = isUnsigned ? 0 : -(qint64(1) << (width - 1));
    const qint64 highest = isUnsigned ? (qint64(1) << width) - 1 : (qint64(1) << (width - 1)) - 1;
    if (value < lowest || value > highest)
        return QStringLiteral("%1 is beyond %2").arg(value).arg(column.columnType);
    return {};
}

QString misfit(const ColumnType& column, QUtf8StringView text)
{
    if (column.dataType == u"decimal")
        return decimalMisfit(column, text);
    if (column.dataType.endsWith(QStringLiteral("int")))
        return integerMisfit(column, text);
    if (column.characters >= 0 || column.bytes >= 0)
        return textMisfit(column, text);
    return {};
}

} // namespace

ColumnCheck ColumnCheck::run(const std::vector<FinalValue>& finals, const StoreSchema& schema,
                             DbConnection& connection)
{
    ColumnCheck check;
    if (finals.empty())
        return check;
    const std::vector<StoreField>& fields = StoreField::all();
    QStringList tables;
    for (const StoreTable table :
         {StoreTable::Products, StoreTable::Prices, StoreTable::ProductTexts, StoreTable::CategoryTexts})
        tables << quoted(StoreSnapshot::tableName(table, schema));
    MysqlResult result = connection.query(
        QStringLiteral(
            "SELECT TABLE_NAME, COLUMN_NAME, DATA_TYPE, COLUMN_TYPE, CHARACTER_MAXIMUM_LENGTH, "
            "CHARACTER_OCTET_LENGTH, NUMERIC_PRECISION, NUMERIC_SCALE, CHARACTER_SET_NAME "
            "FROM information_schema.COLUMNS WHERE TABLE_SCHEMA = DATABASE() AND TABLE_NAME IN (%1)")
            .arg(tables.join(u',')));
    ++check.queries;
    std::vector<std::optional<ColumnType>> types(fields.size());
    for (bool row = result.first(); row; row = result.next()) {
        for (std::size_t f = 0; f < fields.size(); ++f) {
            if (result.rawText(0) != StoreSnapshot::tableName(fields[f].table, schema) ||
                result.rawText(1).compare(fields[f].column, Qt::CaseInsensitive) != 0)
                continue;
            ColumnType type;
            type.dataType = result.rawText(2).toLower();
            type.columnType = result.rawText(3).toLower();
            type.characters = result.isNull(4) ? -1 : result.rawText(4).toLongLong();
            type.bytes = result.isNull(5) ? -1 : result.rawText(5).toLongLong();
            type.precision = result.rawText(6).toInt();
            type.scale = result.rawText(7).toInt();
            type.characterSet = result.rawText(8).toLower();
            types[f] = type;
        }
    }
    for (const FinalValue& value : finals)
        if (const auto& type = types[std::size_t(value.field)])
            if (QString why = misfit(*type, value.text); !why.isEmpty())
                check.misfits.push_back({value.field, value.id, std::move(why)});
    return check;
}

QStringList ColumnCheck::lines() const
{
    QStringList lines;
    for (const Misfit& m : misfits) {
        if (lines.size() == LinesShown) {
            lines
                << QStringLiteral("... and %1 more values the server would change").arg(count() - LinesShown);
            break;
        }
        const StoreField& field = StoreField::all()[std::size_t(m.field)];
        lines << QStringLiteral("Value the server would change: %1 of %2 %3: %4")
                     .arg(field.label,
                          field.table == StoreTable::CategoryTexts ? QStringLiteral("category")
                                                                   : QStringLiteral("product"),
                          QString::number(m.id), m.why);
    }
    return lines;
}

QString ColumnCheck::countLine() const
{
    if (misfits.empty())
        return {};
    return QStringLiteral(
               "%1 values would be cut, clamped or rounded by the server: they do not fit their column.")
        .arg(count());
}
