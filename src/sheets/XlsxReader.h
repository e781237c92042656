#pragma once

#include "SheetGridReader.h"
#include "ZipArchive.h"

#include <memory>
#include <optional>

// Reads the first worksheet of an Office Open XML workbook (xlsx, xlsm, xltx) as Excel
// stores it: shared and inline strings, numbers, booleans, errors and the cached results
// of formulas. Dates stay the serial numbers they are stored as.
class XlsxReader : public SheetGridReader
{
public:
    // The worksheet and the shared strings are read by a quick scanner that leaves anything
    // unusual to the full XML parser. Either way alone serves to check one against the other.
    enum class Way
    {
        QuickWhereItCan,
        QuickOnly, // reads nothing where the scanner gives up, and says so
        FullOnly
    };

    explicit XlsxReader(Way way = Way::QuickWhereItCan) : m_way(way) {}

    // The quick way reads the worksheet through once for its extent and holds none of it:
    // every rows() reads it again, piece by piece. The full way holds its values.
    void open(const QString& path) override;
    SheetExtent extent() const override;
    std::unique_ptr<SheetRows> rows() const override;
    void close() override;
    // Whether the last open() with Way::QuickOnly left the sheet unread.
    bool quickWayGaveUp() const { return m_quickWayGaveUp; }

private:
    struct Streamed
    {
        ZipArchive zip;
        QString part;
        QString path;
        std::shared_ptr<const QStringList> sharedStrings;
        SheetExtent extent;
    };

    Way m_way;
    bool m_quickWayGaveUp = false;
    std::optional<Streamed> m_streamed;
};
