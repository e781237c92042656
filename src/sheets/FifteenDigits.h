#pragma once

#include <QByteArrayView>

// A number written as QString::number(value, 'g', 15) writes it: up to 15 significant
// digits, "." as decimal mark, "1e+20" for very large or small ones. The usual short numbers
// are written without Qt's slow path for a fixed precision.
class FifteenDigits
{
public:
    explicit FifteenDigits(double value);

    QByteArrayView text() const { return QByteArrayView(m_text, m_size); }

private:
    char m_text[40];
    qsizetype m_size = 0;
};
