#pragma once

#include "DbQuery.h"

#include <QHash>
#include <QSet>
#include <vector>

// The rows of one open statement grouped by a whole-number column, each group in the order the
// server sent its rows, and without repeats: a row whose values all came before in its group is
// left out, as SELECT DISTINCT would have left it out. Lets one statement over many brands or
// products stand for one DISTINCT statement per brand or product. The positions stay valid while
// the statement stays open.
class GroupedRows
{
public:
    using Rows = std::vector<MysqlResult::RowPosition>;

    // Reads every row of the query from its first.
    void collect(DbQuery& query, const QString& keyColumn);
    // The rows of one key; none for a key that no row has.
    const Rows& rows(qint64 key) const;

private:
    QHash<qint64, Rows> m_groups;
};
