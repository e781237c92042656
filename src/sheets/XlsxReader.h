#pragma once

#include "SheetGridReader.h"

// Reads the first worksheet of an Office Open XML workbook (xlsx, xlsm, xltx) as Excel
// stores it: shared and inline strings, numbers, booleans, errors and the cached results
// of formulas. Dates stay the serial numbers they are stored as.
class XlsxReader : public SheetGridReader
{
public:
    void open(const QString& path) override;
};
