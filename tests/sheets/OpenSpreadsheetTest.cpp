#include "TestFolder.h"
#include "TestPackages.h"
#include "sheets/CsvReader.h"
#include "sheets/OdsReader.h"
#include "sheets/SpreadsheetFormat.h"
#include "sheets/SpreadsheetReader.h"
#include "sheets/XlsxReader.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QtTest>
#include <functional>
#include <sys/stat.h>

namespace {

const QByteArray ole2Header("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8);

QByteArray xlsxWithText(const QByteArray& text)
{
    return makeXlsx(R"(<row r="1"><c r="A1" t="inlineStr"><is><t>)" + text + "</t></is></c></row>");
}

QByteArray odsWithText(const QByteArray& text)
{
    return makeOds(
        R"(<table:table table:name="S"><table:table-row><table:table-cell office:value-type="string"><text:p>)" +
        text + "</text:p></table:table-cell></table:table-row></table:table>");
}

QByteArray zipWithMimetype(const QByteArray& mimetype)
{
    return makeZip({{"mimetype", mimetype, false}, {"content.xml", "<x/>"}});
}

// The environment variable set for one test and restored afterwards.
class ScopedEnvironment
{
public:
    ScopedEnvironment(const char* name, const QByteArray& value) : m_name(name), m_old(qgetenv(name))
    {
        qputenv(name, value);
    }
    ~ScopedEnvironment() { qputenv(m_name, m_old); }

private:
    const char* m_name;
    QByteArray m_old;
};

SpreadsheetError::Kind failureKind(const QString& path, QString* message = nullptr)
{
    try {
        openSpreadsheet(path);
    } catch (const SpreadsheetError& error) {
        if (message)
            *message = error.message();
        return error.kind();
    }
    qFatal("no error");
}

} // namespace

class OpenSpreadsheetTest : public QObject
{
    Q_OBJECT

private slots:
    void detectsTheFormatFromTheContent_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<SpreadsheetFormat>("format");
        QTest::newRow("xlsx") << xlsxWithText("x") << SpreadsheetFormat::Xlsx;
        QTest::newRow("ods") << odsWithText("x") << SpreadsheetFormat::Ods;
        QTest::newRow("ods template")
            << zipWithMimetype("application/vnd.oasis.opendocument.spreadsheet-template")
            << SpreadsheetFormat::Ods;
        QTest::newRow("odt") << zipWithMimetype("application/vnd.oasis.opendocument.text")
                             << SpreadsheetFormat::NotSpreadsheet;
        QTest::newRow("xlsb") << makeOfficePackage({"xl/workbook.bin", "\x83\x01\x00"})
                              << SpreadsheetFormat::Convertible;
        QTest::newRow("plain zip") << makeZip({{"readme.txt", "hello"}}) << SpreadsheetFormat::NotSpreadsheet;
        QTest::newRow("xls (OLE2)") << ole2Header + QByteArray(504, '\0') << SpreadsheetFormat::Convertible;
        QTest::newRow("BIFF8 stream")
            << QByteArray("\x09\x08\x10\x00\x00\x06\x05\x00", 8) + QByteArray(12, '\0')
            << SpreadsheetFormat::Convertible;
        QTest::newRow("Lotus WK1") << QByteArray("\x00\x00\x02\x00\x06\x04\x06\x04", 8)
                                   << SpreadsheetFormat::Convertible;
        QTest::newRow("flat ods")
            << QByteArray(
                   R"(<?xml version="1.0" encoding="UTF-8"?><office:document xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0">)")
            << SpreadsheetFormat::Convertible;
        QTest::newRow("XML spreadsheet 2003")
            << QByteArray("\xEF\xBB\xBF<?xml version=\"1.0\"?><Workbook "
                          "xmlns=\"urn:schemas-microsoft-com:office:spreadsheet\">")
            << SpreadsheetFormat::Convertible;
        QTest::newRow("csv") << QByteArray("\xEF\xBB\xBF\"IDPART\";PRICE\r\n")
                             << SpreadsheetFormat::DelimitedText;
        QTest::newRow("UTF-16 text") << QByteArray("\xFF\xFEI\0D\0\t\0P\0", 10)
                                     << SpreadsheetFormat::DelimitedText;
        QTest::newRow("empty file") << QByteArray() << SpreadsheetFormat::DelimitedText;
        QTest::newRow("png") << QByteArray("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16)
                             << SpreadsheetFormat::NotSpreadsheet;
    }

    void detectsTheFormatFromTheContent()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(SpreadsheetFormat, format);
        TestFolder folder;
        folder.write("file.csv", bytes);
        QCOMPARE(detectSpreadsheetFormat(folder.filePath("file.csv")), format);
    }

    void readsWhateverTheNameSays_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("xlsx named .csv") << "prices.csv" << xlsxWithText("IDPART");
        QTest::newRow("ods named .xls") << "prices.xls" << odsWithText("IDPART");
        QTest::newRow("csv named .xlsx") << "prices.xlsx" << QByteArray("IDPART\r\n");
        QTest::newRow("csv without extension") << "prices" << QByteArray("IDPART\r\n");
    }

    void readsWhateverTheNameSays()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        TestFolder folder;
        folder.write(name, bytes);
        const auto reader = openSpreadsheet(folder.filePath(name));
        QCOMPARE(reader->extent(), SheetExtent({1, 1}));
        QCOMPARE(describeSheet(*reader), QStringList{"t:IDPART"});
        reader->close();
        QCOMPARE(reader->extent(), SheetExtent({1, 1}));
    }

    void reportsFailures_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<SpreadsheetError::Kind>("kind");
        QTest::newRow("non-spreadsheet binary")
            << QByteArray("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16) << SpreadsheetError::Kind::CannotOpen;
        QTest::newRow("zip without a sheet")
            << makeZip({{"readme.txt", "hello"}}) << SpreadsheetError::Kind::CannotOpen;
        QTest::newRow("text document") << zipWithMimetype("application/vnd.oasis.opendocument.text")
                                       << SpreadsheetError::Kind::CannotOpen;
        QTest::newRow("word processing package")
            << makeOfficePackage({"word/document.xml", "<document/>"}) << SpreadsheetError::Kind::CannotOpen;
        QTest::newRow("workbook without a first sheet")
            << makeXlsxWorkbook("", "", {}) << SpreadsheetError::Kind::NoFirstSheet;
        QTest::newRow("spreadsheet document without a table")
            << makeOds("") << SpreadsheetError::Kind::NoFirstSheet;
        QTest::newRow("unreadable sheet")
            << makeXlsx("<row><c><v>x</v></c></row>") << SpreadsheetError::Kind::NoExtent;
    }

    void reportsFailures()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(SpreadsheetError::Kind, kind);
        TestFolder folder;
        folder.write("list.xlsx", bytes);
        QCOMPARE(failureKind(folder.filePath("list.xlsx")), kind);
    }

    void missingFileCannotBeOpened()
    {
        TestFolder folder;
        QString message;
        QCOMPARE(failureKind(folder.filePath("missing.csv"), &message), SpreadsheetError::Kind::CannotOpen);
        QVERIFY(message.startsWith(folder.filePath("missing.csv") + ": "));
    }

    // A pipe would keep the import waiting for a writer for ever; each reader refuses it.
    void refusesAnythingButARegularFile_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("pipe named .csv") << "pipe";
        QTest::newRow("link to a pipe") << "link";
        QTest::newRow("folder named .csv") << "folder";
    }

    void refusesAnythingButARegularFile()
    {
        QFETCH(QString, kind);
        TestFolder folder;
        const QString path = folder.filePath("prices.csv");
        const QString pipe = folder.filePath("pipe");
        QCOMPARE(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
        if (kind == "link")
            QVERIFY(QFile::link(pipe, path));
        else if (kind == "folder")
            QVERIFY(QDir(folder.path()).mkdir("prices.csv"));
        else
            QVERIFY(QFile::rename(pipe, path));
        const std::function<void()> opens[] = {
            [&] { openSpreadsheet(path); },
            [&] { CsvReader().open(path); },
            [&] { XlsxReader().open(path); },
            [&] { OdsReader().open(path); },
        };
        for (const auto& open : opens) {
            try {
                open();
                QFAIL("no error");
            } catch (const SpreadsheetError& error) {
                QCOMPARE(error.message(), path + ": not a regular file");
                QCOMPARE(error.kind(), SpreadsheetError::Kind::CannotOpen);
            }
        }
    }

    void legacyFormatsNeedTheConverter()
    {
        TestFolder folder;
        folder.write("old.xls", ole2Header + QByteArray(504, '\0'));
        const ScopedEnvironment path("PATH", folder.path().toLocal8Bit());
        QString message;
        QCOMPARE(failureKind(folder.filePath("old.xls"), &message), SpreadsheetError::Kind::ConverterMissing);
        QCOMPARE(message, folder.filePath("old.xls") +
                              ": reading this format needs LibreOffice (soffice), which is not installed");
    }

    void convertsLegacyFormats_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("xls") << "sample.xls";
        QTest::newRow("flat ods") << "sample.fods";
    }

    void convertsLegacyFormats()
    {
        QFETCH(QString, name);
        if (QStandardPaths::findExecutable("soffice").isEmpty())
            QSKIP("LibreOffice (soffice) is not installed");
        TestFolder work;
        const ScopedEnvironment temp("TMPDIR", work.path().toLocal8Bit());
        const auto reader = openSpreadsheet(testDataPath(name));
        QCOMPARE(reader->extent(), SheetExtent({6, 30}));
        QCOMPARE(describeSheet(*reader), sampleSheetRows("n:1"));
        reader->close();
        QVERIFY2(QDir(work.path()).isEmpty(), "the conversion folder is left behind");
    }

    void reportsWhatTheConverterCannotRead()
    {
        if (QStandardPaths::findExecutable("soffice").isEmpty())
            QSKIP("LibreOffice (soffice) is not installed");
        TestFolder folder;
        folder.write("damaged.wk3", QByteArray("\x00\x00\x1A\x00\x00\x10\x04\x00garbage", 15));
        QString message;
        QCOMPARE(failureKind(folder.filePath("damaged.wk3"), &message), SpreadsheetError::Kind::CannotOpen);
        QVERIFY2(message.startsWith(folder.filePath("damaged.wk3") + ": LibreOffice cannot convert the file"),
                 qPrintable(message));
    }
};

QTEST_GUILESS_MAIN(OpenSpreadsheetTest)
#include "OpenSpreadsheetTest.moc"
