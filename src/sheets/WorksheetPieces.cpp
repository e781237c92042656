#include "WorksheetPieces.h"

#include <algorithm>

namespace {

constexpr qsizetype pieceBytes = qsizetype(1) << 20;
// A row beyond this size leaves the part to the full parser, which holds only its values.
constexpr qsizetype largestRow = qsizetype(256) << 20;
constexpr QByteArrayView rowEnd = "</row>";
constexpr QByteArrayView sheetDataEnd = "</sheetData>";

} // namespace

bool WorksheetPieces::open(const ZipArchive& zip, const QString& name)
{
    m_device = zip.entry(name);
    m_pending.clear();
    m_searched = 0;
    m_ended = false;
    m_failed = false;
    return m_device && m_device->open(QIODevice::ReadOnly);
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
            const qsizetype from = std::max<qsizetype>(0, m_searched - rowEnd.size() + 1);
            const qsizetype found = QByteArrayView(m_pending).sliced(from).lastIndexOf(rowEnd);
            m_searched = m_pending.size();
            if (found >= 0) {
                const qsizetype cut = from + found + rowEnd.size();
                text += QByteArrayView(m_pending).first(cut);
                m_pending.remove(0, cut);
                m_searched = 0;
                return true;
            }
            if (m_pending.size() >= largestRow) {
                m_failed = true;
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
    m_pending.resize(before + pieceBytes);
    const qint64 n = m_device->read(m_pending.data() + before, pieceBytes);
    if (n < 0)
        return false;
    m_pending.truncate(before + qsizetype(n));
    if (n == 0) {
        m_ended = true;
        return true;
    }
    const qsizetype from = std::max<qsizetype>(0, before - sheetDataEnd.size() + 1);
    const qsizetype found = QByteArrayView(m_pending).indexOf(sheetDataEnd, from);
    if (found >= 0) {
        m_pending.truncate(found + sheetDataEnd.size());
        m_ended = true;
    }
    return true;
}
