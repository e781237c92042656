#include "export/CsvFileSeries.h"
#include "platform/AppError.h"

#include "SmallFileSystem.h"
#include "TestFolder.h"

#include <QDir>
#include <QFile>
#include <QTest>

namespace {

const QByteArray Bom = "\xEF\xBB\xBF";
const QString Header = QStringLiteral("\"IDPART\";BRAND");

// The data rows of one file, after checking that it starts with the mark and the header.
template <typename Folder> QList<QByteArray> dataRows(const Folder& dir, const QString& name)
{
    QFile file(dir.filePath(name));
    const QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    const QByteArray start = Bom + Header.toUtf8() + "\r\n";
    if (!bytes.startsWith(start) || !bytes.endsWith("\r\n"))
        return {"<no header or no last line end>"};
    QList<QByteArray> rows = bytes.mid(start.size()).split('\n');
    rows.removeLast();
    for (QByteArray& row : rows)
        row.chop(1); // the CR
    return rows;
}

} // namespace

class CsvFileSeriesTest : public QObject
{
    Q_OBJECT

private slots:
    void rotation_data();
    void rotation();
    void bytes();
    void replacesOnlyAsFarAsItReaches();
    void cannotCreateFirstFile();
    void failedRotationKeepsWrittenFiles();
    void closeReportsTheLastWriteAndFinishDoesNot();
    void fullDiskCutsTheFileBackToItsLastWholeRow();
};

void CsvFileSeriesTest::rotation_data()
{
    QTest::addColumn<int>("rowLimit");
    QTest::addColumn<int>("rows");
    QTest::addColumn<QList<int>>("rowsPerFile");

    QTest::newRow("default limit") << 10000 << 25000 << QList<int>{9999, 9999, 5002};
    QTest::newRow("exactly full") << 3 << 4 << QList<int>{2, 2};
    QTest::newRow("one row past full") << 3 << 5 << QList<int>{2, 2, 1};
    QTest::newRow("no rows") << 10000 << 0 << QList<int>{0};
    QTest::newRow("limit 2") << 2 << 2 << QList<int>{1, 1};
    QTest::newRow("limit 1") << 1 << 3 << QList<int>{0, 1, 1, 1};
    QTest::newRow("limit 0") << 0 << 2 << QList<int>{0, 1, 1};
    QTest::newRow("negative limit") << -5 << 1 << QList<int>{0, 1};
}

void CsvFileSeriesTest::rotation()
{
    QFETCH(int, rowLimit);
    QFETCH(int, rows);
    QFETCH(QList<int>, rowsPerFile);
    TestFolder dir;

    CsvFileSeries series(dir.path() + "/", "F", Header, rowLimit);
    series.begin();
    QCOMPARE(series.fileNumber(), 1);
    for (int row = 1; row <= rows; ++row)
        series.writeRow(QByteArray::number(row) + ";\"b\"");
    QCOMPARE(series.fileNumber(), rowsPerFile.size());
    series.close();

    int next = 1;
    for (int number = 1; number <= rowsPerFile.size(); ++number) {
        const QList<QByteArray> written = dataRows(dir, QString("F%1.csv").arg(number));
        QCOMPARE(written.size(), rowsPerFile[number - 1]);
        for (const QByteArray& row : written)
            QCOMPARE(row, QByteArray::number(next++) + ";\"b\"");
    }
    QVERIFY(!QFile::exists(dir.filePath(QString("F%1.csv").arg(rowsPerFile.size() + 1))));
}

void CsvFileSeriesTest::bytes()
{
    TestFolder dir;
    CsvFileSeries series(dir.path() + "/", "SeoProduct", "\"IDPART\"\t\"NAMEPART\"", 10000);
    series.begin();
    series.writeRow("57\t\"Brzdová destička €\"");
    series.writeRow("58\t\"\"");
    series.finish();

    QCOMPARE(dir.read("SeoProduct1.csv"), "\xEF\xBB\xBF\"IDPART\"\t\"NAMEPART\"\r\n"
                                          "57\t\"Brzdov\xC3\xA1 desti\xC4\x8Dka \xE2\x82\xAC\"\r\n"
                                          "58\t\"\"\r\n");
}

void CsvFileSeriesTest::replacesOnlyAsFarAsItReaches()
{
    TestFolder dir;
    for (const char* name : {"F1.csv", "F2.csv", "F3.csv", "F4.csv"})
        dir.write(name, QByteArray("an older run's lines\r\n").repeated(5));
    dir.write("F3.csv", "older F3");
    dir.write("F4.csv", "older F4");

    CsvFileSeries series(dir.path() + "/", "F", Header, 2);
    series.begin();
    series.writeRow("1");
    series.writeRow("2");
    series.close();

    QCOMPARE(dataRows(dir, "F1.csv"), QList<QByteArray>{"1"});
    QCOMPARE(dataRows(dir, "F2.csv"), QList<QByteArray>{"2"});
    QCOMPARE(dir.read("F3.csv"), QByteArray("older F3"));
    QCOMPARE(dir.read("F4.csv"), QByteArray("older F4"));
}

void CsvFileSeriesTest::cannotCreateFirstFile()
{
    TestFolder dir;
    dir.write("file.txt", "x");

    CsvFileSeries series(dir.filePath("file.txt") + "/", "F", Header, 10000);
    try {
        series.begin();
        QFAIL("no failure reported");
    } catch (const AppError& error) {
        QCOMPARE(error.message(),
                 QString("Cannot create file \"%1\". I/O error 20").arg(dir.filePath("file.txt/F1.csv")));
    }
    series.finish();
}

void CsvFileSeriesTest::failedRotationKeepsWrittenFiles()
{
    TestFolder dir;
    QVERIFY(QDir(dir.path()).mkdir("F3.csv"));

    CsvFileSeries series(dir.path() + "/", "F", Header, 3);
    series.begin();
    QString message;
    try {
        for (int row = 1; row <= 5; ++row)
            series.writeRow(QByteArray::number(row));
    } catch (const AppError& error) {
        message = error.message();
    }
    series.finish();

    QCOMPARE(message, QString("Cannot create file \"%1\". I/O error 21").arg(dir.filePath("F3.csv")));
    QCOMPARE(dataRows(dir, "F1.csv"), (QList<QByteArray>{"1", "2"}));
    QCOMPARE(dataRows(dir, "F2.csv"), (QList<QByteArray>{"3", "4"}));
}

// The rows of a short run are all still buffered when it ends: only closing can tell that
// they never reached the disk. A file that got not even its header line is not left empty.
void CsvFileSeriesTest::closeReportsTheLastWriteAndFinishDoesNot()
{
    SmallFileSystem disk;
    SKIP_UNLESS_MOUNTED(disk);
    disk.fill();

    CsvFileSeries reported(disk.path() + "/", "F", Header, 10000);
    reported.begin();
    reported.writeRow("1");
    try {
        reported.close();
        QFAIL("no failure reported");
    } catch (const AppError& error) {
        QCOMPARE(error.message(),
                 QString("Cannot write file \"%1\". Disk full").arg(disk.filePath("F1.csv")));
    }
    reported.finish();
    QVERIFY(!QFile::exists(disk.filePath("F1.csv")));

    CsvFileSeries ignored(disk.path() + "/", "F", Header, 10000);
    ignored.begin();
    ignored.writeRow("1");
    ignored.finish();
    ignored.close();
    QVERIFY(!QFile::exists(disk.filePath("F1.csv")));
}

// A disk that fills up within the third file: the first two stay whole, the third ends
// after its last whole row, and the failure names it.
void CsvFileSeriesTest::fullDiskCutsTheFileBackToItsLastWholeRow()
{
    SmallFileSystem disk; // 64 KiB: room for two files and a part of the third
    SKIP_UNLESS_MOUNTED(disk);
    const QString filler = QString(95, u'x');

    CsvFileSeries series(disk.path() + "/", "F", Header, 251);
    series.begin();
    QString message;
    try {
        for (int row = 1; row <= 1000; ++row)
            series.writeRow((QString::number(row).rightJustified(4, u'0') + u';' + filler).toUtf8());
        series.close();
    } catch (const AppError& error) {
        message = error.message();
    }
    series.finish();

    QCOMPARE(message, QString("Cannot write file \"%1\". Disk full").arg(disk.filePath("F3.csv")));
    const auto number = [](const QByteArray& row) { return row.left(4).toInt(); };
    int next = 1;
    for (const char* name : {"F1.csv", "F2.csv", "F3.csv"}) {
        const QList<QByteArray> rows = dataRows(disk, name);
        QVERIFY2(name == QByteArray("F3.csv") ? !rows.isEmpty() && rows.size() < 250 : rows.size() == 250,
                 name);
        for (const QByteArray& row : rows)
            QCOMPARE(number(row), next++);
    }
}

QTEST_GUILESS_MAIN(CsvFileSeriesTest)
#include "CsvFileSeriesTest.moc"
