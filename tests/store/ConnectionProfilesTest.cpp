#include "TestFolder.h"
#include "platform/CheckFailure.h"
#include "settings/SettingsFile.h"
#include "store/ConnectionProfile.h"
#include "store/ProfileList.h"

#include <QFile>
#include <QTest>
#include <functional>

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

// The message of the failed check, or nothing when the checks pass.
QString refusal(const std::function<void()>& check)
{
    try {
        check();
    } catch (const CheckFailure& failure) {
        return failure.message();
    }
    return {};
}

QString addingRefusal(const ConnectionProfile& p)
{
    return refusal([&] { p.checkForAdding(); });
}

QString savingRefusal(const ConnectionProfile& p)
{
    return refusal([&] { p.checkForSaving(); });
}
} // namespace

class TestConnectionProfiles : public QObject
{
    Q_OBJECT
private slots:
    void textBetweenMarkers_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::newRow("plain") << "[A][B]"
                               << "A";
        QTest::newRow("text before") << "x[A]"
                                     << "A";
        QTest::newRow("close first") << "]x[A]"
                                     << "";
        QTest::newRow("no close") << "[A"
                                  << "";
        QTest::newRow("empty between") << "[]"
                                       << "";
    }

    void textBetweenMarkers()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(textBetween(text, QStringLiteral("["), QStringLiteral("]")), expected);
    }

    void profileNamesOfTheList_data()
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

    void profileNamesOfTheList()
    {
        QFETCH(QString, list);
        QFETCH(QStringList, names);
        QCOMPARE(readProfileNames(list), names);
    }

    void validationChecksInOrder_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("message");
        QTest::newRow("name") << "name"
                              << "  "
                              << "Connection name is empty !";
        QTest::newRow("store type") << "storeType"
                                    << ""
                                    << "Type store is empty !";
        QTest::newRow("server") << "server"
                                << " "
                                << "Server name is empty !";
        QTest::newRow("port empty") << "port"
                                    << " "
                                    << "Port name is empty !";
        QTest::newRow("port with a letter") << "port"
                                            << "3306a"
                                            << "Port name is incorrect value !";
        QTest::newRow("port trailing blank") << "port"
                                             << "3306 "
                                             << "Port name is incorrect value !";
        QTest::newRow("port zero") << "port"
                                   << "0"
                                   << "";
        QTest::newRow("port 70000") << "port"
                                    << "70000"
                                    << "";
        QTest::newRow("port leading blanks and sign") << "port"
                                                      << "  +3306"
                                                      << "";
        QTest::newRow("port hexadecimal") << "port"
                                          << "$CEA"
                                          << "";
        QTest::newRow("port 0x") << "port"
                                 << "0xCEA"
                                 << "";
        QTest::newRow("port too big") << "port"
                                      << "2147483648"
                                      << "Port name is incorrect value !";
        QTest::newRow("database") << "database"
                                  << ""
                                  << "Database name is empty !";
        QTest::newRow("user") << "user"
                              << ""
                              << "User name is empty !";
        QTest::newRow("bracket") << "name"
                                 << "Sh]op"
                                 << "Connection name has invalid characters (], [) !";
        QTest::newRow("bracket comes last") << "name+server"
                                            << "Sh[op"
                                            << "Server name is empty !";
        QTest::newRow("SSH fields unused") << "sshPort"
                                           << "x"
                                           << "";
        QTest::newRow("SSH host") << "ssh+sshHost"
                                  << " "
                                  << "SSH host is empty !";
        QTest::newRow("SSH port") << "ssh+sshPort"
                                  << "65536"
                                  << "SSH port is incorrect value !";
        QTest::newRow("SSH port empty") << "ssh+sshPort"
                                        << ""
                                        << "SSH port is incorrect value !";
        QTest::newRow("SSH all right") << "ssh+sshPort"
                                       << "2222"
                                       << "";
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
        p.throughSsh = field.startsWith(QLatin1String("ssh+"));
        p.sshHost = QStringLiteral("shop.example");
        if (field.endsWith(QLatin1String("sshHost")))
            p.sshHost = value;
        if (field.endsWith(QLatin1String("sshPort")))
            p.sshPort = value;
        QCOMPARE(p.validationMessage().value_or(QString()), message);
    }

    void addWritesListAndSection()
    {
        TestFolder folder;
        ConnectionProfile p = validProfile(QStringLiteral(" Shop "));
        QCOMPARE(addingRefusal(p), QString());
        p.add();
        validProfile(QStringLiteral("Test copy")).add();
        QCOMPARE(storedList(), QStringLiteral("[ Shop ][Test copy]"));
        const QByteArray file = folder.read(QStringLiteral("SetVelmora.ini"));
        QVERIFY(file.contains(
            "[SetConnectionFor{ Shop }]\r\nNameOfConnection=\" Shop \"\r\nTypeStore=0\r\nServer=db.local\r\n"
            "Port=3306\r\nDatabase=shop\r\nPrefixTable=jos_\r\nUserName=admin\r\nPassword=\r\n"));
        const ConnectionProfile loaded = ConnectionProfile::load(QStringLiteral(" Shop "));
        QCOMPARE(loaded.server, QStringLiteral("db.local"));
        QVERIFY(loaded.password.isEmpty());
    }

    void passwordIsStoredOnlyWhenAsked()
    {
        TestFolder folder;
        ConnectionProfile p = validProfile();
        p.savePassword = true;
        p.add();
        QCOMPARE(ConnectionProfile::load(QStringLiteral("Shop")).password, QStringLiteral("secret"));
        // Without a desktop keyring, as here, the settings file keeps it, readable by its owner only.
        QVERIFY(folder.read(QStringLiteral("SetVelmora.ini")).contains("\r\nPassword=secret\r\n"));
        QCOMPARE(fileMode(folder.filePath(QStringLiteral("SetVelmora.ini"))), 0600);
        p.savePassword = false;
        QVERIFY(p.checkForSaving());
        p.saveChanges();
        QCOMPARE(ConnectionProfile::load(QStringLiteral("Shop")).password, QString());
    }

    // A profile written before the encryption keys existed connects as it always did; one
    // that has them keeps them, and a value it cannot read is taken for the strictest.
    void encryptionOfTheProfile()
    {
        TestFolder folder;
        folder.write(
            QStringLiteral("SetVelmora.ini"),
            "[SetConnection]\r\nNameOfConnection=[Old][Odd]\r\n[SetConnectionFor{Old}]\r\nNameOfConnection="
            "Old\r\n"
            "Server=db.local\r\n[SetConnectionFor{Odd}]\r\nNameOfConnection=Odd\r\nEncryption=7\r\n");
        QCOMPARE(ConnectionProfile::load(QStringLiteral("Old")).security.encryption,
                 ConnectionSecurity::Encryption::Off);
        QCOMPARE(ConnectionProfile::load(QStringLiteral("Odd")).security.encryption,
                 ConnectionSecurity::Encryption::Verified);
        ConnectionProfile p = validProfile(QStringLiteral("Hosted"));
        p.security = {ConnectionSecurity::Encryption::Verified, QStringLiteral("/etc/ssl/shop-ca.pem")};
        p.add();
        const ConnectionProfile loaded = ConnectionProfile::load(QStringLiteral("Hosted"));
        QCOMPARE(loaded.security.encryption, ConnectionSecurity::Encryption::Verified);
        QCOMPARE(loaded.security.caFile, QStringLiteral("/etc/ssl/shop-ca.pem"));
    }

    // A profile without the SSH keys connects directly; one with them keeps them.
    void sshRouteOfTheProfile()
    {
        TestFolder folder;
        folder.write(QStringLiteral("SetVelmora.ini"), "[SetConnection]\r\nNameOfConnection=[Old]\r\n"
                                                       "[SetConnectionFor{Old}]\r\nNameOfConnection=Old\r\n");
        const SshRoute old = ConnectionProfile::load(QStringLiteral("Old")).sshRoute();
        QVERIFY(!old.enabled);
        QCOMPARE(old.port, 22);
        ConnectionProfile p = validProfile(QStringLiteral("Hosted"));
        p.throughSsh = true;
        p.sshHost = QStringLiteral("shop.example");
        p.sshPort = QStringLiteral("2222");
        p.sshUser = QStringLiteral("deploy");
        p.sshKeyFile = QStringLiteral("/home/op/.ssh/shop");
        p.add();
        const SshRoute route = ConnectionProfile::load(QStringLiteral("Hosted")).sshRoute();
        QVERIFY(route.enabled);
        QCOMPARE(route.description(), QStringLiteral("deploy@shop.example:2222"));
        QCOMPARE(route.keyFile, QStringLiteral("/home/op/.ssh/shop"));
    }

    void checksRefuseFieldsBeforeTheList()
    {
        TestFolder folder;
        ConnectionProfile p = validProfile();
        p.user.clear();
        QCOMPARE(addingRefusal(p), QStringLiteral("User name is empty !"));
        QCOMPARE(savingRefusal(p), QStringLiteral("User name is empty !"));
        QVERIFY(!QFile::exists(folder.filePath(QStringLiteral("SetVelmora.ini"))));
    }

    void addRefusesDuplicatesAlsoInOtherCase()
    {
        TestFolder folder;
        validProfile(QStringLiteral("Shop")).add();
        QCOMPARE(addingRefusal(validProfile(QStringLiteral("Shop"))),
                 QStringLiteral("Connection with this name [Shop] already exists !"));
        QCOMPARE(addingRefusal(validProfile(QStringLiteral("SHOP"))),
                 QStringLiteral("Connection with this name [SHOP] already exists !"));
        QCOMPARE(storedList(), QStringLiteral("[Shop]"));
    }

    void saveChangesAddressesTheNamedProfile()
    {
        TestFolder folder;
        QVERIFY(!validProfile().checkForSaving()); // empty list: nothing, no message
        validProfile(QStringLiteral("Shop")).add();
        QCOMPARE(savingRefusal(validProfile(QStringLiteral("Other"))),
                 QStringLiteral("Such a connection [Other] is not in the list !"));
        QCOMPARE(savingRefusal(validProfile(QStringLiteral("SHOP"))),
                 QStringLiteral("Such a connection [SHOP] is not in the list !"));
        ConnectionProfile changed = validProfile(QStringLiteral("Shop"));
        changed.server = QStringLiteral("new.host");
        QVERIFY(changed.checkForSaving());
        changed.saveChanges();
        QCOMPARE(ConnectionProfile::load(QStringLiteral("Shop")).server, QStringLiteral("new.host"));
        QCOMPARE(storedList(), QStringLiteral("[Shop]"));
    }

    void removeTakesListEntryAndSection()
    {
        TestFolder folder;
        validProfile(QStringLiteral("A")).add();
        validProfile(QStringLiteral("B")).add();
        bool clear = false;
        QVERIFY(ConnectionProfile::remove(QStringLiteral("A"), clear));
        QVERIFY(!clear);
        QCOMPARE(storedList(), QStringLiteral("[B]"));
        QVERIFY(!folder.read(QStringLiteral("SetVelmora.ini")).contains("SetConnectionFor{A}"));
        QVERIFY(!ConnectionProfile::remove(QStringLiteral("gone"), clear));
        QVERIFY(clear);
        QCOMPARE(storedList(), QStringLiteral("[B]"));
    }

    // Older files may hold two names that differ only in case; they share one section,
    // so removing one must leave the other's data in place.
    void removingOneOfTwoCaseVariantsKeepsTheOthersData()
    {
        TestFolder folder;
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
