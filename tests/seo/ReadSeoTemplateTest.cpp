#include "platform/AppError.h"
#include "seo/SeoTemplate.h"

#include "TestFolder.h"
#include "UserFolders.h"

#include <QDir>
#include <QFile>
#include <QStringEncoder>
#include <QTest>

namespace {

const QString Name = QStringLiteral("GetData_product_customtitle.txt");

QByteArray utf16(const QString& text, QStringConverter::Encoding encoding)
{
    return QStringEncoder(encoding, QStringConverter::Flag::WriteBom).encode(text);
}

QByteArray fixture(const QString& name)
{
    QFile file(testDataPath(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class ReadSeoTemplateTest : public QObject
{
    Q_OBJECT

private slots:
    void reading_data();
    void reading();
    void missingFile();
    void legacyCodePage();
    void unreadableFileStops();
    void readFromTheUsersFolderWhenTheProgramFolderIsReadOnly();
};

void ReadSeoTemplateTest::reading_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");

    QTest::newRow("empty file") << QByteArray() << "";
    QTest::newRow("only blanks and line breaks") << QByteArray(" \r\n\t\n \r") << "";
    QTest::newRow("lone LF, blank ends")
        << QByteArray("\n\n  Title {BRAND}\nsecond\nthird \n\n") << "Title {BRAND}\r\nsecond\r\nthird";
    QTest::newRow("lone CR") << QByteArray("a\rb") << "a\r\nb";
    QTest::newRow("mixed, inner blank line kept") << QByteArray("a\r\n\r\nb\rc\n") << "a\r\n\r\nb\r\nc";
    QTest::newRow("controls trimmed, no-break space kept") << QByteArray("\x01\x1f\xC2\xA0"
                                                                         "a\xC2\xA0\x7f")
                                                           << QString::fromUtf8("\u00A0a\u00A0\x7f");
    QTest::newRow("UTF-8 mark") << QByteArray("\xEF\xBB\xBF"
                                              "Brzdov\xC3\xA1 desti\xC4\x8Dka")
                                << QString::fromUtf8("Brzdová destička");
    QTest::newRow("UTF-8 without mark") << QByteArray("\xD0\x96 {BRAND}") << QString::fromUtf8("Ж {BRAND}");
    QTest::newRow("UTF-16LE mark") << utf16(QString::fromUtf8("Ж\n{BRAND} \n"), QStringConverter::Utf16LE)
                                   << QString::fromUtf8("Ж\r\n{BRAND}");
    QTest::newRow("UTF-16BE mark") << utf16(QString::fromUtf8("\nčep\r\n"), QStringConverter::Utf16BE)
                                   << QString::fromUtf8("čep");
}

void ReadSeoTemplateTest::reading()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    TestFolder dir;
    dir.write(Name, bytes);

    QCOMPARE(readSeoTemplate(Name), text);
}

void ReadSeoTemplateTest::missingFile()
{
    TestFolder dir;
    dir.write("GetData_product_metadesc.txt", "another template");

    QCOMPARE(readSeoTemplate(Name), QString());
}

void ReadSeoTemplateTest::legacyCodePage()
{
    TestFolder dir;
    const QByteArray bytes = fixture("legacy-windows-1251.txt");
    QVERIFY(!bytes.isEmpty());
    dir.write(Name, bytes);

    const QString text = readSeoTemplate(Name);

    QVERIFY2(text.startsWith(QString::fromUtf8("Тормозные колодки {BRAND} ")), qPrintable(text));
    QVERIFY(text.endsWith(QString::fromUtf8("для вашей машины.")));
    QCOMPARE(text.count("\r\n"), 1);
}

void ReadSeoTemplateTest::unreadableFileStops()
{
    TestFolder dir;
    // Opens, but every read fails, for whoever runs the tests.
    QVERIFY(QFile::link("/proc/self/mem", dir.filePath(Name)));

    try {
        readSeoTemplate(Name);
        QFAIL("no failure reported");
    } catch (const AppError& error) {
        QVERIFY2(error.message().startsWith("Unable to read " + dir.filePath(Name) + ": "),
                 qPrintable(error.message()));
    }
}

void ReadSeoTemplateTest::readFromTheUsersFolderWhenTheProgramFolderIsReadOnly()
{
    TestFolder dir;
    UserFolders user;
    dir.write(Name, "left beside the program");
    QVERIFY(QDir().mkpath(user.dataFolder()));
    QFile file(user.dataFolder() + "/" + Name);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("the user's {BRAND}");
    file.close();

    QCOMPARE(readSeoTemplate(Name), QString("the user's {BRAND}"));
}

QTEST_GUILESS_MAIN(ReadSeoTemplateTest)
#include "ReadSeoTemplateTest.moc"
