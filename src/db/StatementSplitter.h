#pragma once

#include <QString>
#include <optional>

// Cuts SQL script text into statements by the lexical rules of MySQL, as the text
// arrives: feed it chunks of any size and take each statement as soon as its
// delimiter has been read. Comments stay in the statement text; DELIMITER commands
// are obeyed and handed out as pieces of their own, never as statements.
class StatementSplitter
{
public:
    struct Piece
    {
        enum class Kind
        {
            Statement,
            DelimiterCommand,
            // The last statement, in which a quote is never closed: it swallowed the rest of
            // the text, and sending it would send all the statements after it as one string.
            UnclosedQuote
        };

        Kind kind = Kind::Statement;
        // The statement from its first non-blank character up to the delimiter, unchanged;
        // for a DELIMITER command the new delimiter (empty when the command named none).
        QString text;
        // Characters of the whole text consumed, the delimiter included.
        qint64 end = 0;
        // For a statement: the line it starts on (from 1).
        qint64 line = 0;
        // For an unclosed quote: the quote character, the line it stands on (from 1), and
        // the statements held back with it, the one it opened in included.
        QChar quote;
        qint64 quoteLine = 0;
        qint64 statementsHeldBack = 0;

        bool operator==(const Piece&) const = default;
    };

    void feed(QStringView text);
    // The end of the text: it ends the last statement.
    void finish();
    // The next complete piece, or nothing until more text is fed (or, after finish, ever).
    std::optional<Piece> next();

private:
    enum class State
    {
        Between,
        Code,
        SingleQuoted,
        DoubleQuoted,
        Backquoted,
        BlockComment,
        LineComment
    };
    enum class Kind
    {
        Undecided,
        Plain,
        Routine
    };
    enum class Match
    {
        No,
        Yes,
        NeedMore
    };

    struct Scan
    {
        bool done = false;
        std::optional<Piece> piece;
    };

    Scan scanCode();
    Scan scanDelimiterCommand();
    Scan endStatement(qsizetype textEnd, qsizetype consumedEnd);
    Piece unclosedQuote();
    static qint64 statementsIn(QStringView text, const QString& delimiter);
    void finishWord();

    Match matchAt(qsizetype pos, QStringView text, Qt::CaseSensitivity cs) const;
    Match slashEndsStatement() const;
    bool atLineStart(qsizetype pos) const;
    qint64 position(qsizetype index) const { return m_dropped + index; }
    // The line (from 1) of the buffer's character at index; indexes asked for never go back.
    qint64 lineAt(qsizetype index);

    QString m_buffer;
    qint64 m_dropped = 0;           // characters before m_buffer[0]
    qint64 m_linesDropped = 0;      // line feeds before m_buffer[0]
    qsizetype m_linesCountedTo = 0; // line feeds of m_buffer before this index are counted...
    qint64 m_linesCounted = 0;      // ...here
    QChar m_beforeBuffer = u'\n';   // the character before m_buffer[0]; the text starts a line
    bool m_finished = false;

    QString m_delimiter = QStringLiteral(";");
    bool m_delimiterIsSemicolon = true; // the rules for routines and "/" lines hold only then
    State m_state = State::Between;
    qsizetype m_pos = 0;
    qsizetype m_start = -1; // first character of the statement being gathered
    bool m_escaped = false;
    qsizetype m_quoteStart = -1; // the quote that opened the quoted text being read
    bool m_onlyComments = false; // nothing but blanks and comments gathered yet
    Kind m_kind = Kind::Undecided;
    bool m_firstWordSeen = false;
    qsizetype m_wordStart = -1;
};
