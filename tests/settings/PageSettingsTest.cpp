#include "settings/PageSettings.h"
#include "TestFolder.h"
#include "UserFolders.h"
#include "settings/SettingsFile.h"

#include <QFile>
#include <QTest>

class TestPageSettings : public QObject
{
    Q_OBJECT
private slots:
    void firstStartGivesTheDefaults()
    {
        TestFolder folder;
        const PageSettings s = PageSettings::load(SettingsFile::open());
        QCOMPARE(s.decimalSeparator, 0);
        QCOMPARE(s.listSeparator, 0);
        QCOMPARE(s.maxRowInCsv, QStringLiteral("10000"));
        QVERIFY(s.folderToExport.isEmpty() && s.folderToImport.isEmpty());
        QVERIFY(s.exportColumns[0] && !s.exportColumns[1]);
        QVERIFY(s.seoColumns[0] && s.seoColumns[9] && !s.seoColumns[1]);
        QVERIFY(s.seoExportExisting);
    }

    void storedValuesAreReadAsWritten()
    {
        TestFolder folder;
        folder.write(QStringLiteral("SetVelmora.ini"),
                     "[PageExport]\r\nDecimalSeparator=0x1\r\nSEO_ExpOrGen=0\r\nColumnForExport[0]=0\r\n"
                     "ColumnForExportSEO[9]=0\r\nColumnForExport[7]=1\r\nCheckToSEO_3=1\r\n");
        const PageSettings s = PageSettings::load(SettingsFile::open());
        QCOMPARE(s.decimalSeparator, 1);
        QVERIFY(!s.seoExportExisting);
        QVERIFY(s.exportColumns[0]);
        QVERIFY(s.seoColumns[9]);
        QVERIFY(s.exportColumns[7]);
        QVERIFY(s.checkToSeo[2]);
    }

    void saveThenLoadGivesTheSameSettings()
    {
        TestFolder folder;
        PageSettings s;
        s.decimalSeparator = -1;
        s.listSeparator = 2;
        s.maxRowInCsv = QStringLiteral("abc");
        s.folderToExport = QStringLiteral("/data/export folder");
        s.folderToImport = QStringLiteral("/data/in");
        s.exportColumns = {true, true, false, true, false, true, false, true};
        s.seoColumns.fill(true);
        s.seoColumns[4] = false;
        s.checkToSeo = {true, false, true, false, true};
        s.seoExportExisting = false;
        IniFile file = SettingsFile::open();
        s.save(file);
        const PageSettings loaded = PageSettings::load(SettingsFile::open());
        QCOMPARE(loaded.decimalSeparator, -1);
        QCOMPARE(loaded.listSeparator, 2);
        QCOMPARE(loaded.maxRowInCsv, s.maxRowInCsv);
        QCOMPARE(loaded.folderToExport, s.folderToExport);
        QCOMPARE(loaded.folderToImport, s.folderToImport);
        QVERIFY(loaded.exportColumns == s.exportColumns);
        QVERIFY(loaded.seoColumns == s.seoColumns);
        QVERIFY(loaded.checkToSeo == s.checkToSeo);
        QCOMPARE(loaded.seoExportExisting, false);
        QVERIFY(!folder.read(QStringLiteral("SetVelmora.ini")).contains("ColumnForExportSEO[9]"));
        QVERIFY(!folder.read(QStringLiteral("SetVelmora.ini")).contains("ColumnForExport[0]"));
    }

    // Beside a program folder that takes files, in the user's configuration folder otherwise.
    void savedWhereTheProgramMayWrite_data()
    {
        QTest::addColumn<bool>("programFolderWritable");
        QTest::newRow("writable program folder") << true;
        QTest::newRow("read-only program folder") << false;
    }

    void savedWhereTheProgramMayWrite()
    {
        QFETCH(bool, programFolderWritable);
        TestFolder folder;
        UserFolders user(programFolderWritable ? UserFolders::ProgramFolder::Writable
                                               : UserFolders::ProgramFolder::ReadOnly);
        PageSettings s = PageSettings::load(SettingsFile::open());
        s.maxRowInCsv = QStringLiteral("250");
        IniFile file = SettingsFile::open();
        s.save(file);

        const QString expected = programFolderWritable ? folder.filePath("SetVelmora.ini")
                                                       : user.configFolder() + "/SetVelmora.ini";
        QCOMPARE(SettingsFile::open().path(), expected);
        QVERIFY(QFile::exists(expected));
        QCOMPARE(QFile::exists(folder.filePath("SetVelmora.ini")), programFolderWritable);
        QCOMPARE(PageSettings::load(SettingsFile::open()).maxRowInCsv, QStringLiteral("250"));
    }
};

QTEST_GUILESS_MAIN(TestPageSettings)
#include "PageSettingsTest.moc"
