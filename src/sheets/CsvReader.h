#pragma once

#include "SheetGridReader.h"

// Reads delimited text as a spreadsheet program opens a .csv file. The separator is the one
// of ";", "," and tab that the header line uses most outside quotes (a first line "sep=X"
// names it instead). Quoted cells may hold doubled quotes, separators and line breaks,
// which are kept as written. A byte-order mark decides the encoding; without one, valid
// UTF-8 is UTF-8 and anything else a legacy 8-bit code page.
class CsvReader : public SheetGridReader
{
public:
    void open(const QString& path) override;
};
