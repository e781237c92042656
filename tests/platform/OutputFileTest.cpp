#include "platform/OutputFile.h"
#include "platform/AppError.h"

#include "TestFolder.h"

#include <QFileInfo>
#include <QTest>
#include <sys/resource.h>

class OutputFileTest : public QObject
{
    Q_OBJECT

private slots:
    void replacesAFile();
    void failures_data();
    void failures();
    void tooManyOpenFiles();
};

void OutputFileTest::replacesAFile()
{
    TestFolder dir;
    dir.write("out.csv", "an older and longer content");

    OutputFile file(dir.filePath("out.csv"));
    file.write("new");
    file.write(QByteArray(300000, 'x'));
    file.close();

    QCOMPARE(dir.read("out.csv"), "new" + QByteArray(300000, 'x'));
}

// The stage at which the failure must show: "open", "write" (more than the buffer holds)
// or "close" (the buffered rest).
void OutputFileTest::failures_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("stage");
    QTest::addColumn<QString>("message");

    QTest::newRow("folder is a file") << "<dir>/file.txt/out.csv" << "open" << "I/O error 20";
    QTest::newRow("name of a folder") << "<dir>" << "open" << "I/O error 21";
    QTest::newRow("missing folder") << "<dir>/missing/out.csv" << "open" << "I/O error 2";
    QTest::newRow("disk full on close") << "/dev/full" << "close" << "Disk full";
    QTest::newRow("disk full on write") << "/dev/full" << "write" << "Disk full";
    // Refused even to root, so the check holds whoever runs the tests.
    QTest::newRow("access denied") << "/sys/kernel/notes" << "open" << "File access denied";
}

void OutputFileTest::failures()
{
    QFETCH(QString, path);
    QFETCH(QString, stage);
    QFETCH(QString, message);
    TestFolder dir;
    dir.write("file.txt", "x");
    path.replace("<dir>", dir.path());
    if (path.startsWith("/sys/") && !QFileInfo::exists(path))
        QSKIP("no such file on this system");

    try {
        OutputFile file(path);
        QVERIFY2(stage != "open", "opened");
        file.write(stage == "write" ? QByteArray(1024 * 1024, 'x') : QByteArray("a line\r\n"));
        QVERIFY2(stage == "close", "written");
        file.close();
        QFAIL("no failure reported");
    } catch (const AppError& error) {
        QCOMPARE(error.message(), message);
    }
}

void OutputFileTest::tooManyOpenFiles()
{
    TestFolder dir;
    rlimit saved{};
    QCOMPARE(getrlimit(RLIMIT_NOFILE, &saved), 0);
    rlimit tight = saved;
    tight.rlim_cur = 3; // standard input, output and error take them all
    QCOMPARE(setrlimit(RLIMIT_NOFILE, &tight), 0);

    QString message;
    try {
        OutputFile file(dir.filePath("out.csv"));
    } catch (const AppError& error) {
        message = error.message();
    }
    setrlimit(RLIMIT_NOFILE, &saved);

    QCOMPARE(message, QString("Too many open files"));
}

QTEST_GUILESS_MAIN(OutputFileTest)
#include "OutputFileTest.moc"
