#pragma once

#include "XlsxReader.h"

// Reads formats that only the office suite understands (xls, xlsb, Lotus, flat XML) by
// letting LibreOffice convert the file to xlsx in a temporary folder first.
class ConvertingReader : public XlsxReader
{
public:
    void open(const QString& path) override;
};
