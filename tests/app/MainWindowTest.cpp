#include "MainWindow.h"
#include "ClickableLabel.h"
#include "ScriptedUi.h"
#include "TestFolder.h"
#include "WindowControls.h"
#include "platform/TextDecoding.h"
#include "settings/SettingsFile.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

class TestMainWindow : public QObject
{
    Q_OBJECT
private slots:
    void startsOnTheSettingPageWithFirstTabs()
    {
        TestFolder folder;
        ScriptedUi ui;
        MainWindow form{ui};
        form.show();
        QCOMPARE(form.currentPageName(), QStringLiteral("SETTING"));
        QCOMPARE(control<QTabWidget>(form, "PageControl1")->currentIndex(), 0);
        QCOMPARE(control<QTabWidget>(form, "PageControl2")->currentIndex(), 0);
        if (qEnvironmentVariableIsSet("VELMORA_SCREENSHOT"))
            form.grab().save(qEnvironmentVariable("VELMORA_SCREENSHOT"));
    }

    void toolbarShowsPagesByNameAndKeepsTabs()
    {
        TestFolder folder;
        ScriptedUi ui;
        MainWindow form{ui};
        form.show();
        form.showPage(QStringLiteral("EXPORT"));
        control<QTabWidget>(form, "PageControl1")->setCurrentIndex(2);
        const QList<std::pair<const char*, QString>> clicks = {{"SpeedButton1", "IMPORT"},
                                                               {"SpeedButton1", "IMPORT"},
                                                               {"SpeedButton24", "HELP"},
                                                               {"SpeedButton2", "EXPORT"},
                                                               {"SpeedButton3", "SETTING"}};
        for (const auto& [button, page] : clicks) {
            QTest::mouseClick(form.findChild<QToolButton*>(button), Qt::LeftButton);
            QCOMPARE(form.currentPageName(), page);
        }
        QCOMPARE(control<QTabWidget>(form, "PageControl1")->currentIndex(), 2);
    }

    void everyControlHasAnAccessibleName()
    {
        TestFolder folder;
        ScriptedUi ui;
        MainWindow form{ui};
        for (QWidget* w : form.findChildren<QWidget*>()) {
            const QString name = w->objectName();
            const bool isControl = qobject_cast<QAbstractButton*>(w) || qobject_cast<QLineEdit*>(w) ||
                                   qobject_cast<QComboBox*>(w) || qobject_cast<QListWidget*>(w);
            if (isControl && !name.isEmpty() && !name.startsWith(u"qt_"))
                QVERIFY2(!w->accessibleName().isEmpty(), qPrintable(name));
        }
        QCOMPARE(form.findChild<QToolButton*>("SpeedButton2")->toolTip(),
                 QStringLiteral("Export prices and availability in csv-files"));
        QCOMPARE(control<QTabWidget>(form, "PageControl1")->tabText(1),
                 QStringLiteral("  List of manufacturers  ....   "));
        QCOMPARE(control<QTabWidget>(form, "PageControl2")->tabText(2), QStringLiteral("  Import ...  "));
    }

    void firstStartShowsTheDefaults()
    {
        TestFolder folder;
        ScriptedUi ui;
        MainWindow form{ui};
        form.show();
        QCOMPARE(control<QComboBox>(form, "ComboBox6")->currentText(), QStringLiteral(","));
        QCOMPARE(control<QComboBox>(form, "ComboBox5")->currentText(), QStringLiteral(";"));
        QCOMPARE(control<QLineEdit>(form, "Edit6")->text(), QStringLiteral("10000"));
        QVERIFY(control<QLineEdit>(form, "Edit7")->text().isEmpty());
        QCOMPARE(control<QComboBox>(form, "ComboBoxCodePage")->currentText(),
                 QString::fromLatin1(localeLegacyCodePage()));
        QCOMPARE(control<QComboBox>(form, "ComboBoxMatchBy")->currentText(), QStringLiteral("IDPART"));
        QCOMPARE(control<QSpinBox>(form, "SpinEditWarnPercent")->value(), 50);
        QVERIFY(control<QCheckBox>(form, "CheckBoxWarnZero")->isChecked());
        QCOMPARE(control<QListWidget>(form, "CheckListBox3")->item(0)->checkState(), Qt::Checked);
        QCOMPARE(control<QListWidget>(form, "CheckListBox3")->item(1)->checkState(), Qt::Unchecked);
        QCOMPARE(control<QListWidget>(form, "CheckListBox4")->item(9)->checkState(), Qt::Checked);
        QVERIFY(!control<QCheckBox>(form, "CheckBox2")->isChecked());
        QVERIFY(control<QRadioButton>(form, "RadioButton1")->isChecked());
    }

    void closeSavesWhatShowLoadsBack()
    {
        TestFolder folder;
        ScriptedUi ui;
        {
            MainWindow form{ui};
            form.show();
            control<QComboBox>(form, "ComboBox6")->setCurrentIndex(1);
            control<QComboBox>(form, "ComboBox5")->setCurrentIndex(2);
            control<QLineEdit>(form, "Edit6")->setText(QStringLiteral("500"));
            control<QLineEdit>(form, "Edit7")->setText(QStringLiteral("/tmp/out put"));
            control<QLineEdit>(form, "Edit9")->setText(QStringLiteral("/tmp/in"));
            control<QComboBox>(form, "ComboBoxCodePage")->setCurrentText(QStringLiteral("KOI8-R"));
            control<QComboBox>(form, "ComboBoxMatchBy")->setCurrentText(QStringLiteral("TRADENUMBER"));
            control<QSpinBox>(form, "SpinEditWarnPercent")->setValue(0);
            control<QCheckBox>(form, "CheckBoxWarnZero")->setChecked(false);
            control<QListWidget>(form, "CheckListBox3")->item(5)->setCheckState(Qt::Checked);
            control<QListWidget>(form, "CheckListBox4")->item(14)->setCheckState(Qt::Checked);
            control<QCheckBox>(form, "CheckBox4")->setChecked(true);
            control<QRadioButton>(form, "RadioButton2")->setChecked(true);
            form.close();
        }
        QVERIFY(ui.calls.isEmpty());
        MainWindow form{ui};
        form.show();
        QCOMPARE(control<QComboBox>(form, "ComboBox6")->currentText(), QStringLiteral("."));
        QCOMPARE(control<QComboBox>(form, "ComboBox5")->currentText(), QStringLiteral("TAB"));
        QCOMPARE(control<QLineEdit>(form, "Edit6")->text(), QStringLiteral("500"));
        QCOMPARE(control<QLineEdit>(form, "Edit7")->text(), QStringLiteral("/tmp/out put"));
        QCOMPARE(control<QLineEdit>(form, "Edit9")->text(), QStringLiteral("/tmp/in"));
        QCOMPARE(control<QComboBox>(form, "ComboBoxCodePage")->currentText(), QStringLiteral("KOI8-R"));
        QCOMPARE(control<QComboBox>(form, "ComboBoxMatchBy")->currentText(), QStringLiteral("TRADENUMBER"));
        QCOMPARE(control<QSpinBox>(form, "SpinEditWarnPercent")->value(), 0);
        QVERIFY(!control<QCheckBox>(form, "CheckBoxWarnZero")->isChecked());
        QCOMPARE(control<QListWidget>(form, "CheckListBox3")->item(5)->checkState(), Qt::Checked);
        QCOMPARE(control<QListWidget>(form, "CheckListBox3")->item(4)->checkState(), Qt::Unchecked);
        QCOMPARE(control<QListWidget>(form, "CheckListBox4")->item(14)->checkState(), Qt::Checked);
        QVERIFY(control<QCheckBox>(form, "CheckBox4")->isChecked());
        QVERIFY(!control<QCheckBox>(form, "CheckBox3")->isChecked());
        QVERIFY(control<QRadioButton>(form, "RadioButton2")->isChecked());
    }

    void identifierColumnsCannotBeUnticked()
    {
        TestFolder folder;
        ScriptedUi ui;
        MainWindow form{ui};
        form.show();
        control<QListWidget>(form, "CheckListBox3")->item(0)->setCheckState(Qt::Unchecked);
        control<QListWidget>(form, "CheckListBox4")->item(0)->setCheckState(Qt::Unchecked);
        control<QListWidget>(form, "CheckListBox4")->item(9)->setCheckState(Qt::Unchecked);
        QCOMPARE(control<QListWidget>(form, "CheckListBox3")->item(0)->checkState(), Qt::Checked);
        QCOMPARE(control<QListWidget>(form, "CheckListBox4")->item(0)->checkState(), Qt::Checked);
        QCOMPARE(control<QListWidget>(form, "CheckListBox4")->item(9)->checkState(), Qt::Checked);
    }

    void helpPicturesOpenWebPages()
    {
        TestFolder folder;
        ScriptedUi ui;
        MainWindow form{ui};
        form.show();
        form.showPage(QStringLiteral("HELP"));
        QTest::mouseClick(control<ClickableLabel>(form, "Image1"), Qt::LeftButton);
        QTest::mouseClick(control<ClickableLabel>(form, "Image2"), Qt::LeftButton);
        QCOMPARE(ui.opened.size(), 2);
        QVERIFY(ui.opened[0].startsWith(QStringLiteral("https://")));
    }

    void settingsThatCannotBeWrittenDoNotKeepTheWindowOpen()
    {
        TestFolder folder;
        ScriptedUi ui;
        QDir(folder.path()).mkdir(QStringLiteral("SetVelmora.ini")); // a folder where the file should be
        MainWindow form{ui};
        form.show();
        QVERIFY(form.close());
        QCOMPARE(ui.texts(QStringLiteral("error")),
                 QStringList{QStringLiteral("Unable to write to %1.")
                                 .arg(folder.filePath(QStringLiteral("SetVelmora.ini")))});
    }
};

QTEST_MAIN(TestMainWindow)
#include "MainWindowTest.moc"
