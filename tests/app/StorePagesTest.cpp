#include "DropDownComboBox.h"
#include "MainWindow.h"
#include "ScriptedUi.h"
#include "TestFolder.h"
#include "TestStore.h"
#include "WindowControls.h"
#include "store/ConnectionProfile.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

namespace {

QStringList itemTexts(const QListWidget* list)
{
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts << list->item(i)->text();
    return texts;
}

QStringList comboItems(const QComboBox* combo)
{
    QStringList texts;
    for (int i = 0; i < combo->count(); ++i)
        texts << combo->itemText(i);
    return texts;
}

// Opens a profile drop-down the way a click does, then picks the named entry.
void pick(DropDownComboBox* combo, const QString& name)
{
    emit combo->aboutToDropDown();
    combo->setCurrentIndex(combo->findText(name));
    emit combo->activated(combo->currentIndex());
}

} // namespace

class TestStorePages : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        m_store = std::make_unique<TestStore>(QStringLiteral("store_pages"), QStringLiteral("vm_"),
                                              QStringLiteral("de_de"));
        m_store->exec(QStringLiteral(
            "INSERT INTO @PREFIX@virtuemart_manufacturers_@LANG@ (virtuemart_manufacturer_id, mf_name) "
            "VALUES (7, 'zeta'), (3, 'Borvex'), (9, 'acme')"));
    }

    void init()
    {
        m_folder = std::make_unique<TestFolder>();
        m_ui = std::make_unique<ScriptedUi>();
        m_form = std::make_unique<MainWindow>(*m_ui);
        m_form->show();
    }

    void cleanup()
    {
        m_form.reset();
        m_ui.reset();
        m_folder.reset();
    }

    void profileEditorAddsSelectsAndRemoves()
    {
        MainWindow& f = *m_form;
        QCOMPARE(comboItems(control<DropDownComboBox>(f, "ComboBox1")), QStringList());
        fillFields(QStringLiteral("Refused"));
        m_ui->confirmAnswers << false;
        QTest::mouseClick(control<QToolButton>(f, "SpeedButton5"), Qt::LeftButton);
        QVERIFY(!QFile::exists(m_folder->filePath(QStringLiteral("SetVelmora.ini"))));
        fillFields(QStringLiteral(" Shop "));
        control<QCheckBox>(f, "CheckBox1")->setChecked(true);
        m_ui->confirmAnswers << true << true;
        QTest::mouseClick(control<QToolButton>(f, "SpeedButton5"), Qt::LeftButton);
        fillFields(QStringLiteral("Second"));
        control<QLineEdit>(f, "Edit1")->setText(QStringLiteral("other.host"));
        QTest::mouseClick(control<QToolButton>(f, "SpeedButton5"), Qt::LeftButton);
        QCOMPARE(m_ui->texts(QStringLiteral("confirm")),
                 QStringList(3, QStringLiteral("Add new connection in list ?")));

        for (QLineEdit* e : {control<QLineEdit>(f, "Edit10"), control<QLineEdit>(f, "Edit1"),
                             control<QLineEdit>(f, "Edit5")})
            e->clear();
        pick(control<DropDownComboBox>(f, "ComboBox1"), QStringLiteral(" Shop "));
        QCOMPARE(comboItems(control<DropDownComboBox>(f, "ComboBox1")), QStringList({" Shop ", "Second"}));
        QCOMPARE(control<QLineEdit>(f, "Edit10")->text(), QStringLiteral(" Shop "));
        QCOMPARE(control<QLineEdit>(f, "Edit1")->text(), TestServer::fromEnvironment().host);
        QCOMPARE(control<QLineEdit>(f, "Edit5")->text(), TestServer::fromEnvironment().password);

        control<QLineEdit>(f, "Edit1")->setText(QStringLiteral("changed.host"));
        m_ui->confirmAnswers << false;
        QTest::mouseClick(control<QToolButton>(f, "SpeedButton4"), Qt::LeftButton);
        QCOMPARE(ConnectionProfile::load(QStringLiteral(" Shop ")).server,
                 TestServer::fromEnvironment().host);
        m_ui->confirmAnswers << true;
        QTest::mouseClick(control<QToolButton>(f, "SpeedButton4"), Qt::LeftButton);
        QCOMPARE(m_ui->texts(QStringLiteral("confirm")).last(), QStringLiteral("Edit data of connection ?"));
        QCOMPARE(ConnectionProfile::load(QStringLiteral(" Shop ")).server, QStringLiteral("changed.host"));

        m_ui->confirmAnswers << true;
        QTest::mouseClick(control<QToolButton>(f, "SpeedButton6"), Qt::LeftButton);
        QCOMPARE(m_ui->texts(QStringLiteral("confirm")).last(),
                 QStringLiteral("Delete connection in list ?"));
        QCOMPARE(control<DropDownComboBox>(f, "ComboBox1")->currentText(), QStringLiteral(" Shop "));
        emit control<DropDownComboBox>(f, "ComboBox1")->aboutToDropDown();
        QCOMPARE(comboItems(control<DropDownComboBox>(f, "ComboBox1")),
                 QStringList{QStringLiteral("Second")});
    }

    // The box follows the profile chosen, so that saving a profile's changes keeps the password
    // it holds, and one without a password stays without.
    void savingAChosenProfileKeepsItsStoredPassword()
    {
        MainWindow& f = *m_form;
        addStoredProfile(QStringLiteral("Kept"), QStringLiteral("s3cret"));
        ConnectionProfile bare = m_store->profile(QStringLiteral("Bare"));
        bare.add(); // its password is not saved
        control<QCheckBox>(f, "CheckBox1")->setChecked(false);
        pick(control<DropDownComboBox>(f, "ComboBox1"), QStringLiteral("Kept"));
        QVERIFY(control<QCheckBox>(f, "CheckBox1")->isChecked());
        control<QLineEdit>(f, "Edit1")->setText(QStringLiteral("moved.host"));
        m_ui->confirmAnswers << true;
        QTest::mouseClick(control<QToolButton>(f, "SpeedButton4"), Qt::LeftButton);
        QCOMPARE(ConnectionProfile::load(QStringLiteral("Kept")).password, QStringLiteral("s3cret"));
        QCOMPARE(ConnectionProfile::load(QStringLiteral("Kept")).server, QStringLiteral("moved.host"));

        pick(control<DropDownComboBox>(f, "ComboBox1"), QStringLiteral("Bare"));
        QVERIFY(!control<QCheckBox>(f, "CheckBox1")->isChecked());
    }

    // The encryption and the SSH route go from the fields into the profile and back; the SSH
    // fields are open only while "Through SSH" is ticked.
    void encryptionAndSshFieldsFollowTheProfile()
    {
        MainWindow& f = *m_form;
        QCOMPARE(
            control<QLabel>(f, "LabelPasswordPlace")->text(),
            QStringLiteral("No desktop keyring is running: a saved password is kept in the settings file, "
                           "readable only by you."));
        m_store->profile(QStringLiteral("Direct")).add();
        fillFields(QStringLiteral("Hosted"));
        QVERIFY(!control<QLineEdit>(f, "EditSshHost")->isEnabled());
        control<QComboBox>(f, "ComboBoxEncryption")->setCurrentIndex(2);
        control<QLineEdit>(f, "EditCaFile")->setText(QStringLiteral("/etc/ssl/shop-ca.pem"));
        control<QCheckBox>(f, "CheckBoxSsh")->setChecked(true);
        QVERIFY(control<QLineEdit>(f, "EditSshHost")->isEnabled());
        control<QLineEdit>(f, "EditSshHost")->setText(QStringLiteral(" shop.example "));
        control<QLineEdit>(f, "EditSshPort")->setText(QStringLiteral("2222"));
        control<QLineEdit>(f, "EditSshUser")->setText(QStringLiteral("deploy"));
        m_ui->fileAnswers << QStringLiteral("/home/op/.ssh/shop");
        QTest::mouseClick(control<QPushButton>(f, "SpeedButtonSshKeyFile"), Qt::LeftButton);
        m_ui->confirmAnswers << true;
        QTest::mouseClick(control<QToolButton>(f, "SpeedButton5"), Qt::LeftButton);

        const ConnectionProfile stored = ConnectionProfile::load(QStringLiteral("Hosted"));
        QCOMPARE(stored.security.encryption, ConnectionSecurity::Encryption::Verified);
        QCOMPARE(stored.security.caFile, QStringLiteral("/etc/ssl/shop-ca.pem"));
        QCOMPARE(stored.sshRoute().description(), QStringLiteral("deploy@shop.example:2222"));
        QCOMPARE(stored.sshRoute().keyFile, QStringLiteral("/home/op/.ssh/shop"));

        pick(control<DropDownComboBox>(f, "ComboBox1"), QStringLiteral("Direct"));
        QVERIFY(!control<QCheckBox>(f, "CheckBoxSsh")->isChecked());
        QVERIFY(!control<QLineEdit>(f, "EditSshHost")->isEnabled());
        QCOMPARE(control<QComboBox>(f, "ComboBoxEncryption")->currentIndex(), 0);
        pick(control<DropDownComboBox>(f, "ComboBox1"), QStringLiteral("Hosted"));
        QVERIFY(control<QCheckBox>(f, "CheckBoxSsh")->isChecked());
        QCOMPARE(control<QLineEdit>(f, "EditSshKeyFile")->text(), QStringLiteral("/home/op/.ssh/shop"));
        QCOMPARE(control<QLineEdit>(f, "EditSshPort")->text(), QStringLiteral("2222"));
    }

    void storeTypeOutsideTheListLeavesItEmpty()
    {
        m_folder->write(
            QStringLiteral("SetVelmora.ini"),
            "[SetConnection]\r\nNameOfConnection=[Odd]\r\n[SetConnectionFor{Odd}]\r\nNameOfConnection=Odd\r\n"
            "TypeStore=5\r\nServer=h\r\nDatabase=d\r\nUserName=u\r\n");
        pick(control<DropDownComboBox>(*m_form, "ComboBox1"), QStringLiteral("Odd"));
        QCOMPARE(control<QComboBox>(*m_form, "ComboBox2")->currentIndex(), -1);
        QTest::mouseClick(control<QToolButton>(*m_form, "SpeedButton7"), Qt::LeftButton);
        QCOMPARE(m_ui->texts(QStringLiteral("message")),
                 QStringList{QStringLiteral("Type store is empty !")});
        QCOMPARE(control<QListWidget>(*m_form, "ListBox1")->count(), 0);
    }

    void testPutsThePromptedPasswordIntoItsField()
    {
        MainWindow& f = *m_form;
        fillFields(QStringLiteral("Shop"));
        control<QLineEdit>(f, "Edit5")->clear();
        m_ui->passwordAnswers << TestServer::fromEnvironment().password;
        QTest::mouseClick(control<QToolButton>(f, "SpeedButton7"), Qt::LeftButton);
        QCOMPARE(m_ui->texts(QStringLiteral("password")),
                 QStringList{QStringLiteral("Setting database|Enter password for database")});
        QCOMPARE(control<QLineEdit>(f, "Edit5")->text(), TestServer::fromEnvironment().password);
        QCOMPARE(control<QLineEdit>(f, "Edit5")->echoMode(), QLineEdit::Password);
        QCOMPARE(control<QListWidget>(f, "ListBox1")
                     ->item(control<QListWidget>(f, "ListBox1")->count() - 1)
                     ->text(),
                 QStringLiteral("-------------- ALL WAS OK ----------------"));
        QCOMPARE(control<QListWidget>(f, "ListBox1")->item(15)->text(),
                 QStringLiteral("[+] store default language = de_de"));
        QVERIFY(!f.connection().connected());
    }

    void exportConnectListsBrandsSortedWithTheirIds()
    {
        MainWindow& f = *m_form;
        addStoredProfile(QStringLiteral("Shop"));
        QTest::mouseClick(control<QPushButton>(f, "SpeedButton8"), Qt::LeftButton);
        QCOMPARE(m_ui->texts(QStringLiteral("message")),
                 QStringList{QStringLiteral("Not select connection !!!")});
        pick(control<DropDownComboBox>(f, "ComboBox3"), QStringLiteral("Shop"));
        QTest::mouseClick(control<QPushButton>(f, "SpeedButton8"), Qt::LeftButton);
        QCOMPARE(itemTexts(control<QListWidget>(f, "CheckListBox1")),
                 QStringList({"acme", "Borvex", "zeta"}));
        QCOMPARE(control<QListWidget>(f, "CheckListBox1")->item(1)->data(Qt::UserRole).toInt(), 3);
        QCOMPARE(control<QListWidget>(f, "CheckListBox1")->item(0)->checkState(), Qt::Unchecked);
        QCOMPARE(control<QTabWidget>(f, "PageControl1")->currentIndex(), 1);
        QCOMPARE(f.session().schema.manufacturers(), QStringLiteral("vm_virtuemart_manufacturers_de_de"));
        QVERIFY(!f.query().active());
        QVERIFY(f.connection().connected());

        // select all, then clear all
        QTest::mouseClick(control<QToolButton>(f, "SpeedButton11"), Qt::LeftButton);
        QCOMPARE(control<QListWidget>(f, "CheckListBox1")->item(2)->checkState(), Qt::Checked);
        QTest::mouseClick(control<QToolButton>(f, "SpeedButton11"), Qt::LeftButton);
        QCOMPARE(control<QListWidget>(f, "CheckListBox1")->item(0)->checkState(), Qt::Unchecked);

        // opening on the import page replaces the session and empties the brand list
        pick(control<DropDownComboBox>(f, "ComboBox8"), QStringLiteral("Shop"));
        QTest::mouseClick(control<QPushButton>(f, "SpeedButton13"), Qt::LeftButton);
        QCOMPARE(control<QListWidget>(f, "CheckListBox1")->count(), 0);
        QCOMPARE(control<QTabWidget>(f, "PageControl2")->currentIndex(), 1);

        // the drop-down empties it too
        QTest::mouseClick(control<QPushButton>(f, "SpeedButton8"), Qt::LeftButton);
        QCOMPARE(control<QListWidget>(f, "CheckListBox1")->count(), 3);
        emit control<DropDownComboBox>(f, "ComboBox3")->aboutToDropDown();
        QCOMPARE(control<QListWidget>(f, "CheckListBox1")->count(), 0);
    }

    void failedConnectShowsTheErrorAfterTheClosingSteps()
    {
        MainWindow& f = *m_form;
        addStoredProfile(QStringLiteral("Shop"), QStringLiteral("wrong"));
        pick(control<DropDownComboBox>(f, "ComboBox3"), QStringLiteral("Shop"));
        control<QTabWidget>(f, "PageControl1")->setCurrentIndex(0);
        QTest::mouseClick(control<QPushButton>(f, "SpeedButton8"), Qt::LeftButton);
        QCOMPARE(control<QTabWidget>(f, "PageControl1")->currentIndex(), 1);
        QCOMPARE(control<QListWidget>(f, "CheckListBox1")->count(), 0);
        const QStringList errors = m_ui->texts(QStringLiteral("error"));
        QCOMPARE(errors.size(), 1);
        QVERIFY2(errors[0].startsWith(QStringLiteral("Access denied for user")), qPrintable(errors[0]));
    }

    void importConnectRefreshesTheFileListEvenWhenItFails()
    {
        MainWindow& f = *m_form;
        addStoredProfile(QStringLiteral("Shop"), QStringLiteral("wrong"));
        QDir(m_folder->path()).mkdir(QStringLiteral("lists"));
        QDir(m_folder->path()).mkdir(QStringLiteral("lists/sub"));
        m_folder->write(QStringLiteral("lists/a.csv"), "x");
        m_folder->write(QStringLiteral("lists/.hidden.xlsx"), "x");
        control<QLineEdit>(f, "Edit9")->setText(m_folder->filePath(QStringLiteral("lists")));
        pick(control<DropDownComboBox>(f, "ComboBox8"), QStringLiteral("Shop"));
        QTest::mouseClick(control<QPushButton>(f, "SpeedButton13"), Qt::LeftButton);
        QCOMPARE(control<QTabWidget>(f, "PageControl2")->currentIndex(), 1);
        QStringList files = itemTexts(control<QListWidget>(f, "CheckListBox2"));
        files.sort();
        QCOMPARE(files, QStringList({m_folder->filePath(QStringLiteral("lists/.hidden.xlsx")),
                                     m_folder->filePath(QStringLiteral("lists/a.csv"))}));
        QCOMPARE(m_ui->texts(QStringLiteral("error")).size(), 1);
    }

    void fileListRefreshAndToggle()
    {
        MainWindow& f = *m_form;
        QDir(m_folder->path()).mkdir(QStringLiteral("lists"));
        for (const char* name : {"lists/1.csv", "lists/2.csv", "lists/3.csv"})
            m_folder->write(QString::fromLatin1(name), "x");
        control<QLineEdit>(f, "Edit9")->setText(m_folder->filePath(QStringLiteral("lists")) + u'/');
        QTest::mouseClick(control<QToolButton>(f, "SpeedButton18"), Qt::LeftButton);
        QCOMPARE(control<QListWidget>(f, "CheckListBox2")->count(), 3);
        QVERIFY(!control<QListWidget>(f, "CheckListBox2")->item(0)->text().contains(QStringLiteral("//")));
        control<QListWidget>(f, "CheckListBox2")->item(0)->setCheckState(Qt::Checked);
        control<QListWidget>(f, "CheckListBox2")->setCurrentRow(2);
        QTest::mouseClick(control<QToolButton>(f, "SpeedButton15"),
                          Qt::LeftButton); // selected entry unchecked: check all
        for (int i = 0; i < 3; ++i)
            QCOMPARE(control<QListWidget>(f, "CheckListBox2")->item(i)->checkState(), Qt::Checked);
        QTest::mouseClick(control<QToolButton>(f, "SpeedButton15"), Qt::LeftButton);
        QCOMPARE(control<QListWidget>(f, "CheckListBox2")->item(1)->checkState(), Qt::Unchecked);

        control<QLineEdit>(f, "Edit9")->setText(m_folder->filePath(QStringLiteral("missing")));
        QTest::mouseClick(control<QToolButton>(f, "SpeedButton18"), Qt::LeftButton);
        QCOMPARE(m_ui->texts(QStringLiteral("message")),
                 QStringList{QStringLiteral("path to the specified folder [%1/] does not exist !")
                                 .arg(m_folder->filePath(QStringLiteral("missing")))});
        QCOMPARE(control<QListWidget>(f, "CheckListBox2")->count(), 3);
    }

    void folderChoosersFillThePaths()
    {
        MainWindow& f = *m_form;
        m_ui->folderAnswers << QStringLiteral("/data/export") << std::nullopt
                            << QStringLiteral("/data/lists");
        QTest::mouseClick(control<QPushButton>(f, "SpeedButton9"), Qt::LeftButton);
        QTest::mouseClick(control<QPushButton>(f, "SpeedButton9"), Qt::LeftButton);
        QTest::mouseClick(control<QPushButton>(f, "SpeedButton14"), Qt::LeftButton);
        QCOMPARE(control<QLineEdit>(f, "Edit7")->text(), QStringLiteral("/data/export"));
        QCOMPARE(control<QLineEdit>(f, "Edit9")->text(), QStringLiteral("/data/lists"));
        QCOMPARE(m_ui->texts(QStringLiteral("folder")), QStringList(3, QStringLiteral("Choose a directory")));
    }

private:
    void fillFields(const QString& name)
    {
        const ConnectionProfile p = m_store->profile(name);
        MainWindow& f = *m_form;
        control<QLineEdit>(f, "Edit10")->setText(p.name);
        control<QLineEdit>(f, "Edit1")->setText(p.server);
        control<QLineEdit>(f, "Edit2")->setText(p.port);
        control<QLineEdit>(f, "Edit11")->setText(p.database);
        control<QLineEdit>(f, "Edit3")->setText(p.prefix);
        control<QLineEdit>(f, "Edit4")->setText(p.user);
        control<QLineEdit>(f, "Edit5")->setText(p.password);
    }

    void addStoredProfile(const QString& name, const QString& password = {})
    {
        ConnectionProfile p = m_store->profile(name);
        if (!password.isEmpty())
            p.password = password;
        p.savePassword = true;
        p.add();
    }

    std::unique_ptr<TestStore> m_store;
    std::unique_ptr<TestFolder> m_folder;
    std::unique_ptr<ScriptedUi> m_ui;
    std::unique_ptr<MainWindow> m_form;
};

QTEST_MAIN(TestStorePages)
#include "StorePagesTest.moc"
