#pragma once

#include "MysqlResult.h"

#include <QStringList>

// The rows of SHOW WARNINGS as "Warning 1265: Data truncated for column 'x' at row 1".
inline QStringList serverWarningLines(MysqlResult& result)
{
    QStringList lines;
    for (bool row = result.first(); row; row = result.next())
        lines << result.rawText(0) + u' ' + result.rawText(1) + QStringLiteral(": ") + result.rawText(2);
    return lines;
}
