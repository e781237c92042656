#pragma once

#include "MysqlResult.h"

#include <QStringList>

class DbConnection;

// A query on the one connection (the window's UniQuery1 and UniQuery2): statement text
// as lines, a complete result in memory, a current row and an end-of-data flag.
class DbQuery
{
public:
    DbQuery(QString name, DbConnection& connection);

    const QString& name() const { return m_name; }

    QStringList sql; // the statement's lines, joined with CR LF when sent

    void close();
    // Sends the statement and positions on the first row; throws on failure.
    void open();
    bool active() const { return m_active; }
    void first();
    void next();
    bool eof() const { return m_eof; }
    // Coming back to a row read before, while the statement stays open.
    MysqlResult::RowPosition position() const { return m_result.position(); }
    void seek(MysqlResult::RowPosition position)
    {
        m_result.seek(position);
        m_eof = false;
    }
    RowDigest rowDigest() const { return m_result.digest(); }

    int fieldCount() const { return m_result.fieldCount(); }
    // The current row's value of the named column; throws "<name>: Field '<column>' not found".
    QString fieldByName(const QString& column) const;
    int fieldIndex(const QString& column) const;
    QString fieldText(int index) const;
    // The value of fieldText() in UTF-8, without a copy where it can (see MysqlResult::utf8).
    QByteArrayView fieldUtf8(int index, QByteArray& scratch) const { return m_result.utf8(index, scratch); }
    int fieldInteger(int index) const;
    bool fieldIsNull(int index) const;

private:
    QString m_name;
    DbConnection& m_connection;
    MysqlResult m_result;
    bool m_active = false;
    bool m_eof = true;
};
