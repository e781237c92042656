#pragma once

#include "ZipArchive.h"

#include <QByteArray>
#include <memory>

// A worksheet part inflated piece by piece rather than held whole. Every piece but the last
// ends right after a "</row>", which in a part that the quick scanner reads at all can only be
// a row's end tag. The part ends after its first "</sheetData>": no cell lies beyond.
class WorksheetPieces
{
public:
    // False when the part is missing or cannot be inflated.
    bool open(const ZipArchive& zip, const QString& name);
    // Appends the next piece to text; false after the last one, and when the part cannot be
    // read on or a row is larger than any held (failed()).
    bool appendNext(QByteArray& text);
    bool isLast() const { return m_ended && m_pending.isEmpty(); }
    bool failed() const { return m_failed; }

private:
    bool inflateMore();

    std::unique_ptr<ZipEntryDevice> m_device;
    QByteArray m_pending;     // inflated, not yet handed out
    qsizetype m_searched = 0; // how much of it holds no row end
    bool m_ended = false;
    bool m_failed = false;
};
