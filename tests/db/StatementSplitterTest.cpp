#include "db/StatementSplitter.h"

#include <QTest>

namespace {

using Piece = StatementSplitter::Piece;

// A piece as the tables write it: the statement text, "<delimiter X>" for a DELIMITER command,
// or "<quote Q on line L holds N>" for a quote that is never closed.
QString describe(const Piece& piece)
{
    if (piece.kind == Piece::Kind::DelimiterCommand)
        return QStringLiteral("<delimiter %1>").arg(piece.text);
    if (piece.kind == Piece::Kind::UnclosedQuote)
        return QStringLiteral("<quote %1 on line %2 holds %3>")
            .arg(piece.quote)
            .arg(piece.quoteLine)
            .arg(piece.statementsHeldBack);
    return piece.text;
}

// Feeds the text in chunks of chunkSize characters (0: whole), taking the pieces after each chunk.
QList<Piece> cut(const QString& text, int chunkSize)
{
    StatementSplitter splitter;
    QList<Piece> pieces;
    const auto take = [&] {
        while (auto piece = splitter.next())
            pieces.append(*piece);
    };
    const qsizetype step = chunkSize > 0 ? chunkSize : qMax<qsizetype>(text.size(), 1);
    for (qsizetype i = 0; i < text.size(); i += step) {
        splitter.feed(QStringView(text).mid(i, step));
        take();
    }
    splitter.finish();
    take();
    return pieces;
}

struct Case
{
    const char* name;
    QString text;
    QStringList pieces;
    QList<qint64> ends;
};

const QList<Case>& cases()
{
    static const QList<Case> all = {
        {"update script",
         "UPDATE a SET x=1 WHERE id=1;\r\n\r\n\r\nUPDATE a SET x=2 WHERE id=2;\r\n \t \r\nUPDATE a SET x=3 "
         "WHERE id=3;\r\n\r\nCOMMIT;\r\n",
         {"UPDATE a SET x=1 WHERE id=1", "UPDATE a SET x=2 WHERE id=2", "UPDATE a SET x=3 WHERE id=3",
          "COMMIT"},
         {28, 62, 97, 108}},
        {"semicolons in quoted text",
         "UPDATE p SET d='Say \\'hi\\'; go' WHERE id=1;\nUPDATE p SET d=\"a;\\\"b;\" WHERE id=2;",
         {"UPDATE p SET d='Say \\'hi\\'; go' WHERE id=1", "UPDATE p SET d=\"a;\\\"b;\" WHERE id=2"},
         {43, 79}},
        {"escaped backslash before closing quote",
         "UPDATE p SET d='C:\\\\';UPDATE p SET e=\"x\\\\\";",
         {"UPDATE p SET d='C:\\\\'", "UPDATE p SET e=\"x\\\\\""},
         {22, 43}},
        {"line end and other quote inside quoted text",
         "UPDATE p SET d='one;\r\n\"two;' WHERE id=1;",
         {"UPDATE p SET d='one;\r\n\"two;' WHERE id=1"},
         {40}},
        {"backquoted name", "SELECT `a;'b` FROM t;SELECT 2;", {"SELECT `a;'b` FROM t", "SELECT 2"}, {21, 30}},
        {"last statement without delimiter",
         "UPDATE a SET x=1;\r\nCOMMIT",
         {"UPDATE a SET x=1", "COMMIT"},
         {17, 25}},
        {"last statement with trailing blanks",
         "UPDATE a SET x=1;\nCOMMIT \r\n",
         {"UPDATE a SET x=1", "COMMIT \r\n"},
         {17, 27}},
        {"empty text", "", {}, {}},
        {"only blanks", " \r\n\t \n", {}, {}},
        {"empty statements",
         ";UPDATE a SET x=1;;UPDATE b SET y=2; ;\n;",
         {"UPDATE a SET x=1", "UPDATE b SET y=2"},
         {18, 36}},
        {"block comment",
         "/* a; b */UPDATE a SET x=1 /* c;\n d */;",
         {"/* a; b */UPDATE a SET x=1 /* c;\n d */"},
         {39}},
        {"block comment opened by /*/", "SELECT /*/ ; */ 1;", {"SELECT /*/ ; */ 1"}, {18}},
        {"hash comment", "UPDATE a SET x=1 # note; 'more\n;", {"UPDATE a SET x=1 # note; 'more\n"}, {32}},
        {"dash comment",
         "UPDATE a -- note; \"more\r\nSET x=1;",
         {"UPDATE a -- note; \"more\r\nSET x=1"},
         {33}},
        {"dash comment before tab or line end",
         "SELECT 1 --\n;SELECT 2 --\t;x\n;",
         {"SELECT 1 --\n", "SELECT 2 --\t;x\n"},
         {13, 29}},
        {"dashes without blank", "SELECT 5--1;SELECT 2;", {"SELECT 5--1", "SELECT 2"}, {12, 21}},
        {"dashes at end of text", "SELECT 1 --", {"SELECT 1 --"}, {11}},
        {"comment-only statement",
         "UPDATE a SET x=1;\n-- done\n",
         {"UPDATE a SET x=1", "-- done\n"},
         {17, 26}},
        {"DELIMITER block",
         "DELIMITER $$\nCREATE PROCEDURE p()\nBEGIN\n  UPDATE a SET x=1;\nEND $$\nDELIMITER ;\nCALL p();",
         {"<delimiter $$>", "CREATE PROCEDURE p()\nBEGIN\n  UPDATE a SET x=1;\nEND ", "<delimiter ;>",
          "CALL p()"},
         {12, 66, 78, 88}},
        {"DELIMITER in lower case, delimiter in quotes",
         "delimiter //\nSELECT '//', \"//\" //SELECT 2//",
         {"<delimiter //>", "SELECT '//', \"//\" ", "SELECT 2"},
         {12, 33, 43}},
        {"DELIMITER after a comment",
         "-- switch\nDELIMITER $$\nSELECT 1; SELECT 2$$",
         {"<delimiter $$>", "SELECT 1; SELECT 2"},
         {22, 43}},
        {"text ends in the middle of a delimiter",
         "DELIMITER $$\nSELECT 1$",
         {"<delimiter $$>", "SELECT 1$"},
         {12, 22}},
        {"text ends after one dash", "SELECT 1;SELECT 2 -", {"SELECT 1", "SELECT 2 -"}, {9, 19}},
        {"DELIMITER inside a statement", "SELECT delimiter FROM t;", {"SELECT delimiter FROM t"}, {24}},
        {"DELIMITER without new delimiter", "SELECT 1;\nDELIMITER", {"SELECT 1", "<delimiter >"}, {9, 19}},
        {"routine ended by slash line",
         "CREATE DEFINER=`root`@`localhost` FUNCTION f() RETURNS INT\nBEGIN\n  RETURN 1;\nEND;\n/\nSELECT "
         "f();",
         {"CREATE DEFINER=`root`@`localhost` FUNCTION f() RETURNS INT\nBEGIN\n  RETURN 1;\nEND;\n",
          "SELECT f()"},
         {83, 95}},
        {"routine ended by end of text",
         "create trigger t before insert on a for each row set new.x = 1; set @y = 2;",
         {"create trigger t before insert on a for each row set new.x = 1; set @y = 2;"},
         {75}},
        // A quote that never closes swallows the rest; the statements in it are counted by lines.
        {"quote never closed",
         "UPDATE a SET x=1;\r\nUPDATE p SET d='It\\'s;\r\nWHERE id=2;\r\n  \r\nUPDATE b SET "
         "y=3;\r\nCOMMIT;\r\n",
         {"UPDATE a SET x=1", "<quote ' on line 2 holds 4>"},
         {17, 88}},
        {"quote never closed, statements over several lines",
         "UPDATE p\nSET d=\"x\nWHERE id=1;\nUPDATE q\nSET e=2\nWHERE id=1;\nCOMMIT",
         {"<quote \" on line 2 holds 3>"},
         {65}},
        {"backquote never closed at the end",
         "SELECT 1;\n\nSELECT `",
         {"SELECT 1", "<quote ` on line 3 holds 1>"},
         {9, 19}},
        {"quote never closed after a delimiter command",
         "DELIMITER $$\nSELECT 'a$$\nSELECT 2$$\n",
         {"<delimiter $$>", "<quote ' on line 2 holds 2>"},
         {12, 36}},
        {"first word of the list decides",
         "CREATE OR REPLACE PROCEDURE p() SELECT 1;CREATE TABLE function_log (a INT);SELECT 2;",
         {"CREATE OR REPLACE PROCEDURE p() SELECT 1", "CREATE TABLE function_log (a INT)", "SELECT 2"},
         {41, 75, 84}},
        {"slash lines",
         "UPDATE a SET x=1\n/\nUPDATE b SET y=2\r\n/  \t\r\n/\nSELECT 3\n/",
         {"UPDATE a SET x=1\n", "UPDATE b SET y=2\r\n", "SELECT 3\n"},
         {18, 38, 55}},
        {"slash not alone on its line",
         "SELECT 6\n/ 2;SELECT 8 /\n2;",
         {"SELECT 6\n/ 2", "SELECT 8 /\n2"},
         {13, 26}},
    };
    return all;
}

} // namespace

class StatementSplitterTest : public QObject
{
    Q_OBJECT

private slots:
    void cutsText_data();
    void cutsText();
    void handsOutStatementOnceItsDelimiterIsRead();
    void statementsKnowTheirLine();
};

void StatementSplitterTest::cutsText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("chunkSize");
    QTest::addColumn<QStringList>("pieces");
    QTest::addColumn<QList<qint64>>("ends");
    for (const Case& c : cases()) {
        for (int chunkSize = 0; chunkSize <= 15; ++chunkSize)
            QTest::addRow("%s, chunks of %d", c.name, chunkSize) << c.text << chunkSize << c.pieces << c.ends;
    }
}

void StatementSplitterTest::cutsText()
{
    QFETCH(QString, text);
    QFETCH(int, chunkSize);
    QFETCH(QStringList, pieces);
    QFETCH(QList<qint64>, ends);

    QStringList described;
    QList<qint64> actualEnds;
    for (const Piece& piece : cut(text, chunkSize)) {
        described.append(describe(piece));
        actualEnds.append(piece.end);
    }
    QCOMPARE(described, pieces);
    QCOMPARE(actualEnds, ends);
}

void StatementSplitterTest::handsOutStatementOnceItsDelimiterIsRead()
{
    StatementSplitter splitter;
    splitter.feed(u"UPDATE a SET x=1");
    QVERIFY(!splitter.next());
    splitter.feed(u";\nDELIMITER $");
    QCOMPARE(splitter.next()->text, QString("UPDATE a SET x=1"));
    QVERIFY(!splitter.next()); // the new delimiter may go on
    splitter.feed(u"$\nSELECT 1$");
    QCOMPARE(describe(*splitter.next()), QString("<delimiter $$>"));
    QVERIFY(!splitter.next());
    splitter.feed(u"$ SELECT 2");
    QCOMPARE(splitter.next()->text, QString("SELECT 1"));
    QVERIFY(!splitter.next());
    splitter.finish();
    QCOMPARE(splitter.next()->text, QString("SELECT 2"));
    QVERIFY(!splitter.next());
}

// The line each statement starts on, however the text is cut into chunks.
void StatementSplitterTest::statementsKnowTheirLine()
{
    const QString text =
        QStringLiteral("UPDATE a SET x = 1;\r\n  \r\nUPDATE b\r\nSET y = 'two\nlines';\n"
                       "-- a comment\n\nDELIMITER $$\nSELECT 1$$ SELECT 2$$\n\n\n  COMMIT$$");
    for (int chunk = 0; chunk <= 15; ++chunk) {
        QList<qint64> lines;
        for (const Piece& piece : cut(text, chunk))
            if (piece.kind == Piece::Kind::Statement)
                lines << piece.line;
        QCOMPARE(lines, QList<qint64>({1, 3, 9, 9, 12}));
    }
}

QTEST_GUILESS_MAIN(StatementSplitterTest)
#include "StatementSplitterTest.moc"
