#include "CommandLine.h"
#include "DropDownComboBox.h"
#include "MainWindow.h"
#include "ProgramCopy.h"
#include "ScriptedUi.h"
#include "TestCatalog.h"
#include "TestFolder.h"
#include "TestStore.h"
#include "WindowControls.h"
#include "platform/Keyring.h"
#include "store/ConnectionProfile.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <memory>

// Saved passwords with a desktop keyring running (the suite runs this test beside one of its
// own): they go there and not into the settings file, an older one in the file moves there on
// the next save, and the command line finds them there unless a password is given for the run.
class TestKeyringPassword : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        m_store = std::make_unique<TestStore>(QStringLiteral("keyring_password"));
        TestCatalog::addBrand(*m_store, 1, QStringLiteral("Acme"));
        TestCatalog::addProducts(*m_store, 1, 1, 2);
        QCOMPARE(Keyring::read(QStringLiteral("nothing here")).outcome, Keyring::Outcome::NotFound);
    }

    void init() { m_folder = std::make_unique<TestFolder>(); }
    void cleanup() { m_folder.reset(); }

    void savedPasswordGoesToTheKeyring()
    {
        ConnectionProfile p = m_store->profile(QStringLiteral("Shop"));
        p.savePassword = true;
        p.add();
        QVERIFY(settingsFile().contains("\r\nPassword=\r\n"));
        QCOMPARE(Keyring::read(QStringLiteral("Shop")).secret, p.password);
        QCOMPARE(ConnectionProfile::load(QStringLiteral("Shop")).password, p.password);

        p.savePassword = false; // the operator takes the password back
        p.saveChanges();
        QCOMPARE(Keyring::read(QStringLiteral("Shop")).outcome, Keyring::Outcome::NotFound);
        QCOMPARE(ConnectionProfile::load(QStringLiteral("Shop")).password, QString());

        p.savePassword = true;
        p.saveChanges();
        bool clearSelector = false;
        QVERIFY(ConnectionProfile::remove(QStringLiteral("Shop"), clearSelector));
        QCOMPARE(Keyring::read(QStringLiteral("Shop")).outcome, Keyring::Outcome::NotFound);
    }

    // A settings file written before keeps working, and its password leaves it on the next save.
    void passwordInAnOlderFileMovesOnSave()
    {
        m_folder->write(QStringLiteral("SetVelmora.ini"),
                        "[SetConnection]\r\nNameOfConnection=[Old]\r\n[SetConnectionFor{Old}]\r\n"
                        "NameOfConnection=Old\r\nServer=db.local\r\nPassword=from-the-file\r\n");
        ConnectionProfile p = ConnectionProfile::load(QStringLiteral("Old"));
        QCOMPARE(p.password, QStringLiteral("from-the-file"));
        QCOMPARE(Keyring::read(QStringLiteral("Old")).outcome, Keyring::Outcome::NotFound);
        p.savePassword = true;
        p.saveChanges();
        QVERIFY(!settingsFile().contains("from-the-file"));
        QCOMPARE(Keyring::read(QStringLiteral("Old")).secret, QStringLiteral("from-the-file"));
        QCOMPARE(ConnectionProfile::load(QStringLiteral("Old")).password, QStringLiteral("from-the-file"));
        bool clearSelector = false;
        ConnectionProfile::remove(QStringLiteral("Old"), clearSelector);
    }

    // The SETTING page says where a saved password goes, and shows one from the keyring.
    void settingPageShowsTheKeyring()
    {
        ConnectionProfile p = m_store->profile(QStringLiteral("Paged"));
        p.savePassword = true;
        p.add();
        ScriptedUi ui;
        MainWindow form(ui);
        QCOMPARE(control<QLabel>(form, "LabelPasswordPlace")->text(),
                 QStringLiteral("A saved password is kept in the desktop keyring."));
        auto* profiles = control<DropDownComboBox>(form, "ComboBox1");
        emit profiles->aboutToDropDown();
        profiles->setCurrentIndex(profiles->findText(QStringLiteral("Paged")));
        emit profiles->activated(profiles->currentIndex());
        QCOMPARE(control<QLineEdit>(form, "Edit5")->text(), p.password);
        QVERIFY(control<QCheckBox>(form, "CheckBox1")->isChecked());
        bool clearSelector = false;
        ConnectionProfile::remove(QStringLiteral("Paged"), clearSelector);
    }

    void commandLineFindsThePasswordInTheKeyring()
    {
        ProgramCopy program(QStringLiteral(VELMORA_EXECUTABLE), m_folder->path());
        QVERIFY(program.isReady());
        ConnectionProfile p = m_store->profile(QStringLiteral("Nightly"));
        p.savePassword = true;
        p.add();
        QTemporaryDir out;
        const QStringList exportAll{"export", "--profile", "Nightly", "--folder", out.path()};
        const ProgramCopy::Result found = program.run(exportAll);
        QVERIFY2(found.code == int(CommandLine::Done), qPrintable(found.err));
        // A password given for the run wins over the saved one.
        const ProgramCopy::Result given = program.run(exportAll, {}, "not-the-password");
        QCOMPARE(given.code, int(CommandLine::ConnectionFailed));
        QVERIFY2(given.err.contains(QStringLiteral("Access denied")), qPrintable(given.err));
        const ProgramCopy::Result fromInput =
            program.run(exportAll + QStringList{"--password-stdin"}, p.password.toUtf8() + "\n");
        QCOMPARE(fromInput.code, int(CommandLine::Done));
        bool clearSelector = false;
        ConnectionProfile::remove(QStringLiteral("Nightly"), clearSelector);
    }

private:
    QByteArray settingsFile() const { return m_folder->read(QStringLiteral("SetVelmora.ini")); }

    std::unique_ptr<TestStore> m_store;
    std::unique_ptr<TestFolder> m_folder;
};

QTEST_MAIN(TestKeyringPassword)
#include "KeyringPasswordTest.moc"
