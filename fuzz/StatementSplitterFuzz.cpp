// Feeds arbitrary text to the splitter whole and in small chunks and checks that
// both give the same pieces and that every piece is sound.
#include "db/StatementSplitter.h"

#include <QList>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

using Piece = StatementSplitter::Piece;

void check(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "splitter invariant broken: %s\n", what);
        std::abort();
    }
}

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n';
}

// Feeds the text in chunks of 1 to 16 characters, their sizes drawn from the seed.
QList<Piece> cut(QStringView text, unsigned seed)
{
    StatementSplitter splitter;
    QList<Piece> pieces;
    const auto take = [&] {
        while (auto piece = splitter.next())
            pieces.append(*piece);
    };
    qsizetype at = 0;
    while (at < text.size()) {
        seed = seed * 1103515245u + 12345u;
        const qsizetype size = qsizetype(1 + (seed >> 16) % 16);
        splitter.feed(text.mid(at, size));
        take();
        at += size;
    }
    splitter.finish();
    take();
    return pieces;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));

    StatementSplitter whole;
    whole.feed(text);
    whole.finish();
    QList<Piece> pieces;
    while (auto piece = whole.next())
        pieces.append(*piece);
    check(!whole.next(), "pieces after the end");
    check(cut(text, 1u + data[0]) == pieces, "chunked feeding differs from whole feeding");

    QString delimiter = QStringLiteral(";");
    qint64 consumed = 0;
    for (const Piece& piece : pieces) {
        check(piece.end > consumed && piece.end <= text.size(), "piece end out of order");
        const QStringView before = QStringView(text).first(piece.end);
        // The piece's text stands right before its last `tail` characters, after the previous piece.
        const auto endsBefore = [&](qsizetype tail) {
            return before.size() - tail - piece.text.size() >= consumed &&
                   before.chopped(tail).endsWith(piece.text);
        };
        if (piece.kind == Piece::Kind::DelimiterCommand) {
            check(endsBefore(0), "new delimiter not where the command ended");
            if (!piece.text.isEmpty())
                delimiter = piece.text;
        } else {
            check(!piece.text.isEmpty() && !isBlank(piece.text.front()), "blank statement");
            const bool atDelimiter = before.endsWith(delimiter) && endsBefore(delimiter.size());
            const bool atSlashLine = before.endsWith(u'/') && endsBefore(1);
            const bool atEnd = piece.end == text.size() && endsBefore(0);
            check(atDelimiter || atSlashLine || atEnd, "statement not right before its delimiter");
        }
        consumed = piece.end;
    }
    return 0;
}
