#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <map>

// The cells of one file whose value could not be read (an error value, text that is no
// number, a quantity of 2.5): their values stay unchanged, and the log says so per column.
class UnreadableCells
{
public:
    static constexpr int RowsNamed = 5;

    void clear() { m_columns.clear(); }
    void add(int column, const QString& name, int row);
    // "         Column PRICE (F): 2 cells could not be read and change nothing, rows 3, 7"
    QStringList logLines() const;

private:
    struct Column
    {
        QString name;
        int count = 0;
        QList<int> rows;
    };
    std::map<int, Column> m_columns;
};
