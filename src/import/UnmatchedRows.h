#pragma once

#include "TradeNumberIndex.h"

#include <QString>
#include <QStringList>

// The rows of lists matched by trade number that found no product, or several: they change
// nothing. Counted per file for its log lines, and over the run for the preview and the question.
class UnmatchedRows
{
public:
    static constexpr int RowsNamed = 5;

    void add(const QString& file, int row, const QString& tradeNumber, const TradeNumberIndex::Match& match);
    // "         2 rows not matched by trade number: row 5 'AB-1' is not in the store, ...";
    // none when every row of the file was matched. Starts the next file.
    QStringList takeFileLines();

    qint64 count() const { return m_count; }
    // The count and the first few rows of the run, each with its file.
    QStringList runLines() const;

private:
    static QString why(int row, const QString& tradeNumber, const TradeNumberIndex::Match& match);

    qint64 m_count = 0;
    QStringList m_runNamed;
    qint64 m_fileCount = 0;
    QStringList m_fileNamed;
};
