#pragma once

#include "CsvSettings.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

// The price file of the price export: the product id first, then the ticked columns in the
// fixed list order; the header line ends with a note for the operator.
class PriceFileLayout
{
public:
    // A row's value as text, by column name; NULL is the empty text.
    using RowValue = std::function<QString(const QString& column)>;

    static const QStringList& columnNames();
    static QString baseName() { return QStringLiteral("F"); }

    // IDPART is written whether it is among the ticked columns or not.
    PriceFileLayout(const QStringList& tickedColumns, CsvSettings settings);

    QString headerLine() const;
    QString dataLine(const RowValue& value) const;

private:
    QList<int> m_columns; // indices of the ticked columns after IDPART
    CsvSettings m_settings;
};
