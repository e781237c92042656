#pragma once

#include <QString>
#include <QStringList>
#include <vector>

// Whole numbers for an IN (...) list of a statement: "3, 7, 12".
inline QString sqlIdList(const std::vector<int>& ids)
{
    QStringList texts;
    for (const int id : ids)
        texts << QString::number(id);
    return texts.join(QStringLiteral(", "));
}
