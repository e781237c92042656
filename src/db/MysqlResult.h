#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <memory>

typedef struct st_mysql_res MYSQL_RES;
struct st_mysql_rows;

// The digest of a row's values, NULLs told from empty texts: two rows with the same digest hold
// the same values (128 bits with a per-process seed make a chance match out of reach).
struct RowDigest
{
    quint64 first = 0;
    quint64 second = 0;
    friend bool operator==(const RowDigest&, const RowDigest&) = default;
    friend size_t qHash(const RowDigest& digest, size_t seed = 0) noexcept
    {
        return qHash(digest.first, seed);
    }
};

// A complete result held in memory (so a second query may run while it is read).
class MysqlResult
{
public:
    MysqlResult() = default;
    explicit MysqlResult(MYSQL_RES* result);

    bool isNull() const { return !m_result; }
    int fieldCount() const { return m_fieldCount; }
    const QStringList& fieldNames() const { return m_names; }
    // Position of the field named, without regard to case; -1 when there is none.
    int fieldIndex(const QString& name) const;

    // Moves to the first row; false when there is none.
    bool first();
    // Moves to the next row; false after the last.
    bool next();

    // Where the current row is, to come back to it with seek() while the result lives.
    using RowPosition = st_mysql_rows*;
    RowPosition position() const { return m_position; }
    void seek(RowPosition position);
    RowDigest digest() const;

    bool isNull(int field) const;
    // The value as the rest of the program sees it (NULL empty, TINYINT(1) "True"/"False",
    // numbers in general format with the system's decimal separator).
    QString text(int field) const;
    // The value exactly as the server sent it (numbers in its own form); empty for NULL.
    QString rawText(int field) const;
    // The same bytes without a copy, as the server sent them: UTF-8 on this connection. Valid
    // while the result lives.
    QByteArrayView rawBytes(int field) const;
    // The same value in UTF-8: a view of the row itself where the two agree, otherwise of
    // scratch or of a constant. Valid until the next move or the next use of scratch.
    QByteArrayView utf8(int field, QByteArray& scratch) const;
    // The value as a 32-bit integer; NULL and text that is not a number give 0.
    int integer(int field) const;

private:
    enum class Kind
    {
        Text,
        Integer,
        Truth,
        Number
    };
    struct Deleter
    {
        void operator()(MYSQL_RES* r) const;
    };
    std::unique_ptr<MYSQL_RES, Deleter> m_result;
    int m_fieldCount = 0;
    QStringList m_names;
    QHash<QString, int> m_index;      // by the name in lower case
    QHash<QString, int> m_exactIndex; // the same positions by the name as the server sent it
    std::vector<Kind> m_kinds;
    RowPosition m_position = nullptr;
    char** m_row = nullptr;
    unsigned long* m_lengths = nullptr;
};
