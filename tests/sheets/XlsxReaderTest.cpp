#include "sheets/XlsxReader.h"
#include "MemoryCap.h"
#include "TestFolder.h"
#include "TestPackages.h"

#include <QtTest>

namespace {

const QByteArray worksheetRelationship = workbookRelationship("rId1", "worksheet", "worksheets/sheet1.xml");

struct Reading
{
    QStringList rows;
    SheetExtent extent;
};

Reading readXlsx(const QByteArray& package)
{
    TestFolder folder;
    folder.write("book.xlsx", package);
    XlsxReader reader;
    reader.open(folder.filePath("book.xlsx"));
    return {describeSheet(reader), reader.extent()};
}

// A price list of the given rows (id, price, quantity), numbered from row 2 under a header.
QByteArray priceRows(int rows)
{
    QByteArray data = R"(<row r="1"><c r="A1" t="inlineStr"><is><t>IDPART</t></is></c></row>)";
    for (int r = 2; r <= rows; ++r) {
        const QByteArray n = QByteArray::number(r);
        data += "<row r=\"" + n + "\"><c r=\"A" + n + "\"><v>" + n + "</v></c><c r=\"B" + n + "\"><v>" + n +
                ".5</v></c><c r=\"C" + n + "\"><v>3</v></c></row>";
    }
    return data;
}

// A worksheet whose XML goes on for megabytes of blanks after <sheetData>, as declared.
TestZipMember sheetWithLongTail(int megabytes)
{
    const QByteArray head =
        R"(<?xml version="1.0" encoding="UTF-8"?><worksheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"><sheetData><row r="1"><c r="A1"><v>7</v></c></row></sheetData>)";
    return repeatingMember("xl/worksheets/sheet1.xml", head, QByteArray(1 << 20, ' '), megabytes,
                           "</worksheet>");
}

QByteArray workbookOf(const TestZipMember& sheet)
{
    return makeXlsxWorkbook(R"(<sheet name="S" sheetId="1" r:id="rId1"/>)", worksheetRelationship, {sheet});
}

} // namespace

class XlsxReaderTest : public QObject
{
    Q_OBJECT

private slots:
    void readsCells_data()
    {
        QTest::addColumn<QByteArray>("sharedStrings");
        QTest::addColumn<QByteArray>("sheetData");
        QTest::addColumn<QStringList>("rows");

        QTest::newRow("shared strings")
            << QByteArray("<si><t>IDPART</t></si><si><t>PRICE</t></si>")
            << QByteArray(R"(<row r="1"><c r="A1" t="s"><v>0</v></c><c r="B1" t="s"><v>1</v></c></row>)")
            << QStringList{"t:IDPART|t:PRICE"};
        QTest::newRow("rich text runs")
            << QByteArray(
                   R"(<si><r><rPr><b/></rPr><t>Bold</t></r><r><rPr><i/></rPr><t xml:space="preserve"> and italic</t></r></si>)")
            << QByteArray(R"(<row r="1"><c r="A1" t="s"><v>0</v></c></row>)")
            << QStringList{"t:Bold and italic"};
        QTest::newRow("phonetic reading is no text")
            << QByteArray(
                   R"(<si><t>東京</t><rPh sb="0" eb="2"><t>トウキョウ</t></rPh><phoneticPr fontId="1"/></si>)")
            << QByteArray(R"(<row r="1"><c r="A1" t="s"><v>0</v></c></row>)") << QStringList{"t:東京"};
        QTest::newRow("line breaks and repeated blanks")
            << QByteArray("<si><t xml:space=\"preserve\">  a   b\nc </t></si>")
            << QByteArray(R"(<row r="1"><c r="A1" t="s"><v>0</v></c></row>)") << QStringList{"t:  a   b\nc "};
        QTest::newRow("escaped characters")
            << QByteArray("<si><t>a_x000D_\nb_x0009_c</t></si><si><t>_x005F_x0041_ x_x0041_</t></si>")
            << QByteArray(R"(<row r="1"><c r="A1" t="s"><v>0</v></c><c r="B1" t="s"><v>1</v></c></row>)")
            << QStringList{"t:a\r\nb\tc|t:_x0041_ xA"};
        QTest::newRow("inline strings")
            << QByteArray()
            << QByteArray(
                   R"(<row r="1"><c r="A1" t="inlineStr"><is><t>inline</t></is></c><c r="B1" t="inlineStr"><is><r><t>ri</t></r><r><t>ch</t></r></is></c></row>)")
            << QStringList{"t:inline|t:rich"};
        QTest::newRow("numbers")
            << QByteArray()
            << QByteArray(
                   R"(<row r="1"><c r="A1"><v>12.5</v></c><c r="B1" t="n"><v>1234567</v></c><c r="C1"><v>1.5E-3</v></c><c r="D1"><v>-3</v></c></row>)")
            << QStringList{"n:12.5|n:1234567|n:0.0015|n:-3"};
        QTest::newRow("dates stay serial numbers")
            << QByteArray()
            << QByteArray(
                   R"(<row r="1"><c r="A1" s="1"><v>45352</v></c><c r="B1" t="d"><v>2024-03-01T12:00:00</v></c><c r="C1" t="d"><v>2024-03-01</v></c></row>)")
            << QStringList{"n:45352|n:45352.5|n:45352"};
        QTest::newRow("booleans, constant and computed")
            << QByteArray()
            << QByteArray(
                   R"(<row r="1"><c r="A1" t="b"><v>1</v></c><c r="B1" t="b"><f>A2&gt;1</f><v>0</v></c></row>)")
            << QStringList{"b:TRUE|b:FALSE"};
        QTest::newRow("cached formula results")
            << QByteArray()
            << QByteArray(
                   R"(<row r="1"><c r="A1"><f>SUM(B2:B3)</f><v>3</v></c><c r="B1" t="str"><f>"x"&amp;"y"</f><v>xy</v></c><c r="C1" t="str"><f>""</f><v></v></c></row>)")
            << QStringList{"n:3|t:xy"};
        QTest::newRow("errors, constant and computed")
            << QByteArray()
            << QByteArray(
                   R"(<row r="1"><c r="A1" t="e"><v>#N/A</v></c><c r="B1" t="e"><f>1/0</f><v>#DIV/0!</v></c></row>)")
            << QStringList{"e:#N/A|e:#DIV/0!"};
        QTest::newRow("formatted empty cells are not used")
            << QByteArray()
            << QByteArray(
                   R"(<row r="1"><c r="A1"><v>1</v></c><c r="B1" s="3"/></row><row r="2"><c r="C2" s="2"/></row>)")
            << QStringList{"n:1"};
        QTest::newRow("positions without references")
            << QByteArray()
            << QByteArray(
                   R"(<row><c><v>1</v></c><c><v>2</v></c></row><row><c r="B2"><v>3</v></c><c><v>4</v></c></row>)")
            << QStringList{"n:1|n:2|", "|n:3|n:4"};
        QTest::newRow("gaps before the last row")
            << QByteArray()
            << QByteArray(R"(<row r="1"><c r="A1"><v>1</v></c></row><row r="4"><c r="B4"><v>2</v></c></row>)")
            << QStringList{"n:1|", "|", "|", "|n:2"};
        QTest::newRow("one column")
            << QByteArray()
            << QByteArray(R"(<row r="1"><c r="A1"><v>1</v></c></row><row r="2"><c r="A2"><v>2</v></c></row>)")
            << QStringList{"n:1", "n:2"};
        QTest::newRow("empty sheet") << QByteArray() << QByteArray() << QStringList{""};
        QTest::newRow("rows out of order")
            << QByteArray()
            << QByteArray(
                   "<row r=\"2\"><c r=\"A2\"><v>2</v></c></row><row r=\"1\"><c r=\"A1\"><v>1</v></c></row>")
            << QStringList{"n:1", "n:2"};
        // A long first row puts the second one into the second half of the part.
        QByteArray longRow = "<row r=\"1\">";
        QStringList longRowCells;
        for (int c = 1; c <= 60; ++c) {
            longRow += "<c><v>" + QByteArray::number(c) + "</v></c>";
            longRowCells << QStringLiteral("n:%1").arg(c);
        }
        longRow += "</row>";
        QTest::newRow("one row number twice")
            << QByteArray() << longRow + "<row r=\"1\"><c r=\"BJ1\"><v>62</v></c></row>"
            << QStringList{(longRowCells + QStringList{"", "n:62"}).join(u'|')};
        // A long attribute puts the unnumbered row into the second half of the part.
        QStringList rowsUpTo6(5);
        rowsUpTo6 << QStringLiteral("n:7");
        QTest::newRow("unnumbered row after a numbered empty one")
            << QByteArray()
            << "<row r=\"5\" note=\"" + QByteArray(2000, 'x') + "\"/><row spans=\"1:1\"><c><v>7</v></c></row>"
            << rowsUpTo6;
        QTest::newRow("references and line ends")
            << QByteArray("<si><t>a&amp;b&#x41;&#66;\r\nc\rd&#13;</t></si>")
            << QByteArray("<row r=\"1\"><c r=\"A1\" t=\"s\"><v>0</v></c>"
                          "<c r=\"B1\" t=\"inlineStr\"><is><t>&lt;&gt;&quot;&apos;</t></is></c></row>")
            << QStringList{"t:a&bAB\nc\nd\r|t:<>\"'"};
        QTest::newRow("comments and CDATA")
            << QByteArray("<si><!-- note --><t><![CDATA[x<y]]></t></si>")
            << QByteArray("<row r=\"1\"><!-- note --><c r=\"A1\" t=\"s\"><v>0</v></c><c "
                          "r=\"B1\"><v><![CDATA[2]]></v></c></row>")
            << QStringList{"t:x<y|n:2"};
        QTest::newRow("prefixed elements")
            << QByteArray()
            << QByteArray(
                   "<x:row xmlns:x=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" r=\"1\">"
                   "<x:c r=\"A1\"><x:v>5</x:v></x:c></x:row>")
            << QStringList{"n:5"};
    }

    void readsCells()
    {
        QFETCH(QByteArray, sharedStrings);
        QFETCH(QByteArray, sheetData);
        QFETCH(QStringList, rows);
        QCOMPARE(readXlsx(makeXlsx(sheetData, sharedStrings)).rows, rows);
    }

    void readsSheetsWiderThan26Columns()
    {
        const Reading reading = readXlsx(makeXlsx(
            R"(<row r="1"><c r="A1"><v>1</v></c><c r="Z1"><v>26</v></c><c r="AA1"><v>27</v></c><c r="AD1"><v>30</v></c></row><row r="2"><c r="XFD2"><v>16384</v></c></row>)"));
        QCOMPARE(reading.extent, SheetExtent({2, 16384}));
        const QStringList first = reading.rows[0].split(u'|');
        QCOMPARE(first.mid(24, 7), QStringList({"", "n:26", "n:27", "", "", "n:30", ""}));
        QCOMPARE(reading.rows[1].split(u'|').last(), "n:16384");
    }

    // Chart sheets sit among the sheets but are no worksheets; the tab order decides, not part names.
    void readsTheFirstWorksheet()
    {
        const QByteArray package = makeXlsxWorkbook(
            R"(<sheet name="Chart" sheetId="3" r:id="rId3"/><sheet name="Data" sheetId="2" r:id="rId2"/><sheet name="Old" sheetId="1" r:id="rId1"/>)",
            worksheetRelationship + workbookRelationship("rId2", "worksheet", "/xl/worksheets/sheet2.xml") +
                workbookRelationship("rId3", "chartsheet", "chartsheets/sheet1.xml"),
            {worksheetPart("xl/worksheets/sheet1.xml",
                           R"(<row r="1"><c r="A1" t="inlineStr"><is><t>old</t></is></c></row>)"),
             worksheetPart("xl/worksheets/sheet2.xml",
                           R"(<row r="1"><c r="A1" t="inlineStr"><is><t>data</t></is></c></row>)")});
        QCOMPARE(readXlsx(package).rows, QStringList{"t:data"});
    }

    void readsAWorkbookAsLibreOfficeSavesIt()
    {
        XlsxReader reader;
        reader.open(testDataPath("sample.xlsx"));
        QCOMPARE(reader.extent(), SheetExtent({6, 30}));
        QCOMPARE(describeSheet(reader), sampleSheetRows("n:1"));
    }

    void reportsFailures_data()
    {
        QTest::addColumn<QByteArray>("package");
        QTest::addColumn<SpreadsheetError::Kind>("kind");
        QTest::addColumn<QString>("reason");

        QTest::newRow("not an archive")
            << QByteArray("IDPART;PRICE") << SpreadsheetError::Kind::CannotOpen << "not a ZIP archive";
        QTest::newRow("archive without a workbook")
            << makeZip({{"readme.txt", "hello"}}) << SpreadsheetError::Kind::CannotOpen
            << "not an Office Open XML package";
        QTest::newRow("workbook without sheets")
            << makeXlsxWorkbook("", "", {}) << SpreadsheetError::Kind::NoFirstSheet
            << "the workbook holds no worksheet";
        QTest::newRow("workbook with only a chart sheet")
            << makeXlsxWorkbook(R"(<sheet name="Chart" sheetId="1" r:id="rId1"/>)",
                                workbookRelationship("rId1", "chartsheet", "chartsheets/sheet1.xml"), {})
            << SpreadsheetError::Kind::NoFirstSheet << "the workbook holds no worksheet";
        QTest::newRow("worksheet part missing")
            << makeXlsxWorkbook(R"(<sheet name="S" sheetId="1" r:id="rId1"/>)", worksheetRelationship, {})
            << SpreadsheetError::Kind::CannotOpen << "the part xl/worksheets/sheet1.xml is missing";
        QTest::newRow("malformed worksheet")
            << makeXlsx(R"(<row r="1"><c r="A1"><v>1</v></row>)") << SpreadsheetError::Kind::NoExtent
            << "xl/worksheets/sheet1.xml, line 1: Opening and ending tag mismatch.";
        QTest::newRow("number that is none")
            << makeXlsx(R"(<row r="1"><c r="A1"><v>abc</v></c></row>)") << SpreadsheetError::Kind::NoExtent
            << "xl/worksheets/sheet1.xml, line 1: cell 1 of row 1 holds \"abc\" as type \"\"";
        QTest::newRow("shared string beyond the list")
            << makeXlsx(R"(<row r="1"><c r="A1" t="s"><v>1</v></c></row>)", "<si><t>only</t></si>")
            << SpreadsheetError::Kind::NoExtent
            << "xl/worksheets/sheet1.xml, line 1: cell 1 of row 1 holds \"1\" as type \"s\"";
        QTest::newRow("cell reference in another row")
            << makeXlsx(R"(<row r="1"><c r="A2"><v>1</v></c></row>)") << SpreadsheetError::Kind::NoExtent
            << "xl/worksheets/sheet1.xml, line 1: cell reference \"A2\" in row 1";
        QTest::newRow("column beyond XFD")
            << makeXlsx(R"(<row r="1"><c r="XFE1"><v>1</v></c></row>)") << SpreadsheetError::Kind::NoExtent
            << "xl/worksheets/sheet1.xml, line 1: " + SheetGrid::limitText();
    }

    void reportsFailures()
    {
        QFETCH(QByteArray, package);
        QFETCH(SpreadsheetError::Kind, kind);
        QFETCH(QString, reason);
        TestFolder folder;
        folder.write("book.xlsx", package);
        XlsxReader reader;
        try {
            reader.open(folder.filePath("book.xlsx"));
            QFAIL("no error");
        } catch (const SpreadsheetError& error) {
            QCOMPARE(error.message(), folder.filePath("book.xlsx") + ": " + reason);
            QCOMPARE(error.kind(), kind);
        }
    }

    // The quick way reads the worksheet in pieces of about a megabyte that end after a row;
    // it must read what the full parser reads, whatever lies at a piece's end, and where it
    // gives up in a late piece the full way reads it all.
    void readsLargeSheetsInPieces_data()
    {
        QTest::addColumn<QByteArray>("sheetData");
        QTest::addColumn<bool>("quickWayReadsIt");
        // Rows of shared strings (one of them empty), numbers and inline text, with a gap of
        // empty rows and rows without their number.
        QByteArray rows;
        for (int r = 1; r <= 30000; ++r) {
            const QByteArray n = QByteArray::number(r <= 20000 ? r : r + 5000);
            const QByteArray number = r % 7 == 0 ? QByteArray() : " r=\"" + n + "\"";
            rows += "<row" + number + "><c t=\"s\"><v>" + QByteArray::number(r % 3) + "</v></c><c><v>" + n +
                    ".25</v></c><c t=\"inlineStr\"><is><t>row &amp; " + n + "</t></is></c></row>";
            if (r == 20000)
                rows += R"(<row r="22000"><c r="D22000"><v>4</v></c></row><row r="24000"/>)";
        }
        QTest::newRow("30,000 rows") << rows << true;
        QByteArray comment = rows;
        comment.insert(comment.lastIndexOf("<row"), "<!-- in the last piece -->");
        QTest::newRow("a comment in the last piece") << comment << false;
    }

    void readsLargeSheetsInPieces()
    {
        QFETCH(QByteArray, sheetData);
        QFETCH(bool, quickWayReadsIt);
        TestFolder folder;
        folder.write("book.xlsx", makeXlsx(sheetData, "<si><t>a</t></si><si><t></t></si><si><t>c</t></si>"));
        const auto readWith = [&](XlsxReader& reader) -> Reading {
            reader.open(folder.filePath("book.xlsx"));
            return {describeSheet(reader), reader.extent()};
        };
        XlsxReader full(XlsxReader::Way::FullOnly);
        const Reading expected = readWith(full);
        QCOMPARE(expected.extent, SheetExtent({35000, 4}));
        XlsxReader quick(XlsxReader::Way::QuickOnly);
        const Reading quickReading = readWith(quick);
        QCOMPARE(quick.quickWayGaveUp(), !quickWayReadsIt);
        if (quickWayReadsIt) {
            QCOMPARE(quickReading.extent, expected.extent);
            QCOMPARE(quickReading.rows, expected.rows);
        }
        XlsxReader reader;
        const Reading reading = readWith(reader);
        QCOMPARE(reading.extent, expected.extent);
        QCOMPARE(reading.rows, expected.rows);
    }

    // The quick way learns which shared strings are empty only after it read the sheet for
    // its extent; where it gives up, the full way must give the same cells or error.
    void sharedStringsOfTheExtentAsTheFullWayReadsThem_data()
    {
        QTest::addColumn<QByteArray>("sheetData");
        QTest::newRow("empty string last")
            << QByteArray(R"(<row r="1"><c><v>1</v></c><c t="s"><v>1</v></c></row>)"
                          R"(<row r="3"><c t="s"><v>1</v></c></row>)");
        QTest::newRow("string outside a row, empty")
            << QByteArray(R"(<c t="s"><v>1</v></c><row><c><v>2</v></c></row>)");
        QTest::newRow("string outside a row")
            << QByteArray(R"(<c t="s"><v>0</v></c><row><c><v>2</v></c></row>)");
        QTest::newRow("index beyond the strings") << QByteArray(R"(<row><c t="s"><v>3</v></c></row>)");
        QTest::newRow("index far beyond the strings")
            << QByteArray(R"(<row><c t="s"><v>900000000</v></c></row>)");
    }

    void sharedStringsOfTheExtentAsTheFullWayReadsThem()
    {
        QFETCH(QByteArray, sheetData);
        TestFolder folder;
        folder.write("book.xlsx", makeXlsx(sheetData, "<si><t>a</t></si><si><t></t></si><si><t>c</t></si>"));
        const auto readWith = [&](XlsxReader&& reader) {
            try {
                reader.open(folder.filePath("book.xlsx"));
                return describeSheet(reader).join(u'/') +
                       QStringLiteral(" extent %1x%2").arg(reader.extent().rows).arg(reader.extent().columns);
            } catch (const SpreadsheetError& error) {
                return QStringLiteral("error %1: %2").arg(int(error.kind())).arg(error.message());
            }
        };
        QCOMPARE(readWith(XlsxReader()), readWith(XlsxReader(XlsxReader::Way::FullOnly)));
    }

    // Read as the import reads, every row, in a process that may use only 512 MB.
    void memoryFollowsTheValues_data()
    {
        QTest::addColumn<QByteArray>("package");
        QTest::addColumn<QString>("reading");
        QTest::newRow("stray cell in column XFD")
            << makeXlsx(priceRows(10000) + R"(<row r="10001"><c r="XFD10001"><v>1</v></c></row>)")
            << "10001x16384, 29999 values, last 1";
        QTest::newRow("one cell at XFD1048576")
            << makeXlsx(R"(<row r="1048576"><c r="XFD1048576"><v>5</v></c></row>)")
            << "1048576x16384, 1 values, last 5";
        // Read whole, the part would take 700 MB; the full parser would stream it to its end.
        QTest::newRow("part going on after the sheet data")
            << workbookOf(sheetWithLongTail(700)) << "1x1, 1 values, last 7";
        // A size the data does not have is damage, found without ever allocating by it.
        const QString lyingSize = "xl/worksheets/sheet1.xml: size differs from the archive directory";
        TestZipMember lying = sheetWithLongTail(0);
        lying.size = 0x3FFFFFFF; // just under 1 GiB
        QTest::newRow("part declaring 1 GB") << workbookOf(lying) << lyingSize;
        // Beyond any sheet's size the part is refused before anything is inflated.
        lying.size = 0xFFFFFFFE;
        QTest::newRow("part declaring 4 GB")
            << workbookOf(lying)
            << "xl/worksheets/sheet1.xml inflates to 4095 MB, more than the 2048 MB any sheet takes";
        // Blanks and empty rows cost their inflating, nothing more.
        const QByteArray head =
            R"(<?xml version="1.0" encoding="UTF-8"?><worksheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"><sheetData>)";
        const QByteArray firstRow = R"(<row r="1"><c r="A1"><v>7</v></c></row>)";
        const QByteArray end = "</sheetData></worksheet>";
        QTest::newRow("600 MB of blanks between rows")
            << workbookOf(repeatingMember("xl/worksheets/sheet1.xml", head + "\n  " + firstRow,
                                          QByteArray(1 << 20, ' '), 600,
                                          R"(<row r="2"><c r="A2"><v>8</v></c></row>)" + end))
            << "2x1, 2 values, last 8";
        QTest::newRow("600 MB of empty rows")
            << workbookOf(repeatingMember("xl/worksheets/sheet1.xml", head + firstRow,
                                          QByteArray("<row/>").repeated((1 << 20) / 6), 600, end))
            << "1x1, 1 values, last 7";
        QTest::newRow("100 MB of blanks within a row")
            << workbookOf(repeatingMember("xl/worksheets/sheet1.xml",
                                          head + R"(<row r="1"><c r="A1"><v>7</v></c>)",
                                          QByteArray(1 << 20, ' '), 100, "</row>" + end))
            << "xl/worksheets/sheet1.xml holds a row larger than 64 MB: no price list holds one";
    }

    void memoryFollowsTheValues()
    {
        QFETCH(QByteArray, package);
        QFETCH(QString, reading);
        QCOMPARE(readEveryRowUnderCap<XlsxReader>(512, "book.xlsx", package), reading);
    }

    void rowNumbersBeyondTheSheet_data()
    {
        QTest::addColumn<QByteArray>("sheetData");
        QTest::newRow("largest row number, then one more")
            << QByteArray(R"(<row r="9223372036854775807"/><row><c><v>1</v></c></row>)");
        QTest::newRow("row beyond the sheet, then one more")
            << QByteArray(R"(<row r="1048577"/><row><c><v>1</v></c></row>)");
    }

    // Both ways through the sheet, the quick one and the full one.
    void rowNumbersBeyondTheSheet()
    {
        QFETCH(QByteArray, sheetData);
        for (const QByteArray& declaration : {QByteArray(), QByteArray("<!-- full way -->")}) {
            TestFolder folder;
            folder.write("book.xlsx", makeXlsx(declaration + sheetData));
            XlsxReader reader;
            try {
                reader.open(folder.filePath("book.xlsx"));
                QFAIL("no error");
            } catch (const SpreadsheetError& error) {
                QCOMPARE(error.kind(), SpreadsheetError::Kind::NoExtent);
                QCOMPARE(error.message(),
                         folder.filePath("book.xlsx") +
                             ": xl/worksheets/sheet1.xml, line 1: " + SheetGrid::limitText());
            }
        }
    }

    void damagedSheetDataIsNoExtent()
    {
        QByteArray package = makeXlsx(R"(<row r="1"><c r="A1"><v>1</v></c></row>)");
        const qsizetype sheetData = package.indexOf("xl/worksheets/sheet1.xml") + 24;
        for (int i = 5; i < 15; ++i)
            package[sheetData + i] = char(0xFF);
        TestFolder folder;
        folder.write("book.xlsx", package);
        XlsxReader reader;
        try {
            reader.open(folder.filePath("book.xlsx"));
            QFAIL("no error");
        } catch (const SpreadsheetError& error) {
            QCOMPARE(error.kind(), SpreadsheetError::Kind::NoExtent);
            QVERIFY2(error.message().contains("xl/worksheets/sheet1.xml: "), qPrintable(error.message()));
        }
    }
};

QTEST_GUILESS_MAIN(XlsxReaderTest)
#include "XlsxReaderTest.moc"
