#include "FuzzFile.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <sys/mman.h>
#include <unistd.h>

QString fuzzFile(const std::uint8_t* data, std::size_t size)
{
    static const int fd = memfd_create("fuzz-input", MFD_CLOEXEC);
    check(fd >= 0, "memfd_create");
    check(ftruncate(fd, 0) == 0, "ftruncate");
    for (std::size_t at = 0; at < size;) {
        const ssize_t n = pwrite(fd, data + at, size - at, off_t(at));
        check(n > 0, "pwrite");
        at += std::size_t(n);
    }
    return QStringLiteral("/proc/self/fd/%1").arg(fd);
}

void check(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "invariant broken: %s\n", what);
        std::abort();
    }
}

void readEveryRow(const SpreadsheetReader& reader)
{
    const SheetExtent extent = reader.extent();
    check(extent.rows >= 1 && extent.rows <= SheetGrid::maxRows, "rows of the extent");
    check(extent.columns >= 1 && extent.columns <= SheetGrid::maxColumns, "columns of the extent");
    bool lastColumnHasValue = extent.columns == 1;
    const std::unique_ptr<SheetRows> rows = reader.rows();
    QList<SpreadsheetCell> cells;
    int row = 0;
    while (rows->next(cells)) {
        ++row;
        check(cells.size() <= extent.columns, "row wider than the extent");
        check(cells.isEmpty() || !cells.last().isEmpty(), "row not ending at its last value");
        check(row < extent.rows || extent.rows == 1 || !cells.isEmpty(), "extent below the last value");
        lastColumnHasValue = lastColumnHasValue || cells.size() == extent.columns;
    }
    check(row == extent.rows, "rows other than the extent's");
    check(lastColumnHasValue, "extent right of the last value");
}
