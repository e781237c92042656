#include "GroupedRows.h"

void GroupedRows::collect(DbQuery& query, const QString& keyColumn)
{
    m_groups.clear();
    QSet<RowDigest> seen; // the key column is one of the values, so one set serves every group
    int key = -1;
    for (query.first(); !query.eof(); query.next()) {
        if (key < 0)
            key = query.fieldIndex(keyColumn);
        const qsizetype before = seen.size();
        seen.insert(query.rowDigest());
        if (seen.size() > before)
            m_groups[query.fieldInteger(key)].push_back(query.position());
    }
}

const GroupedRows::Rows& GroupedRows::rows(qint64 key) const
{
    static const Rows none;
    const auto group = m_groups.constFind(key);
    return group != m_groups.cend() ? *group : none;
}
