#include "sheets/CsvReader.h"
#include "MemoryCap.h"
#include "TestFolder.h"
#include "TestPackages.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <QtTest>
#include <functional>

namespace {

QStringList readCsv(const QByteArray& bytes, const QByteArray& codePageOfOlderFiles = "windows-1250")
{
    TestFolder folder;
    folder.write("list.csv", bytes);
    CsvReader reader(codePageOfOlderFiles);
    reader.open(folder.filePath("list.csv"));
    return describeSheet(reader);
}

QByteArray encoded(const char* encoding, const QString& text)
{
    QStringEncoder encoder(encoding);
    return encoder.encode(text);
}

} // namespace

class CsvReaderTest : public QObject
{
    Q_OBJECT

private slots:
    void readsCells_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("rows");

        QTest::newRow("price export with BOM")
            << QByteArray("\xEF\xBB\xBF\"IDPART\";BRAND;TRADENUMBER;QUANTITY;PRICE;\"note : if for values "
                          "[QUANTITY,PRICE,PUBLISHED] is no value\"\r\n"
                          "101;\"Acme\";\"'AB-12/7\";5;12.5\r\n"
                          "102;\"text with \"\"quotes\"\"\";\"'00123\";;\r\n")
            << QStringList{"t:IDPART|t:BRAND|t:TRADENUMBER|t:QUANTITY|t:PRICE|t:note : if for values "
                           "[QUANTITY,PRICE,PUBLISHED] is no value",
                           "n:101|t:Acme|t:'AB-12/7|n:5|n:12.5|", "n:102|t:text with \"quotes\"|t:'00123|||"};
        QTest::newRow("comma separator")
            << QByteArray("IDPART,PRICE\n1,2.5\n") << QStringList{"t:IDPART|t:PRICE", "n:1|n:2.5"};
        QTest::newRow("tab separator")
            << QByteArray("IDPART\tPRICE\n1\t2,5\n") << QStringList{"t:IDPART|t:PRICE", "n:1|t:2,5"};
        QTest::newRow("separators inside quotes do not count")
            << QByteArray("\"a,b,c\";d\n1,5;2\n") << QStringList{"t:a,b,c|t:d", "t:1,5|n:2"};
        QTest::newRow("separator named on the first line")
            << QByteArray("sep=,\r\nIDPART;X,PRICE\r\n") << QStringList{"t:IDPART;X|t:PRICE"};
        QTest::newRow("line ends CR LF, LF and CR")
            << QByteArray("a;b\r\nc;d\ne;f\rg;h") << QStringList{"t:a|t:b", "t:c|t:d", "t:e|t:f", "t:g|t:h"};
        QTest::newRow("line breaks inside quotes kept as written")
            << QByteArray("a;\"x\r\ny\nz\rw\"\r\nb;c\r\n") << QStringList{"t:a|t:x\r\ny\nz\rw", "t:b|t:c"};
        QTest::newRow("quotes inside an unquoted cell are literal")
            << QByteArray("5\" disk;a\"b\"\r\n") << QStringList{"t:5\" disk|t:a\"b\""};
        QTest::newRow("text after a closing quote joins the cell")
            << QByteArray("\"ab\"cd;e\r\n") << QStringList{"t:abcd|t:e"};
        QTest::newRow("unterminated quote takes the rest")
            << QByteArray("\"abc\r\ndef;g") << QStringList{"t:abc\r\ndef;g"};
        QTest::newRow("blanks kept") << QByteArray(" a ; b\r\n") << QStringList{"t: a |t: b"};
        QTest::newRow("blank line inside") << QByteArray("a\r\n\r\nb\r\n") << QStringList{"t:a", "", "t:b"};
        QTest::newRow("trailing empty cells and lines do not count")
            << QByteArray("a;;\r\n;;\r\n\r\n") << QStringList{"t:a"};
        QTest::newRow("empty file") << QByteArray() << QStringList{""};
        QTest::newRow("one column") << QByteArray("IDPART\r\n1\r\n2\r\n")
                                    << QStringList{"t:IDPART", "n:1", "n:2"};
        QTest::newRow("quoted empty cell is empty") << QByteArray("\"\";x\r\n") << QStringList{"|t:x"};
    }

    void readsCells()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, rows);
        QCOMPARE(readCsv(bytes), rows);
    }

    // Only what is certainly a plain number becomes one; codes keep the text as written.
    void readsNumbersConservatively_data()
    {
        QTest::addColumn<QByteArray>("field");
        QTest::addColumn<QString>("cell");
        QTest::newRow("whole") << QByteArray("123") << "n:123";
        QTest::newRow("negative") << QByteArray("-3") << "n:-3";
        QTest::newRow("zero") << QByteArray("0") << "n:0";
        QTest::newRow("decimal point") << QByteArray("0.5") << "n:0.5";
        QTest::newRow("trailing zeros") << QByteArray("12.50") << "n:12.5";
        QTest::newRow("15 digits") << QByteArray("123456789012345") << "n:123456789012345";
        QTest::newRow("16 digits") << QByteArray("1234567890123456") << "t:1234567890123456";
        QTest::newRow("leading zeros") << QByteArray("00123") << "t:00123";
        QTest::newRow("apostrophe") << QByteArray("'123") << "t:'123";
        QTest::newRow("exponent-like code") << QByteArray("1e5") << "t:1e5";
        QTest::newRow("plus sign") << QByteArray("+5") << "t:+5";
        QTest::newRow("decimal comma") << QByteArray("\"1,5\"") << "t:1,5";
        QTest::newRow("point without digits") << QByteArray("12.") << "t:12.";
        QTest::newRow("leading point") << QByteArray(".5") << "t:.5";
        QTest::newRow("blank before") << QByteArray(" 12") << "t: 12";
        QTest::newRow("quoted number") << QByteArray("\"12\"") << "t:12";
        QTest::newRow("thousands") << QByteArray("1 234") << "t:1 234";
    }

    void readsNumbersConservatively()
    {
        QFETCH(QByteArray, field);
        QFETCH(QString, cell);
        QCOMPARE(readCsv("x;" + field + "\r\n"), QStringList{"t:x|" + cell});
    }

    void readsEveryEncoding_data()
    {
        const QString russian = QString::fromUtf8("IDPART;NAMEPART\r\n"
                                                  "1;Шуруповёрт аккумуляторный, чёрный\r\n"
                                                  "2;Набор отвёрток для точной механики\r\n"
                                                  "3;Перфоратор сетевой с кейсом и свёрлами\r\n");
        const QString french = QString::fromUtf8("IDPART;NAMEPART\r\n"
                                                 "1;Crème brûlée à la française, très célèbre\r\n"
                                                 "2;Pâté de campagne préparé à l'ancienne\r\n"
                                                 "3;Bœuf bourguignon mijoté, goût délicieux\r\n");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QByteArray>("codePageOfOlderFiles");
        QTest::addColumn<QString>("text");
        // A byte-order mark or valid UTF-8 wins over the code page of older files.
        QTest::newRow("UTF-8 with BOM")
            << "\xEF\xBB\xBF" + russian.toUtf8() << QByteArray("windows-1252") << russian;
        QTest::newRow("UTF-8 without BOM") << russian.toUtf8() << QByteArray("windows-1252") << russian;
        QTest::newRow("UTF-16LE with BOM")
            << encoded("UTF-16LE", QChar(0xFEFF) + french) << QByteArray("windows-1251") << french;
        QTest::newRow("UTF-16BE with BOM")
            << encoded("UTF-16BE", QChar(0xFEFF) + russian) << QByteArray("windows-1252") << russian;
        QTest::newRow("windows-1251")
            << encoded("windows-1251", russian) << QByteArray("windows-1251") << russian;
        QTest::newRow("windows-1252")
            << encoded("windows-1252", french) << QByteArray("windows-1252") << french;
    }

    void readsEveryEncoding()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QByteArray, codePageOfOlderFiles);
        QFETCH(QString, text);
        QStringList expected;
        for (const QString& line : text.split("\r\n", Qt::SkipEmptyParts)) {
            const QStringList cells = line.split(u';');
            bool isNumber = false;
            cells[0].toInt(&isNumber);
            expected.append((isNumber ? "n:" : "t:") + cells[0] + "|t:" + cells[1]);
        }
        QCOMPARE(readCsv(bytes, codePageOfOlderFiles), expected);
    }

    // The detector takes this short Czech list for ISO-8859-2 and turns š, ť and ž into other
    // letters: the configured code page decides, and the detector's other guess is only told.
    void legacyTextTakesTheCodePageOfOlderFiles_data()
    {
        QTest::addColumn<QByteArray>("codePageOfOlderFiles");
        QTest::addColumn<QString>("expected");
        const QString czech = QStringLiteral("Šťastný žluťoučký kůň");
        QTest::newRow("windows-1250") << QByteArray("windows-1250") << czech;
        QTest::newRow("windows-1252")
            << QByteArray("windows-1252")
            << QString(QStringDecoder("windows-1252").decode(encoded("windows-1250", czech)));
    }

    void legacyTextTakesTheCodePageOfOlderFiles()
    {
        QFETCH(QByteArray, codePageOfOlderFiles);
        QFETCH(QString, expected);
        TestFolder folder;
        folder.write("list.csv", encoded("windows-1250", QStringLiteral("1;Šťastný žluťoučký kůň\r\n")));
        CsvReader reader(codePageOfOlderFiles);
        reader.open(folder.filePath("list.csv"));

        QCOMPARE(describeSheet(reader), QStringList{"n:1|t:" + expected});
        const auto encoding = reader.textEncoding();
        QVERIFY(encoding && encoding->isLegacy());
        QCOMPARE(encoding->encoding.name, codePageOfOlderFiles);
        QCOMPARE(encoding->detectorGuess, QByteArray("ISO-8859-2"));
    }

    void readsWideSheetsWhole()
    {
        QStringList header;
        for (int column = 1; column <= 30; ++column)
            header.append(QString("C%1").arg(column));
        TestFolder folder;
        folder.write("wide.csv", header.join(u';').toUtf8() + "\r\n");
        CsvReader reader;
        reader.open(folder.filePath("wide.csv"));
        QCOMPARE(reader.extent(), SheetExtent({1, 30}));
        QCOMPARE(describeSheet(reader).constFirst().section(u'|', -1), "t:C30");
    }

    // Read as the import reads, every row, in a process that may use only 512 MB.
    void memoryFollowsTheValues_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("reading");
        QByteArray wide;
        for (int column = 1; column <= 10000; ++column)
            wide += "H" + QByteArray::number(column) + ";";
        wide.chop(1);
        wide += "\r\n";
        for (int row = 0; row < 10000; ++row)
            wide += "1;2;3\r\n";
        QTest::newRow("10,000-field header and 10,000 rows") << wide << "10001x10000, 40000 values, last 3";
        // Held whole, the cells of these rows alone would take some 900 MB.
        QByteArray row;
        for (int column = 1; column <= 20; ++column)
            row += QByteArray::number(column) + (column < 20 ? ";" : "\r\n");
        QTest::newRow("1,048,576 rows of 20 values")
            << row.repeated(SheetGrid::maxRows) << "1048576x20, 20971520 values, last 20";
        QTest::newRow("line of 20 million separators") << QByteArray(20'000'000, ';') + "\r\n1;2\r\n"
                                                       << "2x2, 2 values, last 2";
        // Read again as each piece comes, a line of 200 MB took half a minute and most of a GB.
        QTest::newRow("cell of 100 million characters")
            << "IDPART;PRICE\r\n1;\"" + QByteArray(100'000'000, 'x') + "\"\r\n"
            << QStringLiteral(
                   "a line (or a quoted cell) is longer than %1 characters: no price list holds one")
                   .arg(CsvReader::LongestRecord);
    }

    // The file is read in pieces of 256 KiB: whatever a piece ends in, the cells are those of
    // the whole file. The second row is cut after "before".
    void readsAcrossPieces_data()
    {
        QTest::addColumn<QByteArray>("head");
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QByteArray>("after");
        QTest::addColumn<QStringList>("rows");

        QTest::newRow("line end CR | LF") << QByteArray("2;") << QByteArray("x\r") << QByteArray("\n3;y\r\n")
                                          << QStringList{"n:2|t:{F}x", "n:3|t:y"};
        QTest::newRow("doubled quote \" | \"")
            << QByteArray("2;\"") << QByteArray("x\"") << QByteArray("\"y\";z\r\n")
            << QStringList{"n:2|t:{F}x\"y|t:z"};
        QTest::newRow("closing quote | separator") << QByteArray("2;\"") << QByteArray("x\"")
                                                   << QByteArray(";z\r\n") << QStringList{"n:2|t:{F}x|t:z"};
        QTest::newRow("quoted line break CR | LF")
            << QByteArray("2;\"") << QByteArray("x\r") << QByteArray("\ny\";z")
            << QStringList{"n:2|t:{F}x\r\ny|t:z"};
        QTest::newRow("number 12 | 34") << QByteArray("2;") << QByteArray("x;12") << QByteArray("34\r\n")
                                        << QStringList{"n:2|t:{F}x|n:1234"};
        QTest::newRow("letter of two bytes split")
            << QByteArray("2;") << QByteArray("x\xC3") << QByteArray("\xA9;z")
            << QStringList{"n:2|t:{F}x\u00E9|t:z"};
        QTest::newRow("older code page seen only after the first piece")
            << QByteArray("2;") << QByteArray("x;") << QByteArray("\xE9\r\n")
            << QStringList{"n:2|t:{F}x|t:\u00E9"};
    }

    void readsAcrossPieces()
    {
        QFETCH(QByteArray, head);
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, after);
        QFETCH(QStringList, rows);
        const QByteArray header = "H;I\r\n";
        const QByteArray filler(256 * 1024 - header.size() - head.size() - before.size(), 'a');
        QStringList expected{"t:H|t:I"};
        for (const QString& row : rows)
            expected.append(QString(row).replace(QStringLiteral("{F}"), QString::fromLatin1(filler)));
        // Every row is described as wide as the widest.
        qsizetype width = 0;
        for (const QString& row : expected)
            width = std::max(width, row.count(u'|'));
        for (QString& row : expected)
            row += QString(width - row.count(u'|'), u'|');
        QCOMPARE(readCsv(header + head + filler + before + after), expected);
    }

    void memoryFollowsTheValues()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, reading);
        QCOMPARE(readEveryRowUnderCap<CsvReader>(512, "list.csv", bytes), reading);
    }

    void refusesValuesBeyondTheLastColumn()
    {
        TestFolder folder;
        folder.write("list.csv", QByteArray(SheetGrid::maxColumns, ';') + "x\r\n");
        CsvReader reader;
        try {
            reader.open(folder.filePath("list.csv"));
            QFAIL("no error");
        } catch (const SpreadsheetError& error) {
            QCOMPARE(error.kind(), SpreadsheetError::Kind::NoExtent);
            QCOMPARE(error.message(), folder.filePath("list.csv") + ": " + SheetGrid::limitText());
        }
    }

    // Rows are read from the file again at each pass: a list saved anew since it was opened
    // ends the pass with an error rather than give rows that do not match its extent.
    void fileSavedAnewWhileItIsReadIsAnError()
    {
        TestFolder folder;
        folder.write("list.csv", "IDPART;PRICE\r\n1;2.5\r\n2;3.5\r\n");
        const QString path = folder.filePath("list.csv");
        CsvReader reader;
        reader.open(path);
        const auto expectChangeReported = [&](const std::function<void()>& reading) {
            try {
                reading();
                QFAIL("no error");
            } catch (const SpreadsheetError& error) {
                QCOMPARE(error.kind(), SpreadsheetError::Kind::NoExtent);
                QCOMPARE(error.message(), path + ": the file changed while it was read");
            }
        };
        const std::unique_ptr<SheetRows> rows = reader.rows();
        QList<SpreadsheetCell> cells;
        QVERIFY(rows->next(cells));
        folder.write("list.csv", "IDPART;PRICE\r\n1;2.5\r\n");
        expectChangeReported([&] {
            while (rows->next(cells)) {
            }
        });
        expectChangeReported([&] { reader.rows(); });
    }

    void missingFileCannotBeOpened()
    {
        TestFolder folder;
        CsvReader reader;
        try {
            reader.open(folder.filePath("missing.csv"));
            QFAIL("no error");
        } catch (const SpreadsheetError& error) {
            QCOMPARE(error.kind(), SpreadsheetError::Kind::CannotOpen);
            QVERIFY(error.message().startsWith(folder.filePath("missing.csv")));
        }
    }
};

QTEST_GUILESS_MAIN(CsvReaderTest)
#include "CsvReaderTest.moc"
