#include "StatementSplitter.h"

#include <array>

namespace {

// A piece with nothing to say of a quote.
StatementSplitter::Piece makePiece(StatementSplitter::Piece::Kind kind, QString text, qint64 end)
{
    StatementSplitter::Piece piece;
    piece.kind = kind;
    piece.text = std::move(text);
    piece.end = end;
    return piece;
}

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n';
}

bool isLineEnd(QChar c)
{
    return c == u'\r' || c == u'\n';
}

bool isWordChar(QChar c)
{
    return c.isLetterOrNumber() || c == u'_' || c == u'$';
}

// After CREATE or ALTER, the first of these words decides whether the statement
// defines a routine, whose body holds ";" that must not end it.
constexpr std::array<QStringView, 26> kDecidingWords = {
    u"ALTER",    u"CHARSET",     u"COLUMNS",       u"CREATE",    u"CROSS",       u"DELIMITER", u"DESC",
    u"DESCRIBE", u"DISTINCTROW", u"ENGINES",       u"EXPLAIN",   u"FORCE",       u"FUNCTION",  u"HANDLER",
    u"IGNORE",   u"NATURAL",     u"PRIVILEGES",    u"PROCEDURE", u"PROCESSLIST", u"REPLACE",   u"SHOW",
    u"SLAVE",    u"STATUS",      u"STRAIGHT_JOIN", u"TRIGGER",   u"USE"};

bool sameWord(QStringView a, QStringView b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

} // namespace

void StatementSplitter::feed(QStringView text)
{
    const qsizetype consumed = m_start >= 0 ? m_start : m_pos;
    if (consumed > 0) {
        m_beforeBuffer = m_buffer.at(consumed - 1);
        const qint64 linesConsumed = QStringView(m_buffer).first(consumed).count(u'\n');
        m_linesDropped += linesConsumed;
        if (m_linesCountedTo >= consumed) {
            m_linesCountedTo -= consumed;
            m_linesCounted -= linesConsumed;
        } else {
            m_linesCountedTo = 0;
            m_linesCounted = 0;
        }
        m_buffer.remove(0, consumed);
        m_dropped += consumed;
        m_pos -= consumed;
        if (m_start >= 0)
            m_start -= consumed;
        if (m_wordStart >= 0)
            m_wordStart -= consumed;
        if (m_quoteStart >= 0)
            m_quoteStart -= consumed;
    }
    m_buffer.append(text);
}

void StatementSplitter::finish()
{
    m_finished = true;
}

std::optional<StatementSplitter::Piece> StatementSplitter::next()
{
    while (true) {
        if (m_pos == m_buffer.size()) {
            if (!m_finished || m_start < 0)
                return std::nullopt;
            if (m_state == State::SingleQuoted || m_state == State::DoubleQuoted ||
                m_state == State::Backquoted)
                return unclosedQuote();
            if (auto piece = endStatement(m_pos, m_pos).piece)
                return piece;
            continue;
        }
        const QChar c = m_buffer.at(m_pos);
        switch (m_state) {
        case State::Between:
            if (isBlank(c)) {
                ++m_pos;
            } else {
                m_state = State::Code;
                m_start = m_pos;
                m_onlyComments = true;
                m_kind = Kind::Undecided;
                m_firstWordSeen = false;
                m_wordStart = -1;
            }
            break;
        case State::Code: {
            const Scan scan = scanCode();
            if (scan.piece)
                return scan.piece;
            if (!scan.done)
                return std::nullopt;
            break;
        }
        case State::SingleQuoted:
        case State::DoubleQuoted:
            if (m_escaped)
                m_escaped = false;
            else if (c == u'\\')
                m_escaped = true;
            else if (c == (m_state == State::SingleQuoted ? u'\'' : u'"'))
                m_state = State::Code;
            ++m_pos;
            break;
        case State::Backquoted:
            if (c == u'`')
                m_state = State::Code;
            ++m_pos;
            break;
        case State::BlockComment:
            if (c == u'*') {
                const Match close = matchAt(m_pos, u"*/", Qt::CaseSensitive);
                if (close == Match::NeedMore)
                    return std::nullopt;
                if (close == Match::Yes) {
                    m_state = State::Code;
                    ++m_pos;
                }
            }
            ++m_pos;
            break;
        case State::LineComment:
            if (isLineEnd(c))
                m_state = State::Code;
            else
                ++m_pos;
            break;
        }
    }
}

// One step in plain statement text; done is false when the step needs text not yet fed.
StatementSplitter::Scan StatementSplitter::scanCode()
{
    const QChar c = m_buffer.at(m_pos);
    if (m_onlyComments && isWordChar(c)) {
        const Scan command = scanDelimiterCommand();
        if (command.piece || !command.done)
            return command;
        m_onlyComments = false;
    }

    const bool semicolon = m_delimiterIsSemicolon;
    if (semicolon && m_kind == Kind::Undecided) {
        if (isWordChar(c)) {
            if (m_wordStart < 0)
                m_wordStart = m_pos;
            ++m_pos;
            return {true, {}};
        }
        if (m_wordStart >= 0)
            finishWord();
    }

    if (semicolon && c == u'/' && atLineStart(m_pos)) {
        const Match slash = slashEndsStatement();
        if (slash == Match::NeedMore)
            return {};
        if (slash == Match::Yes)
            return endStatement(m_pos, m_pos + 1);
    }
    const Match delimiter =
        c == m_delimiter.front() ? matchAt(m_pos, m_delimiter, Qt::CaseSensitive) : Match::No;
    if (delimiter == Match::NeedMore)
        return {};
    if (delimiter == Match::Yes && !(semicolon && m_kind == Kind::Routine))
        return endStatement(m_pos, m_pos + m_delimiter.size());

    if (c == u'/' || c == u'-') {
        const Match opener = matchAt(m_pos, c == u'/' ? u"/*" : u"--", Qt::CaseSensitive);
        if (opener == Match::NeedMore)
            return {};
        if (opener == Match::Yes) {
            if (c == u'-' && m_pos + 2 == m_buffer.size() && !m_finished)
                return {};
            if (c == u'/' || m_pos + 2 == m_buffer.size() || m_buffer.at(m_pos + 2).unicode() <= u' ') {
                m_state = c == u'/' ? State::BlockComment : State::LineComment;
                m_pos += 2;
                return {true, {}};
            }
        }
    } else if (c == u'#') {
        m_state = State::LineComment;
    } else if (c == u'\'' || c == u'"' || c == u'`') {
        m_state = c == u'\'' ? State::SingleQuoted : c == u'"' ? State::DoubleQuoted : State::Backquoted;
        m_quoteStart = m_pos;
        m_escaped = false;
        m_onlyComments = false;
    }
    if (m_state == State::Code && !isBlank(c))
        m_onlyComments = false;
    ++m_pos;
    return {true, {}};
}

// DELIMITER as the first word of a statement: the rest of its blanks and the next
// run of non-blanks is the new delimiter. Comments before it go with it, unsent.
StatementSplitter::Scan StatementSplitter::scanDelimiterCommand()
{
    static constexpr QStringView word = u"DELIMITER";
    const Match match = matchAt(m_pos, word, Qt::CaseInsensitive);
    if (match != Match::Yes)
        return {match == Match::No, {}};
    qsizetype i = m_pos + word.size();
    if (i < m_buffer.size() && !isBlank(m_buffer.at(i)))
        return {true, {}};
    while (i < m_buffer.size() && isBlank(m_buffer.at(i)))
        ++i;
    const qsizetype from = i;
    while (i < m_buffer.size() && !isBlank(m_buffer.at(i)))
        ++i;
    if (i == m_buffer.size() && !m_finished)
        return {};

    Piece piece = makePiece(Piece::Kind::DelimiterCommand, m_buffer.sliced(from, i - from), position(i));
    if (!piece.text.isEmpty()) {
        m_delimiter = piece.text;
        m_delimiterIsSemicolon = m_delimiter == u";";
    }
    m_state = State::Between;
    m_start = -1;
    m_pos = i;
    return {true, std::move(piece)};
}

qint64 StatementSplitter::lineAt(qsizetype index)
{
    if (index < m_linesCountedTo) {
        m_linesCountedTo = 0;
        m_linesCounted = 0;
    }
    m_linesCounted += QStringView(m_buffer).sliced(m_linesCountedTo, index - m_linesCountedTo).count(u'\n');
    m_linesCountedTo = index;
    return 1 + m_linesDropped + m_linesCounted;
}

StatementSplitter::Scan StatementSplitter::endStatement(qsizetype textEnd, qsizetype consumedEnd)
{
    Scan scan{true, {}};
    if (textEnd > m_start) {
        scan.piece = makePiece(Piece::Kind::Statement, m_buffer.sliced(m_start, textEnd - m_start),
                               position(consumedEnd));
        scan.piece->line = lineAt(m_start);
    }
    m_state = State::Between;
    m_start = -1;
    m_wordStart = -1;
    m_pos = consumedEnd;
    return scan;
}

StatementSplitter::Piece StatementSplitter::unclosedQuote()
{
    Piece piece = makePiece(Piece::Kind::UnclosedQuote, m_buffer.sliced(m_start), position(m_pos));
    piece.quote = m_buffer.at(m_quoteStart);
    piece.quoteLine = 1 + m_linesDropped + QStringView(m_buffer).first(m_quoteStart).count(u'\n');
    piece.statementsHeldBack = statementsIn(QStringView(m_buffer).sliced(m_quoteStart + 1), m_delimiter);
    m_state = State::Between;
    m_start = -1;
    return piece;
}

// What a quote that never closes held back, counted by lines: those ending in the delimiter,
// and the text after the last of them. Quotes in that text cannot be trusted to pair up.
qint64 StatementSplitter::statementsIn(QStringView text, const QString& delimiter)
{
    qint64 count = 0;
    bool unended = true; // the statement the quote stands in counts even without an end
    for (const QStringView line : text.tokenize(u'\n')) {
        const QStringView trimmed = line.trimmed();
        if (trimmed.isEmpty())
            continue;
        unended = !trimmed.endsWith(delimiter);
        count += unended ? 0 : 1;
    }
    return count + (unended ? 1 : 0);
}

void StatementSplitter::finishWord()
{
    const QStringView word = QStringView(m_buffer).sliced(m_wordStart, m_pos - m_wordStart);
    m_wordStart = -1;
    if (!m_firstWordSeen) {
        m_firstWordSeen = true;
        if (!sameWord(word, u"CREATE") && !sameWord(word, u"ALTER"))
            m_kind = Kind::Plain;
        return;
    }
    for (const QStringView deciding : kDecidingWords) {
        if (sameWord(word, deciding)) {
            const bool routine =
                deciding == u"FUNCTION" || deciding == u"PROCEDURE" || deciding == u"TRIGGER";
            m_kind = routine ? Kind::Routine : Kind::Plain;
            return;
        }
    }
}

StatementSplitter::Match StatementSplitter::matchAt(qsizetype pos, QStringView text,
                                                    Qt::CaseSensitivity cs) const
{
    const QStringView rest = QStringView(m_buffer).sliced(pos);
    if (rest.size() >= text.size())
        return rest.first(text.size()).compare(text, cs) == 0 ? Match::Yes : Match::No;
    if (m_finished || rest.compare(text.first(rest.size()), cs) != 0)
        return Match::No;
    return Match::NeedMore;
}

// A "/" alone at the start of a line, followed by blanks up to a line end or the end of the text.
StatementSplitter::Match StatementSplitter::slashEndsStatement() const
{
    qsizetype i = m_pos + 1;
    while (i < m_buffer.size() && (m_buffer.at(i) == u' ' || m_buffer.at(i) == u'\t'))
        ++i;
    if (i == m_buffer.size())
        return m_finished ? Match::Yes : Match::NeedMore;
    return isLineEnd(m_buffer.at(i)) ? Match::Yes : Match::No;
}

bool StatementSplitter::atLineStart(qsizetype pos) const
{
    return isLineEnd(pos > 0 ? m_buffer.at(pos - 1) : m_beforeBuffer);
}
