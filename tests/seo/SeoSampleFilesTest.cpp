#include "seo/SeoSampleFiles.h"
#include "platform/AppError.h"
#include "platform/ProgramFolder.h"
#include "seo/SeoTemplate.h"

#include "TestFolder.h"
#include "UserFolders.h"

#include <QDir>
#include <QFile>
#include <QTest>

namespace {

const QStringList Names = {"GetData_product_s_desc.txt", "GetData_product_metadesc.txt",
                           "GetData_product_customtitle.txt", "GetData_category_metadesc.txt",
                           "GetData_category_customtitle.txt"};

QByteArray expectedSample(const QString& name)
{
    QFile file(testDataPath("sample-" + name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList pathsIn(const TestFolder& dir, const QStringList& names)
{
    QStringList paths;
    for (const QString& name : names)
        paths << dir.filePath(name);
    return paths;
}

} // namespace

class SeoSampleFilesTest : public QObject
{
    Q_OBJECT

private slots:
    void fileNames();
    void writesMissingFilesOnce();
    void neverChangesAnExistingFile();
    void stopsAtTheFirstFileThatCannotBeWritten();
    void nothingWrittenInAFolderThatCannotHoldFiles();
    void samplesGoToTheUsersFolderWhenTheProgramFolderIsReadOnly();
};

void SeoSampleFilesTest::fileNames()
{
    QStringList names;
    for (SeoTemplateFile file : AllSeoTemplateFiles)
        names << seoTemplateFileName(file);
    QCOMPARE(names, Names);
}

void SeoSampleFilesTest::writesMissingFilesOnce()
{
    TestFolder dir;
    QStringList opened;
    const auto open = [&](const QString& path) { opened << path; };

    openSeoTemplateFiles(open);

    QCOMPARE(opened, pathsIn(dir, Names));
    for (const QString& name : Names)
        QCOMPARE(dir.read(name), expectedSample(name));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), Names.size());

    dir.write(Names[0], "cut down by the operator");
    openSeoTemplateFiles(open);

    QCOMPARE(opened, pathsIn(dir, Names + Names));
    QCOMPARE(dir.read(Names[0]), QByteArray("cut down by the operator"));
    QCOMPARE(dir.read(Names[4]), expectedSample(Names[4]));
}

void SeoSampleFilesTest::neverChangesAnExistingFile()
{
    TestFolder dir;
    QStringList opened;
    const auto open = [&](const QString& path) { opened << path; };
    dir.write(Names[2], "");
    dir.write(Names[3], "Title {BRAND}");

    openSeoTemplateFiles(open);

    QCOMPARE(opened, pathsIn(dir, Names));
    QCOMPARE(dir.read(Names[2]), QByteArray());
    QCOMPARE(dir.read(Names[3]), QByteArray("Title {BRAND}"));
    for (int i : {0, 1, 4})
        QCOMPARE(dir.read(Names[i]), expectedSample(Names[i]));
}

void SeoSampleFilesTest::stopsAtTheFirstFileThatCannotBeWritten()
{
    TestFolder dir;
    QStringList opened;
    const auto open = [&](const QString& path) { opened << path; };
    // A name that leads into a missing folder: no file there, and none can be made.
    QVERIFY(QFile::link(dir.filePath("missing/x.txt"), dir.filePath(Names[2])));

    try {
        openSeoTemplateFiles(open);
        QFAIL("no failure reported");
    } catch (const AppError& error) {
        QVERIFY2(error.message().startsWith("Unable to write to " + dir.filePath(Names[2]) + ": "),
                 qPrintable(error.message()));
    }

    QCOMPARE(opened, pathsIn(dir, Names.first(2)));
    QCOMPARE(dir.read(Names[1]), expectedSample(Names[1]));
    QVERIFY(!QFile::exists(dir.filePath(Names[3])));
    QVERIFY(!QFile::exists(dir.filePath(Names[4])));
}

void SeoSampleFilesTest::nothingWrittenInAFolderThatCannotHoldFiles()
{
    TestFolder dir;
    UserFolders user(UserFolders::ProgramFolder::Writable);
    QStringList opened;
    const auto open = [&](const QString& path) { opened << path; };
    // Neither the program folder nor the user's data folder can be made.
    dir.write("program", "a file where the folder should be");
    ProgramFolder::setOverride(dir.filePath("program"));
    QFile dataHome(user.dataHome());
    QVERIFY(dataHome.open(QIODevice::WriteOnly));
    dataHome.close();

    QVERIFY_THROWS_EXCEPTION(AppError, openSeoTemplateFiles(open));

    QVERIFY(opened.isEmpty());
}

void SeoSampleFilesTest::samplesGoToTheUsersFolderWhenTheProgramFolderIsReadOnly()
{
    TestFolder dir;
    UserFolders user;
    QStringList opened;

    openSeoTemplateFiles([&](const QString& path) { opened << path; });

    QStringList paths;
    for (const QString& name : Names) {
        paths << user.dataFolder() + "/" + name;
        QFile file(paths.last());
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), expectedSample(name));
    }
    QCOMPARE(opened, paths);
    QCOMPARE(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList());
}

QTEST_GUILESS_MAIN(SeoSampleFilesTest)
#include "SeoSampleFilesTest.moc"
