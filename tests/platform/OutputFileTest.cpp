#include "platform/OutputFile.h"
#include "platform/AppError.h"

#include "SmallFileSystem.h"
#include "TestFolder.h"

#include <QFile>
#include <QFileInfo>
#include <QTest>
#include <sys/resource.h>
#include <sys/stat.h>

class OutputFileTest : public QObject
{
    Q_OBJECT

private slots:
    void replacesAFile();
    void failures_data();
    void failures();
    void fullDiskLeavesWholePieces();
    void newFileIsTheOwnersAlone();
    void onlyRegularFilesAreWritten();
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
// or "close" (the buffered rest). "<full>" and "<read-only>" are small file systems.
void OutputFileTest::failures_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("stage");
    QTest::addColumn<QString>("reason");

    QTest::newRow("folder is a file") << "<dir>/file.txt/out.csv"
                                      << "open"
                                      << "I/O error 20";
    QTest::newRow("name of a folder") << "<dir>"
                                      << "open"
                                      << "I/O error 21";
    QTest::newRow("missing folder") << "<dir>/missing/out.csv"
                                    << "open"
                                    << "I/O error 2";
    QTest::newRow("disk full on close") << "<full>/out.csv"
                                        << "close"
                                        << "Disk full";
    QTest::newRow("disk full on write") << "<full>/out.csv"
                                        << "write"
                                        << "Disk full";
    QTest::newRow("access denied") << "<read-only>/out.csv"
                                   << "open"
                                   << "File access denied";
}

void OutputFileTest::failures()
{
    QFETCH(QString, path);
    QFETCH(QString, stage);
    QFETCH(QString, reason);
    TestFolder dir;
    dir.write("file.txt", "x");
    const bool readOnly = path.startsWith("<read-only>");
    SmallFileSystem fileSystem(readOnly ? SmallFileSystem::Access::ReadOnly
                                        : SmallFileSystem::Access::Writable);
    if (path.startsWith("<full>") || readOnly)
        SKIP_UNLESS_MOUNTED(fileSystem);
    path.replace("<dir>", dir.path())
        .replace("<full>", fileSystem.path())
        .replace("<read-only>", fileSystem.path());
    const QString action = stage == "open" ? "create" : "write";

    try {
        OutputFile file(path);
        QVERIFY2(stage != "open", "opened");
        file.write(QByteArray(stage == "write" ? 1024 * 1024 : 100 * 1024, 'x'));
        QVERIFY2(stage == "close", "written");
        file.close();
        QFAIL("no failure reported");
    } catch (const AppError& error) {
        QCOMPARE(error.message(), QString("Cannot %1 file \"%2\". %3").arg(action, path, reason));
    }
}

// Whatever reached the disk before it filled up ends after a whole piece, and the failure
// stays: writing on cannot leave a hole or a half piece behind.
void OutputFileTest::fullDiskLeavesWholePieces()
{
    SmallFileSystem fileSystem;
    SKIP_UNLESS_MOUNTED(fileSystem);
    const QString path = fileSystem.filePath("out.csv");
    QByteArray handed;
    int failures = 0;
    {
        OutputFile file(path);
        for (int piece = 0; piece < 5000; ++piece) {
            const QByteArray line = QByteArray::number(piece) + ";" + QByteArray(97, 'x') + "\r\n";
            try {
                file.write(line);
                handed += line;
            } catch (const AppError&) {
                ++failures;
            }
        }
        QVERIFY_THROWS_EXCEPTION(AppError, file.close());
    }

    QVERIFY(failures > 0);
    QFile written(path);
    QVERIFY(written.open(QIODevice::ReadOnly));
    const QByteArray bytes = written.readAll();
    QVERIFY(bytes.size() > 0);
    QVERIFY(bytes.size() <= 64 * 1024);
    QVERIFY(bytes.endsWith("\r\n"));
    QVERIFY(handed.startsWith(bytes));
}

// A file it replaces keeps the mode its owner gave it, unless it is to be the owner's alone.
void OutputFileTest::newFileIsTheOwnersAlone()
{
    TestFolder dir;
    for (const char* name : {"older.csv", "older.sql"}) {
        dir.write(name, "an older and longer text");
        QCOMPARE(::chmod(QFile::encodeName(dir.filePath(name)).constData(), 0644), 0);
    }

    for (const char* name : {"new.sql", "older.csv", "older.sql"}) {
        OutputFile file(dir.filePath(name), QByteArray(name).endsWith(".sql") ? OutputFile::Access::OwnerOnly
                                                                              : OutputFile::Access::KeepMode);
        file.write("COMMIT;\r\n");
        file.close();
    }

    QCOMPARE(fileMode(dir.filePath("new.sql")), 0600);
    QCOMPARE(fileMode(dir.filePath("older.csv")), 0644);
    QCOMPARE(fileMode(dir.filePath("older.sql")), 0600);
    QCOMPARE(dir.read("older.sql"), QByteArray("COMMIT;\r\n"));
}

// A pipe or a device is never written: opening a pipe for writing would wait for a reader.
void OutputFileTest::onlyRegularFilesAreWritten()
{
    TestFolder dir;
    const QByteArray pipe = QFile::encodeName(dir.filePath("pipe"));
    QCOMPARE(::mkfifo(pipe.constData(), 0600), 0);
    for (const QString& path : {dir.filePath("pipe"), QStringLiteral("/dev/null")}) {
        QString message;
        try {
            OutputFile file(path);
        } catch (const AppError& error) {
            message = error.message();
        }
        QCOMPARE(message, QString("Cannot create file \"%1\". not a regular file").arg(path));
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

    QCOMPARE(message, QString("Cannot create file \"%1\". Too many open files").arg(dir.filePath("out.csv")));
}

QTEST_GUILESS_MAIN(OutputFileTest)
#include "OutputFileTest.moc"
