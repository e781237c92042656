#include "MysqlResult.h"

#include <QLocale>
#include <mysql.h>

void MysqlResult::Deleter::operator()(MYSQL_RES* r) const
{
    mysql_free_result(r);
}

MysqlResult::MysqlResult(MYSQL_RES* result) : m_result(result)
{
    m_fieldCount = int(mysql_num_fields(result));
    MYSQL_FIELD* fields = mysql_fetch_fields(result);
    for (int i = 0; i < m_fieldCount; ++i) {
        const QString name = QString::fromUtf8(fields[i].name, fields[i].name_length);
        m_names << name;
        if (!m_index.contains(name.toLower())) { // a later column of the same name does not hide the first
            m_index.insert(name.toLower(), i);
            m_exactIndex.insert(name, i);
        }
        Kind kind = Kind::Text;
        switch (fields[i].type) {
        case MYSQL_TYPE_TINY:
            kind = fields[i].length == 1 ? Kind::Truth : Kind::Integer;
            break;
        case MYSQL_TYPE_SHORT:
        case MYSQL_TYPE_LONG:
        case MYSQL_TYPE_LONGLONG:
        case MYSQL_TYPE_INT24:
        case MYSQL_TYPE_YEAR:
            kind = Kind::Integer;
            break;
        case MYSQL_TYPE_DECIMAL:
        case MYSQL_TYPE_NEWDECIMAL:
        case MYSQL_TYPE_FLOAT:
        case MYSQL_TYPE_DOUBLE:
            kind = Kind::Number;
            break;
        default:
            break;
        }
        m_kinds.push_back(kind);
    }
}

// Callers mostly ask by the name as the statement spells it: that look-up needs no lower-case copy.
int MysqlResult::fieldIndex(const QString& name) const
{
    const auto exact = m_exactIndex.constFind(name);
    return exact != m_exactIndex.cend() ? *exact : m_index.value(name.toLower(), -1);
}

bool MysqlResult::first()
{
    if (!m_result)
        return false;
    mysql_data_seek(m_result.get(), 0);
    return next();
}

bool MysqlResult::next()
{
    if (!m_result)
        return false;
    m_position = mysql_row_tell(m_result.get());
    m_row = mysql_fetch_row(m_result.get());
    m_lengths = m_row ? mysql_fetch_lengths(m_result.get()) : nullptr;
    return m_row != nullptr;
}

void MysqlResult::seek(RowPosition position)
{
    mysql_row_seek(m_result.get(), position);
    next();
}

RowDigest MysqlResult::digest() const
{
    // Two chains of seeded hashes over the values, each value's length (or NULL) mixed in first,
    // so that no two different rows give the same chain.
    static const size_t firstSeed = QHashSeed::globalSeed();
    static const size_t secondSeed = firstSeed ^ 0x9e3779b97f4a7c15ULL;
    size_t first = firstSeed;
    size_t second = secondSeed;
    for (int field = 0; field < m_fieldCount; ++field) {
        const size_t length = isNull(field) ? ~size_t(0) : size_t(m_lengths[field]);
        first = qHashMulti(first, length);
        second = qHashMulti(second, length, first);
        if (!isNull(field)) {
            first = qHashBits(m_row[field], length, first);
            second = qHashBits(m_row[field], length, second);
        }
    }
    return {quint64(first), quint64(second)};
}

bool MysqlResult::isNull(int field) const
{
    return !m_row || !m_row[field];
}

QString MysqlResult::text(int field) const
{
    if (isNull(field))
        return {};
    const QByteArrayView raw(m_row[field], qsizetype(m_lengths[field]));
    switch (m_kinds[field]) {
    case Kind::Truth:
        return raw.toLongLong() != 0 ? QStringLiteral("True") : QStringLiteral("False");
    case Kind::Integer:
        return QString::fromLatin1(raw);
    case Kind::Number: {
        QString s = QString::number(raw.toDouble(), 'g', 15);
        const QString point = QLocale::system().decimalPoint();
        if (point != u".")
            s.replace(u'.', point);
        return s;
    }
    case Kind::Text:
        break;
    }
    return QString::fromUtf8(raw);
}

QString MysqlResult::rawText(int field) const
{
    return QString::fromUtf8(rawBytes(field));
}

QByteArrayView MysqlResult::rawBytes(int field) const
{
    if (isNull(field))
        return {};
    return {m_row[field], qsizetype(m_lengths[field])};
}

QByteArrayView MysqlResult::utf8(int field, QByteArray& scratch) const
{
    if (isNull(field))
        return {};
    switch (m_kinds[field]) {
    case Kind::Text:
    case Kind::Integer:
        return {m_row[field], qsizetype(m_lengths[field])};
    case Kind::Truth:
    case Kind::Number:
        break;
    }
    scratch = text(field).toUtf8();
    return scratch;
}

int MysqlResult::integer(int field) const
{
    if (isNull(field))
        return 0;
    return QByteArrayView(m_row[field], qsizetype(m_lengths[field])).toInt();
}
