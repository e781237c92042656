#include "WorksheetPieces.h"

#include <algorithm>

namespace {

constexpr qsizetype pieceBytes = qsizetype(1) << 20;
constexpr QByteArrayView rowEnd = "</row>";
constexpr QByteArrayView emptyRowEnd = "/>";
constexpr QByteArrayView sheetDataEnd = "</sheetData>";
constexpr QByteArrayView sheetDataStart = "<sheetData>";

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

// Whether the start tag that ends at `close` ("/>") is a row's: its '<' is the last one before
// it, for '<' never stands in an attribute value.
bool closesEmptyRow(QByteArrayView text, qsizetype close)
{
    const qsizetype open = text.first(close).lastIndexOf('<');
    if (open < 0 || close - open < 4 || text.sliced(open + 1, 3) != "row")
        return false;
    return close - open == 4 || isBlank(text[open + 4]);
}

} // namespace

bool WorksheetPieces::open(const ZipArchive& zip, const QString& name)
{
    m_device = zip.entry(name);
    m_pending.clear();
    m_searched = 0;
    m_inflated = 0;
    m_ended = false;
    m_failed = false;
    m_rowTooLarge = false;
    m_error.clear();
    if (!m_device) {
        m_error = QStringLiteral("the part %1 is missing").arg(name);
        return false;
    }
    if (!m_device->open(QIODevice::ReadOnly)) {
        m_error = m_device->errorString();
        return false;
    }
    return true;
}

qsizetype WorksheetPieces::lastRowEnd() const
{
    const QByteArrayView pending(m_pending);
    const qsizetype from = std::max<qsizetype>(0, m_searched - rowEnd.size() + 1);
    const qsizetype endTag = pending.sliced(from).lastIndexOf(rowEnd);
    qsizetype last = endTag < 0 ? -1 : from + endTag + rowEnd.size();
    // A self-closed row after it ends the piece later.
    for (qsizetype at = pending.size(); at > std::max(last, from);) {
        const qsizetype close = pending.first(at).lastIndexOf(emptyRowEnd);
        if (close < std::max(last, from))
            break;
        if (closesEmptyRow(pending, close))
            return close + emptyRowEnd.size();
        at = close + 1;
    }
    return last;
}

void WorksheetPieces::dropBlanksAfterRow()
{
    qsizetype blanks = m_pending.size();
    while (blanks > 0 && isBlank(m_pending[blanks - 1]))
        --blanks;
    if (blanks == m_pending.size())
        return;
    const QByteArrayView before = QByteArrayView(m_pending).first(blanks);
    if (before.endsWith(rowEnd) || before.endsWith(sheetDataStart) ||
        (before.endsWith(emptyRowEnd) && closesEmptyRow(before, blanks - 2))) {
        m_pending.truncate(blanks);
        m_searched = std::min(m_searched, blanks);
    }
}

bool WorksheetPieces::appendNext(QByteArray& text)
{
    while (!m_failed) {
        if (m_ended) {
            if (m_pending.isEmpty())
                return false;
            text += m_pending;
            m_pending.truncate(0);
            return true;
        }
        if (m_pending.size() >= pieceBytes) {
            const qsizetype cut = lastRowEnd();
            m_searched = m_pending.size();
            if (cut >= 0) {
                text += QByteArrayView(m_pending).first(cut);
                m_pending.remove(0, cut);
                m_searched = 0;
                return true;
            }
            if (m_pending.size() >= LargestRow) {
                m_failed = true;
                m_rowTooLarge = true;
                return false;
            }
        }
        m_failed = !inflateMore();
    }
    return false;
}

bool WorksheetPieces::inflateMore()
{
    const qsizetype before = m_pending.size();
    // No more than the part holds: a small sheet takes a small piece.
    const qsizetype want =
        qsizetype(qBound<qint64>(1, m_device->uncompressedSize() - m_inflated, pieceBytes));
    m_pending.resize(before + want);
    const qint64 n = m_device->read(m_pending.data() + before, want);
    if (n < 0) {
        m_error = m_device->errorString();
        return false;
    }
    m_pending.truncate(before + qsizetype(n));
    m_inflated += n;
    if (n == 0) {
        m_ended = true;
        return true;
    }
    const qsizetype from = std::max<qsizetype>(0, before - sheetDataEnd.size() + 1);
    const qsizetype found = QByteArrayView(m_pending).indexOf(sheetDataEnd, from);
    if (found >= 0) {
        m_pending.truncate(found + sheetDataEnd.size());
        m_ended = true;
    } else {
        dropBlanksAfterRow();
    }
    return true;
}
