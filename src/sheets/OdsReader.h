#pragma once

#include "SheetGridReader.h"

// Reads the first table of an OpenDocument spreadsheet (ods, ots) with every value type,
// repeated rows and cells, and the paragraphs, spaces, tabs and line breaks of texts.
class OdsReader : public SheetGridReader
{
public:
    void open(const QString& path) override;
};
