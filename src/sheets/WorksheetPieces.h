#pragma once

#include "ZipArchive.h"

#include <QByteArray>
#include <memory>

// A worksheet part inflated piece by piece rather than held whole. Every piece but the last
// ends right after a row: after a "</row>", which in a part that the quick scanner reads at all
// can only be a row's end tag, or after a "<row .../>" without cells. Blanks that follow a row
// are dropped as they are inflated: between rows they mean nothing, and a run of gigabytes of
// them costs no memory. The part ends after its first "</sheetData>": no cell lies beyond.
class WorksheetPieces
{
public:
    // A row beyond this size is refused: 16,384 cells of 4 KB each, which no price list holds.
    static constexpr qsizetype LargestRow = qsizetype(64) << 20;

    // False when the part is missing or cannot be inflated (errorString() tells why).
    bool open(const ZipArchive& zip, const QString& name);
    // Appends the next piece to text; false after the last one, and when the part cannot be
    // read on (failed()) or a row is larger than LargestRow (rowTooLarge()).
    bool appendNext(QByteArray& text);
    bool isLast() const { return m_ended && m_pending.isEmpty(); }
    bool failed() const { return m_failed; }
    bool rowTooLarge() const { return m_rowTooLarge; }
    QString errorString() const { return m_error; }

private:
    bool inflateMore();
    // Where the last row in pending ends, searched from m_searched on; -1 when none does.
    qsizetype lastRowEnd() const;
    // Drops the blanks at the end of pending when they follow a row's end or the start of the rows.
    void dropBlanksAfterRow();

    std::unique_ptr<ZipEntryDevice> m_device;
    QByteArray m_pending;     // inflated, not yet handed out
    qsizetype m_searched = 0; // how much of it holds no row end
    qint64 m_inflated = 0;
    bool m_ended = false;
    bool m_failed = false;
    bool m_rowTooLarge = false;
    QString m_error;
};
