#include "JobThread.h"
#include "JobWaits.h"
#include "MainWindow.h"
#include "PrivateServer.h"
#include "ScriptedUi.h"
#include "TestFolder.h"
#include "TestStore.h"
#include "WindowControls.h"
#include "settings/IniFile.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray inserts(int count)
{
    QByteArray script;
    for (int i = 1; i <= count; ++i)
        script += "INSERT INTO received (v) VALUES ('" + QByteArray::number(i) + "');\r\n";
    return script;
}

// The window with a program folder and a dialog seam of its own.
struct Window
{
    Window() { form.show(); }

    // Connects the window to a store with an empty table "received", and writes a script of
    // count inserts into it; gives the script's path.
    QString prepareInserts(TestStore& store, int count)
    {
        store.exec(QStringLiteral("CREATE TABLE received (n INT AUTO_INCREMENT PRIMARY KEY, v VARCHAR(20))"));
        store.connect(form.connection());
        const QString name = QStringLiteral("inserts%1.sql").arg(count);
        folder.write(name, inserts(count));
        return folder.filePath(name);
    }

    TestFolder folder;
    ScriptedUi ui;
    MainWindow form{ui};
};

} // namespace

class TestScriptRunWindow : public QObject
{
    Q_OBJECT
private slots:
    // The tests act at a statement the progress bar shows, the job waiting there.
    void initTestCase() { JobThread::setLockStep(true); }

    void secondManualStartWhileOneRunsDoesNothing()
    {
        Window w;
        TestStore store(QStringLiteral("script_window"));
        const QString script = w.prepareInserts(store, 3);
        w.ui.fileAnswers << script << script;
        int notifications = 0;
        connect(control<QProgressBar>(w.form, "ProgressBar1"), &QProgressBar::valueChanged, this,
                [&](int value) {
                    if (value > 0 && ++notifications == 1)
                        QTest::mouseClick(control<QPushButton>(w.form, "SpeedButton19"), Qt::LeftButton);
                });
        QVERIFY(clickAndWait(w.form, control<QPushButton>(w.form, "SpeedButton19")));
        QCOMPARE(w.ui.calls, QStringList{QStringLiteral("file: *.sql|*.sql|") + w.folder.path()});
        QCOMPARE(store.column(QStringLiteral("SELECT v FROM received ORDER BY n")),
                 QStringList({"1", "2", "3"}));
        QVERIFY(!w.form.scriptJob().isRunning());

        // Once the run is over a manual start works again.
        QVERIFY(clickAndWait(w.form, control<QPushButton>(w.form, "SpeedButton19")));
        QCOMPARE(store.column(QStringLiteral("SELECT COUNT(*) FROM received")),
                 QStringList{QStringLiteral("6")});
        QVERIFY(w.ui.texts(QStringLiteral("error")).isEmpty());
    }

    void serverStoppedInTheMiddleEndsTheRunWithOneReport()
    {
        PrivateServer server;
        Window w;
        QVERIFY(server.started());
        {
            DbConnection admin(QStringLiteral("admin"));
            server.applyTo(admin, QString());
            admin.open();
            admin.execute(QStringLiteral("CREATE DATABASE stopped"));
            admin.execute(QStringLiteral(
                "CREATE TABLE stopped.received (n INT AUTO_INCREMENT PRIMARY KEY, v VARCHAR(20))"));
        }
        server.applyTo(w.form.connection(), QStringLiteral("stopped"));
        w.form.connection().open();
        w.folder.write(QStringLiteral("many.sql"), inserts(250));
        w.ui.fileAnswers << w.folder.filePath(QStringLiteral("many.sql"));
        int notifications = 0;
        connect(control<QProgressBar>(w.form, "ProgressBar1"), &QProgressBar::valueChanged, this,
                [&](int value) {
                    if (value > 0 && ++notifications == 1)
                        server.stop();
                });
        QVERIFY(clickAndWait(w.form, control<QPushButton>(w.form, "SpeedButton19")));

        const QStringList errors = w.ui.texts(QStringLiteral("error"));
        QCOMPARE(errors.size(), 1);
        // The statements go a hundred to a round trip, committed after 200 ms. Either the second
        // round trip met the stopped server, which took the first hundred, never committed, with
        // it; or their commit did, and whether the server made it is not known.
        const QRegularExpression report(QStringLiteral(
            "Connection lost: (149 statements of the script were not sent. 0 statements were committed "
            "before "
            "it; the 100 sent after the last commit were rolled back by the server.|150 statements of the "
            "script were not sent. 0 statements were committed before it; the commit of the 100 after them "
            "was cut off, and the server may have made it or not.)"));
        QVERIFY2(report.match(errors[0]).hasMatch(), qPrintable(errors[0]));
        QVERIFY(!w.form.scriptJob().isRunning());
        QCOMPARE(control<QProgressBar>(w.form, "ProgressBar1")->value(), 0);
    }

    // A script whose statements fail by the dozen: the first box offers to go on without
    // further boxes; the log and the summary still name every failure.
    void manyFailuresNeedOneBoxOnly()
    {
        Window w;
        TestStore store(QStringLiteral("script_failures"));
        w.prepareInserts(store, 0);
        QByteArray script;
        for (int i = 1; i <= 6; ++i)
            script += i % 2 ? "INSERT INTO received (v) VALUES ('" + QByteArray::number(i) + "');\r\n"
                            : "INSERT INTO received (nothing) VALUES (" + QByteArray::number(i) + ");\r\n";
        w.folder.write(QStringLiteral("mixed.sql"), script);
        w.ui.fileAnswers << w.folder.filePath(QStringLiteral("mixed.sql"))
                         << w.folder.filePath(QStringLiteral("mixed.sql"));
        w.ui.noFurtherBoxesAnswers << true;
        QVERIFY(clickAndWait(w.form, control<QPushButton>(w.form, "SpeedButton19")));

        QCOMPARE(w.ui.texts(QStringLiteral("error")).size(), 1);
        QCOMPARE(store.column(QStringLiteral("SELECT v FROM received ORDER BY n")),
                 QStringList({"1", "3", "5"}));
        const QStringList log = control<QPlainTextEdit>(w.form, "Memo1")->toPlainText().split(u'\n');
        QCOMPARE(log.size(), 4);
        for (int i = 0; i < 3; ++i)
            QVERIFY2(log[i].startsWith(
                         QStringLiteral("Statement failed: INSERT INTO received (nothing) VALUES (%1) : ")
                             .arg(2 * i + 2)),
                     qPrintable(log[i]));
        QCOMPARE(log[3], QStringLiteral("Script run: 6 statements ran, 3 failed."));

        // The choice holds for that run only: the next one shows its boxes again.
        QVERIFY(clickAndWait(w.form, control<QPushButton>(w.form, "SpeedButton19")));
        QCOMPARE(w.ui.texts(QStringLiteral("error")).size(), 4);
    }

    // Stop ends a running script before its next round trip once the operator confirms, and
    // says how many ran; without a run it asks nothing.
    void stopEndsTheScriptAtTheNextRoundTrip()
    {
        Window w;
        TestStore store(QStringLiteral("script_stop"));
        w.ui.fileAnswers << w.prepareInserts(store, 250);
        QTest::mouseClick(control<QPushButton>(w.form, "SpeedButtonStopScript"), Qt::LeftButton);
        QVERIFY(w.ui.calls.isEmpty());
        int notifications = 0;
        connect(
            control<QProgressBar>(w.form, "ProgressBar1"), &QProgressBar::valueChanged, this, [&](int value) {
                if (value > 0 && ++notifications == 3) {
                    w.ui.confirmAnswers << true;
                    QTest::mouseClick(control<QPushButton>(w.form, "SpeedButtonStopScript"), Qt::LeftButton);
                }
            });
        QVERIFY(clickAndWait(w.form, control<QPushButton>(w.form, "SpeedButton19")));

        QCOMPARE(store.column(QStringLiteral("SELECT COUNT(*), MAX(n) FROM received")), QStringList{"100"});
        QCOMPARE(
            w.ui.texts(QStringLiteral("confirm")),
            QStringList{QStringLiteral("Stop the script update (the statements that ran stay applied) ?")});
        const QString summary =
            QStringLiteral("Script run: 100 statements ran, 0 failed, stopped before the rest.");
        QCOMPARE(control<QLabel>(w.form, "Label39")->text(), summary);
        QCOMPARE(control<QPlainTextEdit>(w.form, "Memo1")->toPlainText(), summary);
        QVERIFY(!w.form.scriptJob().isRunning());
        QCOMPARE(control<QPushButton>(w.form, "SpeedButtonStopScript")->accessibleName(),
                 QStringLiteral("Stop script update"));
    }

    // "Start creation script" pressed while a script runs is refused before it touches the log.
    void creationRefusedDuringAScriptRunKeepsTheLog()
    {
        Window w;
        TestStore store(QStringLiteral("script_keeps_log"));
        w.ui.fileAnswers << w.prepareInserts(store, 3);
        control<QPlainTextEdit>(w.form, "Memo1")->setPlainText(QStringLiteral("the last run's log"));
        QString logWhilePressed;
        connect(control<QProgressBar>(w.form, "ProgressBar1"), &QProgressBar::valueChanged, this,
                [&](int value) {
                    if (value > 0 && logWhilePressed.isNull()) {
                        QTest::mouseClick(control<QPushButton>(w.form, "SpeedButton16"), Qt::LeftButton);
                        logWhilePressed = control<QPlainTextEdit>(w.form, "Memo1")->toPlainText();
                    }
                });
        QVERIFY(clickAndWait(w.form, control<QPushButton>(w.form, "SpeedButton19")));
        QCOMPARE(logWhilePressed, QStringLiteral("the last run's log"));
        QVERIFY(!w.form.creationJob().isRunning());
    }

    // The run ends before its next round trip, its statements committed: it neither opens the closed
    // connection again nor reports anything once the window is gone.
    void closingTheWindowEndsTheRunQuietly()
    {
        Window w;
        TestStore store(QStringLiteral("script_close"));
        w.ui.fileAnswers << w.prepareInserts(store, 250);
        int notifications = 0;
        connect(control<QProgressBar>(w.form, "ProgressBar1"), &QProgressBar::valueChanged, this,
                [&](int value) {
                    if (value > 0 && ++notifications == 3)
                        w.form.close();
                });
        QVERIFY(clickAndWait(w.form, control<QPushButton>(w.form, "SpeedButton19")));

        QCOMPARE(store.column(QStringLiteral("SELECT COUNT(*) FROM received")), QStringList{"100"});
        QCOMPARE(w.ui.calls, QStringList{QStringLiteral("file: *.sql|*.sql|") + w.folder.path()});
        QVERIFY(!w.form.isVisible());
        QVERIFY(!w.form.connection().connected());
        QVERIFY(!w.form.scriptJob().isRunning());
    }
};

QTEST_MAIN(TestScriptRunWindow)
#include "ScriptRunWindowTest.moc"
