#include "UnmatchedRows.h"

QString UnmatchedRows::why(int row, const QString& tradeNumber, const TradeNumberIndex::Match& match)
{
    if (match.sharedBy.isEmpty())
        return QStringLiteral("row %1 '%2' is not in the store")
            .arg(row)
            .arg(TradeNumberIndex::key(tradeNumber));
    QStringList ids;
    for (const int id : match.sharedBy)
        ids << QString::number(id);
    return QStringLiteral("row %1 '%2' is shared by products %3")
        .arg(row)
        .arg(TradeNumberIndex::key(tradeNumber), ids.join(QStringLiteral(", ")));
}

void UnmatchedRows::add(const QString& file, int row, const QString& tradeNumber,
                        const TradeNumberIndex::Match& match)
{
    ++m_count;
    ++m_fileCount;
    if (m_fileNamed.size() < RowsNamed)
        m_fileNamed << why(row, tradeNumber, match);
    if (m_runNamed.size() < RowsNamed)
        m_runNamed << QStringLiteral("Not matched: %1, %2").arg(file, why(row, tradeNumber, match));
}

QStringList UnmatchedRows::takeFileLines()
{
    QStringList lines;
    if (m_fileCount > 0)
        lines << QStringLiteral("         %1 rows not matched by trade number: %2%3")
                     .arg(m_fileCount)
                     .arg(m_fileNamed.join(QStringLiteral(", ")),
                          m_fileCount > m_fileNamed.size() ? QStringLiteral(", ...") : QString());
    m_fileCount = 0;
    m_fileNamed.clear();
    return lines;
}

QStringList UnmatchedRows::runLines() const
{
    if (m_count == 0)
        return {};
    return QStringList{
               QStringLiteral("%1 rows not matched by trade number: they change nothing.").arg(m_count)} +
           m_runNamed;
}
