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
    // A row's value in UTF-8 by its column's position in columnNames(); NULL is empty. The
    // view needs to stay valid only until the next call.
    using RowValue = std::function<QByteArrayView(int column)>;

    static const QStringList& columnNames();
    static QString baseName() { return QStringLiteral("F"); }

    // IDPART is written whether it is among the ticked columns or not.
    PriceFileLayout(const QStringList& tickedColumns, CsvSettings settings);

    QString headerLine() const;
    // Makes line the row's line in UTF-8, reusing its memory.
    void fillDataLine(QByteArray& line, const RowValue& value) const;

private:
    QList<int> m_columns; // indices of the ticked columns after IDPART
    CsvSettings m_settings;
    QByteArray m_separator;
};
