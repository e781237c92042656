#include "sheets/OdsReader.h"
#include "MemoryCap.h"
#include "TestFolder.h"
#include "TestPackages.h"

#include <QtTest>

namespace {

QByteArray table(const QByteArray& rows)
{
    return R"(<table:table table:name="S"><table:table-column table:number-columns-repeated="1024"/>)" +
           rows + "</table:table>";
}

QByteArray cell(const QByteArray& attributes, const QByteArray& content = {})
{
    return "<table:table-cell " + attributes + ">" + content + "</table:table-cell>";
}

QByteArray row(const QByteArray& cells)
{
    return "<table:table-row>" + cells + "</table:table-row>";
}

QByteArray textCell(const QByteArray& paragraphs)
{
    return cell(R"(office:value-type="string")", paragraphs);
}

struct Reading
{
    QStringList rows;
    SheetExtent extent;
};

Reading readOds(const QByteArray& package)
{
    TestFolder folder;
    folder.write("book.ods", package);
    OdsReader reader;
    reader.open(folder.filePath("book.ods"));
    return {describeSheet(reader), reader.extent()};
}

} // namespace

class OdsReaderTest : public QObject
{
    Q_OBJECT

private slots:
    void readsValueTypes_data()
    {
        QTest::addColumn<QByteArray>("cell");
        QTest::addColumn<QString>("value");
        QTest::newRow("float") << cell(R"(office:value-type="float" office:value="12.5")",
                                       "<text:p>12,50</text:p>")
                               << "n:12.5";
        QTest::newRow("percentage") << cell(R"(office:value-type="percentage" office:value="0.15")",
                                            "<text:p>15%</text:p>")
                                    << "n:0.15";
        QTest::newRow("currency")
            << cell(R"(office:value-type="currency" office:currency="EUR" office:value="1234.5")",
                    "<text:p>1.234,50 €</text:p>")
            << "n:1234.5";
        QTest::newRow("date") << cell(R"(office:value-type="date" office:date-value="2024-03-01")",
                                      "<text:p>01.03.24</text:p>")
                              << "n:45352";
        QTest::newRow("date and time")
            << cell(R"(office:value-type="date" office:date-value="2024-03-01T18:00:00")") << "n:45352.75";
        QTest::newRow("time") << cell(R"(office:value-type="time" office:time-value="PT13H30M00S")",
                                      "<text:p>13:30</text:p>")
                              << "n:0.5625";
        QTest::newRow("time over a day")
            << cell(R"(office:value-type="time" office:time-value="PT36H")") << "n:1.5";
        QTest::newRow("true") << cell(R"(office:value-type="boolean" office:boolean-value="true")",
                                      "<text:p>TRUE</text:p>")
                              << "b:TRUE";
        QTest::newRow("false") << cell(R"(office:value-type="boolean" office:boolean-value="false")",
                                       "<text:p>FALSE</text:p>")
                               << "b:FALSE";
        QTest::newRow("string") << textCell("<text:p>abc</text:p>") << "t:abc";
        QTest::newRow("string formula result")
            << cell(
                   R"(table:formula="of:=&quot;x&quot;" office:value-type="string" office:string-value="xy")",
                   "<text:p>xy</text:p>")
            << "t:xy";
        QTest::newRow("error")
            << cell(
                   R"(table:formula="of:=1/0" office:value-type="string" office:string-value="" calcext:value-type="error")",
                   "<text:p>#DIV/0!</text:p>")
            << "e:#DIV/0!";
        QTest::newRow("empty string") << textCell("<text:p/>") << "";
        QTest::newRow("no value") << cell(R"(table:style-name="ce1")") << "";
    }

    void readsValueTypes()
    {
        QFETCH(QByteArray, cell);
        QFETCH(QString, value);
        QCOMPARE(readOds(makeOds(table(row(cell + textCell("<text:p>end</text:p>"))))).rows,
                 QStringList{value + "|t:end"});
    }

    void readsTexts_data()
    {
        QTest::addColumn<QByteArray>("paragraphs");
        QTest::addColumn<QString>("text");
        QTest::newRow("repeated spaces")
            << QByteArray("<text:p><text:s/>a <text:s text:c=\"3\"/>b</text:p>") << " a    b";
        QTest::newRow("trailing blank as LibreOffice writes it")
            << QByteArray("<text:p>bc </text:p>") << "bc ";
        QTest::newRow("tab and line break")
            << QByteArray("<text:p>x<text:tab/>y<text:line-break/>z</text:p>") << "x\ty\nz";
        QTest::newRow("paragraphs joined by line breaks")
            << QByteArray("<text:p>one</text:p><text:p/><text:p>three</text:p>") << "one\n\nthree";
        QTest::newRow("spans and links")
            << QByteArray("<text:p>a<text:span>b<text:a>c</text:a></text:span>d</text:p>") << "abcd";
        QTest::newRow("comment is no text")
            << QByteArray("<office:annotation><dc:creator>me</dc:creator><text:p>comment</text:p></"
                          "office:annotation><text:p>value</text:p>")
            << "value";
        QTest::newRow("drawing is no text") << QByteArray("<text:p>a<draw:frame><draw:text-box><text:p>shape<"
                                                          "/text:p></draw:text-box></draw:frame>b</text:p>")
                                            << "ab";
        QTest::newRow("entities") << QByteArray("<text:p>&lt;b&gt; &amp; &quot;q&quot;</text:p>")
                                  << "<b> & \"q\"";
    }

    void readsTexts()
    {
        QFETCH(QByteArray, paragraphs);
        QFETCH(QString, text);
        QCOMPARE(readOds(makeOds(table(row(textCell(paragraphs))))).rows, QStringList{"t:" + text});
    }

    void readsRepeatsAndStructure_data()
    {
        const QByteArray one = cell(R"(office:value-type="float" office:value="1")");
        const QByteArray two = cell(R"(office:value-type="float" office:value="2")");
        QTest::addColumn<QByteArray>("rows");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<SheetExtent>("extent");
        QTest::newRow("repeated cells")
            << row(one +
                   cell(R"(table:number-columns-repeated="3" office:value-type="float" office:value="2")"))
            << QStringList{"n:1|n:2|n:2|n:2"} << SheetExtent{1, 4};
        QTest::newRow("repeated rows") << QByteArray(R"(<table:table-row table:number-rows-repeated="3">)" +
                                                     one + "</table:table-row>" + row(two))
                                       << QStringList{"n:1", "n:1", "n:1", "n:2"} << SheetExtent{4, 1};
        QTest::newRow("huge trailing empty repeats")
            << QByteArray(
                   row(one + R"(<table:table-cell table:number-columns-repeated="1023"/>)") +
                   R"(<table:table-row table:number-rows-repeated="1048575"><table:table-cell table:number-columns-repeated="1024"/></table:table-row>)")
            << QStringList{"n:1"} << SheetExtent{1, 1};
        QTest::newRow("empty rows and cells before values")
            << QByteArray(
                   R"(<table:table-row table:number-rows-repeated="2"><table:table-cell table:number-columns-repeated="5"/></table:table-row>)" +
                   row(R"(<table:table-cell table:number-columns-repeated="2"/>)" + one))
            << QStringList{"||", "||", "||n:1"} << SheetExtent{3, 3};
        QTest::newRow("covered cells keep their place")
            << row(cell(R"(table:number-columns-spanned="2" office:value-type="float" office:value="1")") +
                   "<table:covered-table-cell/>" + two)
            << QStringList{"n:1||n:2"} << SheetExtent{1, 3};
        QTest::newRow("header rows and row groups")
            << QByteArray("<table:table-header-rows>" + row(one) +
                          "</table:table-header-rows><table:table-row-group><table:table-rows>" + row(two) +
                          "</table:table-rows></table:table-row-group>")
            << QStringList{"n:1", "n:2"} << SheetExtent{2, 1};
        QTest::newRow("wider than 26 columns")
            << row(one + R"(<table:table-cell table:number-columns-repeated="28"/>)" + two)
            << QStringList{"n:1" + QString(28, u'|') + "|n:2"} << SheetExtent{1, 30};
        QTest::newRow("one column") << QByteArray(row(one) + row(two)) << QStringList{"n:1", "n:2"}
                                    << SheetExtent{2, 1};
        QTest::newRow("empty table") << QByteArray() << QStringList{""} << SheetExtent{1, 1};
    }

    void readsRepeatsAndStructure()
    {
        QFETCH(QByteArray, rows);
        QFETCH(QStringList, expected);
        QFETCH(SheetExtent, extent);
        const Reading reading = readOds(makeOds(table(rows)));
        QCOMPARE(reading.extent, extent);
        QCOMPARE(reading.rows, expected);
    }

    void readsOnlyTheFirstTable()
    {
        const QByteArray spreadsheet = "<table:calculation-settings/>" +
                                       table(row(textCell("<text:p>first</text:p>"))) +
                                       table(row(textCell("<text:p>second</text:p>")));
        QCOMPARE(readOds(makeOds(spreadsheet)).rows, QStringList{"t:first"});
    }

    void readsADocumentAsLibreOfficeSavesIt()
    {
        OdsReader reader;
        reader.open(testDataPath("sample.ods"));
        QCOMPARE(reader.extent(), SheetExtent({6, 30}));
        QCOMPARE(describeSheet(reader), sampleSheetRows("b:TRUE"));
    }

    void reportsFailures_data()
    {
        QTest::addColumn<QByteArray>("package");
        QTest::addColumn<SpreadsheetError::Kind>("kind");
        QTest::addColumn<QString>("reason");
        QTest::newRow("no content") << makeZip({{"mimetype", "application/vnd.oasis.opendocument.spreadsheet",
                                                 false}})
                                    << SpreadsheetError::Kind::CannotOpen
                                    << "the part content.xml is missing";
        QTest::newRow("text document")
            << makeZip(
                   {{"content.xml",
                     R"(<office:document-content xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0"><office:body><office:text/></office:body></office:document-content>)"}})
            << SpreadsheetError::Kind::CannotOpen << "not a spreadsheet document";
        QTest::newRow("no table") << makeOds("<table:named-expressions/>")
                                  << SpreadsheetError::Kind::NoFirstSheet << "the document holds no table";
        QTest::newRow("float that is none")
            << makeOds(table(row(cell(R"(office:value-type="float" office:value="1,5")"))))
            << SpreadsheetError::Kind::NoExtent << "content.xml, line 1: cell value \"1,5\"";
        QTest::newRow("value repeated beyond the largest sheet")
            << makeOds(table(R"(<table:table-row table:number-rows-repeated="1048577">)" +
                             cell(R"(office:value-type="float" office:value="1")") + "</table:table-row>"))
            << SpreadsheetError::Kind::NoExtent << "content.xml, line 1: " + SheetGrid::limitText();
        QTest::newRow("value repeated over a whole sheet")
            << makeOds(table(
                   R"(<table:table-row table:number-rows-repeated="1048576">)" +
                   cell(
                       R"(table:number-columns-repeated="16384" office:value-type="float" office:value="1")") +
                   "</table:table-row>"))
            << SpreadsheetError::Kind::NoExtent << "content.xml, line 1: " + SheetGrid::limitText();
        const QByteArray value = cell(R"(office:value-type="float" office:value="1")");
        const QByteArray largest = "9223372036854775807";
        QTest::newRow("largest row repeat, then a value")
            << makeOds(table("<table:table-row table:number-rows-repeated=\"" + largest +
                             "\"><table:table-cell/>" + "</table:table-row>" + row(value)))
            << SpreadsheetError::Kind::NoExtent << "content.xml, line 1: " + SheetGrid::limitText();
        QTest::newRow("largest column repeat, then a value")
            << makeOds(table(
                   row("<table:table-cell table:number-columns-repeated=\"" + largest + "\"/>" + value)))
            << SpreadsheetError::Kind::NoExtent << "content.xml, line 1: " + SheetGrid::limitText();
        QTest::newRow("value repeated by the largest counts")
            << makeOds(table("<table:table-row table:number-rows-repeated=\"" + largest + "\">" +
                             cell("table:number-columns-repeated=\"" + largest +
                                  "\" office:value-type=\"float\" office:value=\"1\"") +
                             "</table:table-row>"))
            << SpreadsheetError::Kind::NoExtent << "content.xml, line 1: " + SheetGrid::limitText();
        QTest::newRow("repeat beyond any number, then a value")
            << makeOds(table(row(
                   "<table:table-cell table:number-columns-repeated=\"99999999999999999999999\"/>" + value)))
            << SpreadsheetError::Kind::NoExtent << "content.xml, line 1: " + SheetGrid::limitText();
        QTest::newRow("more repeated spaces than a cell holds")
            << makeOds(table(row(textCell("<text:p>" + QByteArray(R"(<text:s text:c="20000"/>)").repeated(2) +
                                          "</text:p>"))))
            << SpreadsheetError::Kind::NoExtent
            << "content.xml, line 1: more than 32767 repeated spaces in one cell";
        QTest::newRow("absurd space count")
            << makeOds(table(row(textCell(R"(<text:p><text:s text:c="99999999"/></text:p>)"))))
            << SpreadsheetError::Kind::NoExtent << "content.xml, line 1: space count \"99999999\"";
        QTest::newRow("malformed table")
            << makeOds(table(row("<table:table-cell>"))) << SpreadsheetError::Kind::NoExtent
            << "content.xml, line 1: Opening and ending tag mismatch.";
    }

    // Trailing empty rows and cells repeated by the largest counts, as damaged files may have.
    void largestEmptyRepeatsCostNothing()
    {
        const QByteArray largest = "9223372036854775807";
        const Reading reading = readOds(makeOds(table(
            row(cell(R"(office:value-type="float" office:value="1")") +
                "<table:table-cell table:number-columns-repeated=\"" + largest + "\"/>") +
            "<table:table-row table:number-rows-repeated=\"" + largest +
            "\"><table:table-cell table:number-columns-repeated=\"" + largest + "\"/></table:table-row>")));
        QCOMPARE(reading.rows, QStringList{"n:1"});
        QCOMPARE(reading.extent, SheetExtent({1, 1}));
    }

    // Read as the import reads, every row, in a process that may use only 512 MB.
    void memoryFollowsTheValues_data()
    {
        QTest::addColumn<QByteArray>("package");
        QTest::addColumn<QString>("reading");
        QTest::newRow("one value at the sheet's far corner")
            << makeOds(table(
                   R"(<table:table-row table:number-rows-repeated="1048575"><table:table-cell/></table:table-row>)" +
                   row(R"(<table:table-cell table:number-columns-repeated="16383"/>)" +
                       cell(R"(office:value-type="float" office:value="5")"))))
            << "1048576x16384, 1 values, last 5";
        // 20,000 runs of 32,767 spaces would be 1.3 GB of text.
        QTest::newRow("cell of countless repeated spaces")
            << makeOds(table(row(textCell(
                   "<text:p>" + QByteArray(R"(<text:s text:c="32767"/>)").repeated(20000) + "</text:p>"))))
            << "content.xml, line 1: more than 32767 repeated spaces in one cell";
    }

    void memoryFollowsTheValues()
    {
        QFETCH(QByteArray, package);
        QFETCH(QString, reading);
        QCOMPARE(readEveryRowUnderCap<OdsReader>(512, "book.ods", package), reading);
    }

    void reportsFailures()
    {
        QFETCH(QByteArray, package);
        QFETCH(SpreadsheetError::Kind, kind);
        QFETCH(QString, reason);
        TestFolder folder;
        folder.write("book.ods", package);
        OdsReader reader;
        try {
            reader.open(folder.filePath("book.ods"));
            QFAIL("no error");
        } catch (const SpreadsheetError& error) {
            QCOMPARE(error.message(), folder.filePath("book.ods") + ": " + reason);
            QCOMPARE(error.kind(), kind);
        }
    }
};

QTEST_GUILESS_MAIN(OdsReaderTest)
#include "OdsReaderTest.moc"
