#include "platform/AppPlaces.h"
#include "platform/ProgramFolder.h"

#include "TestFolder.h"
#include "UserFolders.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>
#include <unistd.h>

class AppPlacesTest : public QObject
{
    Q_OBJECT

private slots:
    void places_data();
    void places();
    void settingsLeftBesideAreCarriedOver();
    void theUsersSettingsAreNotReplaced();
};

namespace {

enum class Setup
{
    None,
    ProgramFolderTakenAsReadOnly,
    NoWritePermission,
    InstalledCopy,
};

} // namespace

// The program folder is bin/ in a throwaway folder, so that an installed copy's share/ can
// be laid out beside it.
void AppPlacesTest::places_data()
{
    QTest::addColumn<Setup>("setup");
    QTest::addColumn<bool>("beside");

    QTest::newRow("writable program folder") << Setup::None << true;
    QTest::newRow("read-only program folder") << Setup::ProgramFolderTakenAsReadOnly << false;
    QTest::newRow("program folder without write permission") << Setup::NoWritePermission << false;
    QTest::newRow("installed copy in a writable folder") << Setup::InstalledCopy << false;
}

void AppPlacesTest::places()
{
    QFETCH(Setup, setup);
    QFETCH(bool, beside);
    TestFolder dir;
    UserFolders user(setup == Setup::ProgramFolderTakenAsReadOnly ? UserFolders::ProgramFolder::ReadOnly
                                                                  : UserFolders::ProgramFolder::Writable);
    const QString bin = dir.filePath("bin");
    QVERIFY(QDir().mkpath(bin));
    ProgramFolder::setOverride(bin);
    if (setup == Setup::NoWritePermission) {
        if (geteuid() == 0)
            QSKIP("root writes whatever the permission bits say");
        QVERIFY(QFile::setPermissions(bin, QFile::ReadOwner | QFile::ExeOwner));
    }
    if (setup == Setup::InstalledCopy) {
        QVERIFY(QDir().mkpath(dir.filePath("share/applications")));
        dir.write("share/applications/" VELMORA_APP_ID ".desktop", "[Desktop Entry]\n");
    }

    QCOMPARE(AppPlaces::besideProgram(), beside);
    if (beside) {
        QCOMPARE(AppPlaces::settingsFile(), bin + "/SetVelmora.ini");
        QCOMPARE(AppPlaces::dataFolder(), bin);
        QVERIFY(!QFileInfo::exists(user.configFolder()));
        QVERIFY(!QFileInfo::exists(user.dataFolder()));
    } else {
        QVERIFY(!QFileInfo::exists(user.configFolder()));
        QCOMPARE(AppPlaces::settingsFile(), user.configFolder() + "/SetVelmora.ini");
        QVERIFY(QFileInfo(user.configFolder()).isDir());
        QVERIFY(!QFileInfo::exists(user.dataFolder()));
        QCOMPARE(AppPlaces::dataFolder(), user.dataFolder());
        QVERIFY(QFileInfo(user.dataFolder()).isDir());
        QCOMPARE(QDir(bin).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList());
    }
    QFile::setPermissions(bin, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

// A copy that ran where it could write and now cannot (moved, or run by another user) keeps
// its profiles; the user's copy may be written even when the original was read-only.
void AppPlacesTest::settingsLeftBesideAreCarriedOver()
{
    TestFolder dir;
    UserFolders user;
    dir.write("SetVelmora.ini", "[SetConnection]\r\nNameOfConnection=Shop\r\n");
    QVERIFY(QFile::setPermissions(dir.filePath("SetVelmora.ini"), QFile::ReadOwner | QFile::ReadOther));

    const QString path = AppPlaces::settingsFile();

    QCOMPARE(path, user.configFolder() + "/SetVelmora.ini");
    QFile copy(path);
    QVERIFY(copy.open(QIODevice::ReadWrite));
    QCOMPARE(copy.readAll(), QByteArray("[SetConnection]\r\nNameOfConnection=Shop\r\n"));
    QVERIFY(copy.permissions() & QFile::WriteOwner);
    QCOMPARE(copy.permissions() & (QFile::ReadGroup | QFile::ReadOther), QFile::Permissions());
}

void AppPlacesTest::theUsersSettingsAreNotReplaced()
{
    TestFolder dir;
    UserFolders user;
    dir.write("SetVelmora.ini", "[SetConnection]\r\nNameOfConnection=Old\r\n");
    QVERIFY(QDir().mkpath(user.configFolder()));
    QFile own(user.configFolder() + "/SetVelmora.ini");
    QVERIFY(own.open(QIODevice::WriteOnly));
    own.write("[SetConnection]\r\nNameOfConnection=Mine\r\n");
    own.close();

    AppPlaces::settingsFile();

    QVERIFY(own.open(QIODevice::ReadOnly));
    QCOMPARE(own.readAll(), QByteArray("[SetConnection]\r\nNameOfConnection=Mine\r\n"));
}

QTEST_GUILESS_MAIN(AppPlacesTest)
#include "AppPlacesTest.moc"
