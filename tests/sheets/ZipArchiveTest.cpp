#include "sheets/ZipArchive.h"
#include "TestFolder.h"
#include "TestPackages.h"

#include <QRandomGenerator>
#include <QtTest>

namespace {

QByteArray compressibleText(int size)
{
    QByteArray text;
    for (int i = 0; text.size() < size; ++i)
        text += "<row r=\"" + QByteArray::number(i) + "\"><c><v>12.5</v></c></row>\n";
    return text.left(size);
}

QByteArray noise(int size)
{
    QByteArray bytes(size, '\0');
    QRandomGenerator generator(42);
    for (char& byte : bytes)
        byte = char(generator.bounded(256));
    return bytes;
}

// Reads with request sizes cycling through 1 to 15 bytes, so that every boundary of the
// inflater's input and output is met somewhere.
QByteArray readInChunks(QIODevice& device)
{
    QByteArray data;
    char buffer[16];
    for (int chunk = 1;; chunk = chunk % 15 + 1) {
        const qint64 count = device.read(buffer, chunk);
        if (count <= 0)
            break;
        data.append(buffer, count);
    }
    return data;
}

qsizetype centralDirectoryAt(const QByteArray& archive)
{
    return archive.indexOf("PK\x01\x02");
}

} // namespace

class ZipArchiveTest : public QObject
{
    Q_OBJECT

private slots:
    void readsMembers_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<bool>("deflated");
        for (const bool deflated : {false, true}) {
            const char* method = deflated ? "deflated" : "stored";
            QTest::addRow("%s empty", method) << QByteArray() << deflated;
            QTest::addRow("%s one byte", method) << QByteArray("x") << deflated;
            QTest::addRow("%s text over several input chunks", method)
                << compressibleText(200000) << deflated;
            QTest::addRow("%s incompressible", method) << noise(40000) << deflated;
        }
    }

    void readsMembers()
    {
        QFETCH(QByteArray, data);
        QFETCH(bool, deflated);
        TestFolder folder;
        folder.write("a.zip",
                     makeZip({{"first.txt", "before"}, {"xl/Data.xml", data, deflated}, {"last", "after"}}));
        ZipArchive zip;
        QVERIFY2(zip.open(folder.filePath("a.zip")), qPrintable(zip.errorString()));

        auto whole = zip.entry("xl/Data.xml");
        QVERIFY(whole && whole->open(QIODevice::ReadOnly));
        QCOMPARE(whole->readAll(), data);
        QVERIFY(!whole->hasFailed());
        QVERIFY(whole->atEnd());

        auto chunked = zip.entry("xl/Data.xml");
        QVERIFY(chunked->open(QIODevice::ReadOnly));
        QCOMPARE(readInChunks(*chunked), data);
        QVERIFY(!chunked->hasFailed());
    }

    void findsMembersWithoutRegardToCase()
    {
        TestFolder folder;
        folder.write("a.zip", makeZip({{"[Content_Types].xml", "t"}, {"xl/workbook.xml", "w"}}));
        ZipArchive zip;
        QVERIFY(zip.open(folder.filePath("a.zip")));
        QVERIFY(zip.contains("[Content_Types].xml"));
        QVERIFY(zip.contains("XL/Workbook.xml"));
        QVERIFY(!zip.contains("xl/workbook"));
        QVERIFY(!zip.entry("missing.xml"));
    }

    void rejectsWhatIsNoArchive_data()
    {
        const QByteArray archive = makeZip({{"a.txt", "hello"}});
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("empty file") << QByteArray();
        QTest::newRow("text") << QByteArray("IDPART;PRICE\r\n1;2\r\n");
        QTest::newRow("cut before its directory") << archive.left(centralDirectoryAt(archive) + 10);
        QByteArray misplaced = archive;
        misplaced[misplaced.size() - 6] = '\x7F'; // directory offset beyond the file
        QTest::newRow("directory offset beyond the file") << misplaced;
    }

    void rejectsWhatIsNoArchive()
    {
        QFETCH(QByteArray, bytes);
        TestFolder folder;
        folder.write("a.zip", bytes);
        ZipArchive zip;
        QVERIFY(!zip.open(folder.filePath("a.zip")));
        QVERIFY(!zip.errorString().isEmpty());
        QVERIFY(!zip.contains("a.txt"));
    }

    // A damaged member must fail loudly: a silently shortened sheet would drop price rows.
    void reportsDamagedMembers_data()
    {
        const QByteArray text = compressibleText(5000);
        QTest::addColumn<QByteArray>("archive");
        QTest::addColumn<QString>("error");

        QByteArray flipped = makeZip({{"s.xml", text, false}});
        flipped[30 + 5 + 100] = 'X';
        QTest::newRow("stored data changed") << flipped << "s.xml: CRC-32 differs from the archive directory";

        QByteArray garbled = makeZip({{"s.xml", text, true}});
        for (int i = 40; i < 60; ++i)
            garbled[30 + 5 + i] = char(0xFF);
        QTest::newRow("deflated data garbled") << garbled << "s.xml: damaged compressed data";

        QByteArray longer = makeZip({{"s.xml", text, true}});
        const qsizetype sizeField = centralDirectoryAt(longer) + 24;
        longer[sizeField + 1] = char(longer[sizeField + 1] + 1);
        QTest::newRow("directory claims more data")
            << longer << "s.xml: size differs from the archive directory";

        QByteArray shorter = makeZip({{"s.xml", text, true}});
        shorter[centralDirectoryAt(shorter) + 25] = char(shorter[centralDirectoryAt(shorter) + 25] - 1);
        QTest::newRow("directory claims less data")
            << shorter << "s.xml: size differs from the archive directory";
    }

    void reportsDamagedMembers()
    {
        QFETCH(QByteArray, archive);
        QFETCH(QString, error);
        TestFolder folder;
        folder.write("a.zip", archive);
        ZipArchive zip;
        QVERIFY(zip.open(folder.filePath("a.zip")));
        auto entry = zip.entry("s.xml");
        QVERIFY(entry->open(QIODevice::ReadOnly));
        readInChunks(*entry);
        QVERIFY(entry->hasFailed());
        QCOMPARE(entry->errorString(), error);
        QCOMPARE(entry->read(1), QByteArray());
    }

    void refusesMembersItCannotDecode_data()
    {
        QTest::addColumn<int>("offset");
        QTest::addColumn<char>("value");
        QTest::addColumn<QString>("error");
        QTest::newRow("encrypted") << 8 << '\x01' << "s.xml is encrypted";
        QTest::newRow("bzip2") << 10 << '\x0C' << "s.xml uses compression method 12";
    }

    void refusesMembersItCannotDecode()
    {
        QFETCH(int, offset);
        QFETCH(char, value);
        QFETCH(QString, error);
        QByteArray archive = makeZip({{"s.xml", "data"}});
        archive[centralDirectoryAt(archive) + offset] = value;
        TestFolder folder;
        folder.write("a.zip", archive);
        ZipArchive zip;
        QVERIFY(zip.open(folder.filePath("a.zip")));
        auto entry = zip.entry("s.xml");
        QVERIFY(!entry->open(QIODevice::ReadOnly));
        QCOMPARE(entry->errorString(), error);
    }
};

QTEST_GUILESS_MAIN(ZipArchiveTest)
#include "ZipArchiveTest.moc"
