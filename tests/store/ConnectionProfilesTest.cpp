#include "ScriptedUi.h"
#include "TestFolder.h"
#include "settings/SettingsFile.h"
#include "store/ConnectionProfile.h"
#include "store/ProfileList.h"

#include <QTest>

namespace {
ConnectionProfile validProfile(const QString& name = QStringLiteral("Shop"))
{
    ConnectionProfile p;
    p.name = name;
    p.storeTypeText = ConnectionProfile::VirtueMart2TypeText;
    p.server = QStringLiteral("db.local");
    p.database = QStringLiteral("shop");
    p.prefix = QStringLiteral("jos_");
    p.user = QStringLiteral("admin");
    p.password = QStringLiteral("secret");
    return p;
}

QString storedList()
{
    return SettingsFile::open().readString(SettingsFile::SetConnection, SettingsFile::NameOfConnection);
}
} // namespace

class TestConnectionProfiles : public QObject
{
    Q_OBJECT
private slots:
    void textBetween_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::newRow("plain") << "[A][B]" << "A";
        QTest::newRow("text before") << "x[A]" << "A";
        QTest::newRow("close first") << "]x[A]" << "";
        QTest::newRow("no close") << "[A" << "";
        QTest::newRow("empty between") << "[]" << "";
    }

    void textBetween()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(TextBetween(text, QStringLiteral("["), QStringLiteral("]")), expected);
    }

    void readProfileNames_data()
    {
        QTest::addColumn<QString>("list");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("no list") << "" << QStringList();
        QTest::newRow("stored order") << "[Zeta][Alpha]" << QStringList{"Zeta", "Alpha"};
        QTest::newRow("empty name ends reading") << "[A][][B]" << QStringList{"A"};
        QTest::newRow("blank name ends reading") << "[A][  ][B]" << QStringList{"A"};
        QTest::newRow("text before the first bracket") << "x[A]" << QStringList{"A"};
        QTest::newRow("blanks kept") << "[ Shop ]" << QStringList{" Shop "};
    }

    void readProfileNames()
    {
        QFETCH(QString, list);
        QFETCH(QStringList, names);
        QCOMPARE(ReadProfileNames(list), names);
    }

    void validationChecksInOrder_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("message");
        QTest::newRow("name") << "name" << "  " << "Connection name is empty !";
        QTest::newRow("store type") << "storeType" << "" << "Type store is empty !";
        QTest::newRow("server") << "server" << " " << "Server name is empty !";
        QTest::newRow("port empty") << "port" << " " << "Port name is empty !";
        QTest::newRow("port with a letter") << "port" << "3306a" << "Port name is incorrect value !";
        QTest::newRow("port trailing blank") << "port" << "3306 " << "Port name is incorrect value !";
        QTest::newRow("port zero") << "port" << "0" << "";
        QTest::newRow("port 70000") << "port" << "70000" << "";
        QTest::newRow("port leading blanks and sign") << "port" << "  +3306" << "";
        QTest::newRow("port hexadecimal") << "port" << "$CEA" << "";
        QTest::newRow("port 0x") << "port" << "0xCEA" << "";
        QTest::newRow("port too big") << "port" << "2147483648" << "Port name is incorrect value !";
        QTest::newRow("database") << "database" << "" << "Database name is empty !";
        QTest::newRow("user") << "user" << "" << "User name is empty !";
        QTest::newRow("bracket") << "name" << "Sh]op" << "Connection name has invalid characters (], [) !";
        QTest::newRow("bracket comes last") << "name+server" << "Sh[op" << "Server name is empty !";
    }

    void validationChecksInOrder()
    {
        QFETCH(QString, field);
        QFETCH(QString, value);
        QFETCH(QString, message);
        ConnectionProfile p = validProfile();
        if (field == u"name")
            p.name = value;
        if (field == u"storeType") {
            p.storeType = -1;
            p.storeTypeText.clear();
        }
        if (field == u"server")
            p.server = value;
        if (field == u"port")
            p.port = value;
        if (field == u"database")
            p.database = value;
        if (field == u"user")
            p.user = value;
        if (field == u"name+server") {
            p.name = value;
            p.server.clear();
        }
        QCOMPARE(p.validationMessage().value_or(QString()), message);
    }

    void addWritesListAndSection()
    {
        TestFolder folder;
        ScriptedUi ui;
        ConnectionProfile p = validProfile(QStringLiteral(" Shop "));
        QVERIFY(p.add());
        QVERIFY(validProfile(QStringLiteral("Test copy")).add());
        QCOMPARE(ui.texts(QStringLiteral("confirm")), QStringList(2, QStringLiteral("Add new connection in list ?")));
        QCOMPARE(storedList(), QStringLiteral("[ Shop ][Test copy]"));
        const QByteArray file = folder.read(QStringLiteral("SetVelmora.ini"));
        QVERIFY(file.contains("[SetConnectionFor{ Shop }]\r\nNameOfConnection=\" Shop \"\r\nTypeStore=0\r\nServer=db.local\r\n"
                              "Port=3306\r\nDatabase=shop\r\nPrefixTable=jos_\r\nUserName=admin\r\nPassword=\r\n"));
        const ConnectionProfile loaded = ConnectionProfile::load(QStringLiteral(" Shop "));
        QCOMPARE(loaded.server, QStringLiteral("db.local"));
        QVERIFY(loaded.password.isEmpty());
    }

    void passwordIsStoredOnlyWhenAsked()
    {
        TestFolder folder;
        ScriptedUi ui;
        ConnectionProfile p = validProfile();
        p.savePassword = true;
        QVERIFY(p.add());
        QCOMPARE(ConnectionProfile::load(QStringLiteral("Shop")).password, QStringLiteral("secret"));
        p.savePassword = false;
        QVERIFY(p.saveChanges());
        QCOMPARE(ConnectionProfile::load(QStringLiteral("Shop")).password, QString());
    }

    void addRefusesDuplicatesAlsoInOtherCase()
    {
        TestFolder folder;
        ScriptedUi ui;
        QVERIFY(validProfile(QStringLiteral("Shop")).add());
        QVERIFY(!validProfile(QStringLiteral("Shop")).add());
        QVERIFY(!validProfile(QStringLiteral("SHOP")).add());
        QCOMPARE(ui.texts(QStringLiteral("message")),
                 QStringList({QStringLiteral("Connection with this name [Shop] already exists !"),
                              QStringLiteral("Connection with this name [SHOP] already exists !")}));
        QCOMPARE(storedList(), QStringLiteral("[Shop]"));
    }

    void answeringNoWritesNothing()
    {
        TestFolder folder;
        ScriptedUi ui;
        ui.confirmAnswers << false;
        QVERIFY(!validProfile().add());
        QVERIFY(!QFile::exists(folder.filePath(QStringLiteral("SetVelmora.ini"))));
    }

    void saveChangesAddressesTheNamedProfile()
    {
        TestFolder folder;
        ScriptedUi ui;
        QVERIFY(!validProfile().saveChanges()); // empty list: nothing, no message
        QVERIFY(ui.texts(QStringLiteral("message")).isEmpty());
        QVERIFY(validProfile(QStringLiteral("Shop")).add());
        ConnectionProfile other = validProfile(QStringLiteral("Other"));
        QVERIFY(!other.saveChanges());
        ConnectionProfile upper = validProfile(QStringLiteral("SHOP"));
        QVERIFY(!upper.saveChanges());
        QCOMPARE(ui.texts(QStringLiteral("message")),
                 QStringList({QStringLiteral("Such a connection [Other] is not in the list !"),
                              QStringLiteral("Such a connection [SHOP] is not in the list !")}));
        ConnectionProfile changed = validProfile(QStringLiteral("Shop"));
        changed.server = QStringLiteral("new.host");
        QVERIFY(changed.saveChanges());
        QCOMPARE(ui.texts(QStringLiteral("confirm")).last(), QStringLiteral("Edit data of connection ?"));
        QCOMPARE(ConnectionProfile::load(QStringLiteral("Shop")).server, QStringLiteral("new.host"));
        QCOMPARE(storedList(), QStringLiteral("[Shop]"));
    }

    void removeTakesListEntryAndSection()
    {
        TestFolder folder;
        ScriptedUi ui;
        QVERIFY(validProfile(QStringLiteral("A")).add());
        QVERIFY(validProfile(QStringLiteral("B")).add());
        bool clear = false;
        QVERIFY(ConnectionProfile::remove(QStringLiteral("A"), clear));
        QVERIFY(!clear);
        QCOMPARE(ui.texts(QStringLiteral("confirm")).last(), QStringLiteral("Delete connection in list ?"));
        QCOMPARE(storedList(), QStringLiteral("[B]"));
        QVERIFY(!folder.read(QStringLiteral("SetVelmora.ini")).contains("SetConnectionFor{A}"));
        QVERIFY(!ConnectionProfile::remove(QStringLiteral("gone"), clear));
        QVERIFY(clear);
        ui.confirmAnswers << false;
        QVERIFY(!ConnectionProfile::remove(QStringLiteral("B"), clear));
        QCOMPARE(storedList(), QStringLiteral("[B]"));
    }

    // Older files may hold two names that differ only in case; they share one section,
    // so removing one must leave the other's data in place.
    void removingOneOfTwoCaseVariantsKeepsTheOthersData()
    {
        TestFolder folder;
        ScriptedUi ui;
        folder.write(QStringLiteral("SetVelmora.ini"), "[SetConnection]\r\nNameOfConnection=[Shop][SHOP]\r\n"
                                                       "[SetConnectionFor{Shop}]\r\nServer=db.local\r\n");
        bool clear = false;
        QVERIFY(ConnectionProfile::remove(QStringLiteral("Shop"), clear));
        QCOMPARE(storedList(), QStringLiteral("[SHOP]"));
        QCOMPARE(ConnectionProfile::load(QStringLiteral("SHOP")).server, QStringLiteral("db.local"));
    }
};

QTEST_GUILESS_MAIN(TestConnectionProfiles)
#include "ConnectionProfilesTest.moc"
