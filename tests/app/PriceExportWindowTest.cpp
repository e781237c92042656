#include "ClickableLabel.h"
#include "DropDownComboBox.h"
#include "JobThread.h"
#include "JobWaits.h"
#include "MainWindow.h"
#include "ScriptedUi.h"
#include "SmallFileSystem.h"
#include "SshServer.h"
#include "TestCatalog.h"
#include "TestFolder.h"
#include "TestStore.h"
#include "WindowControls.h"
#include "store/ConnectionProfile.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPaintEvent>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <QToolButton>
#include <functional>

namespace {

// Lets a test look at the window at the moment the error box shows.
class WatchingUi : public ScriptedUi
{
public:
    std::function<void()> onError;

    void errorBox(const QString& text) override
    {
        ScriptedUi::errorBox(text);
        if (onError)
            onError();
    }
};

// The window on a program folder of its own, connected to a test store on the EXPORT page,
// exporting into out/.
class ExportWindow
{
public:
    TestFolder folder;
    WatchingUi ui;
    MainWindow form{ui};
    QString out;

    explicit ExportWindow(const TestStore& store, const SshRoute& ssh = {})
    {
        const TestServer server = TestServer::fromEnvironment();
        ConnectionProfile profile;
        profile.name = "Store";
        profile.storeTypeText = ConnectionProfile::VirtueMart2TypeText;
        profile.server = server.host;
        profile.port = QString::number(server.port);
        profile.database = store.database();
        profile.prefix = store.prefix();
        profile.user = server.user;
        profile.password = server.password;
        profile.savePassword = true;
        profile.throughSsh = ssh.enabled;
        profile.sshHost = ssh.host;
        profile.sshPort = QString::number(ssh.port);
        profile.sshKeyFile = ssh.keyFile;
        profile.add();
        out = folder.filePath("out");
        QDir().mkpath(out);

        form.show();
        form.showPage("EXPORT");
        emit control<DropDownComboBox>(form, "ComboBox3")->aboutToDropDown();
        control<DropDownComboBox>(form, "ComboBox3")->setCurrentIndex(0);
        QTest::mouseClick(control<QPushButton>(form, "SpeedButton8"), Qt::LeftButton);
        control<QLineEdit>(form, "Edit7")->setText(out);
        ui.calls.clear();
    }

    void tick(const QString& brand)
    {
        const auto items = control<QListWidget>(form, "CheckListBox1")->findItems(brand, Qt::MatchExactly);
        QCOMPARE(items.size(), 1);
        items[0]->setCheckState(Qt::Checked);
    }

    // Clicks "  Start export"; duringRun is called whenever the run yields to the window, after
    // a paint of the window, with the row label as it was painted.
    void startExport(const std::function<void(const QString& rowLabel)>& duringRun = {})
    {
        JobThread::setYieldWatcher([&] {
            if (!form.priceExportJob().isRunning())
                return;
            form.repaint();
            rowLabels << control<QLabel>(form, "Label25")->text();
            if (duringRun)
                duringRun(rowLabels.last());
        });
        const bool ended = clickAndWait(form, control<QPushButton>(form, "SpeedButton10"));
        JobThread::setYieldWatcher({});
        QVERIFY(ended);
    }

    QStringList rowLabels;

    QStringList progressLabels() const
    {
        return {control<ClickableLabel>(form, "Label23")->text(), control<QLabel>(form, "Label24")->text(),
                control<QLabel>(form, "Label25")->text(), control<QLabel>(form, "Label44")->text()};
    }

    QByteArray file(const QString& name) const
    {
        QFile f(QDir(out).filePath(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    // Data lines of an output file; "<bad file>" without the mark and header or the last line end.
    QList<QByteArray> dataLines(const QString& name) const
    {
        const QByteArray bytes = file(name);
        if (!bytes.startsWith("\xEF\xBB\xBF\"IDPART\";") || !bytes.endsWith("\r\n"))
            return {"<bad file>"};
        QList<QByteArray> lines = bytes.split('\n');
        lines.removeFirst();
        lines.removeLast();
        for (QByteArray& line : lines)
            line.chop(1);
        return lines;
    }
};

// Counts the paints of each watched widget, and those that cover most of it.
class PaintCounter : public QObject
{
public:
    QHash<QObject*, int> paints;
    QHash<QObject*, int> wholePaints;

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            ++paints[watched];
            const QRect painted = static_cast<QPaintEvent*>(event)->rect();
            if (painted.height() * 2 > static_cast<QWidget*>(watched)->height())
                ++wholePaints[watched];
        }
        return false;
    }
};

const QStringList RestingLabels = {".......", "0", "0", "processing  brand ..."};

} // namespace

class TestPriceExportWindow : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void noBrandTickedWritesTheHeaderOnly();
    void twoBrandsOfThreeAndFourProducts();
    void rotationShowsTheFileAndLeavesAnOlderFile();
    void countersRepaintOnlyThemselves();
    void confirmedStopEndsAfterOneMoreRow();
    void closingTheWindowStopsQuietly();
    void fileErrorShownAfterTheClosingSteps_data();
    void fileErrorShownAfterTheClosingSteps();
    void otherActionsAreRefusedWhileItRuns();
    void noProfileChosenOnlyResetsTheLabels();
    void idleStopAndPathLabelDoNothing();
    void exportThroughAnSshTunnel();

private:
    std::unique_ptr<TestStore> m_store;
};

void TestPriceExportWindow::initTestCase()
{
    // The tests look at the window after every row, the job waiting until the window has it.
    JobThread::setLockStep(true);
    m_store = std::make_unique<TestStore>("price_export_window");
    TestCatalog::addBrand(*m_store, 1, "Acme");
    TestCatalog::addBrand(*m_store, 2, "borvex");
    TestCatalog::addBrand(*m_store, 3, "Caldera");
    TestCatalog::addProducts(*m_store, 1, 101, 3);
    TestCatalog::addProducts(*m_store, 2, 201, 4);
    TestCatalog::addProducts(*m_store, 3, 301, 5);
    TestCatalog::addBrand(*m_store, 4, "Dynatek");
    TestCatalog::addProducts(*m_store, 4, 401, 200);
}

void TestPriceExportWindow::noBrandTickedWritesTheHeaderOnly()
{
    ExportWindow w(*m_store);
    QCOMPARE(control<QListWidget>(w.form, "CheckListBox1")->count(), 4);
    w.folder.write("out/F1.csv", "an older run's lines\r\n");

    w.startExport();

    QCOMPARE(w.file("F1.csv"),
             QByteArray("\xEF\xBB\xBF\"IDPART\";\"note : if for values [QUANTITY,PRICE,PUBLISHED] is "
                        "no value is specified (worth NULL) then these values during the upgrade "
                        "does not participate\"\r\n"));
    QVERIFY(w.ui.calls.isEmpty());
    QCOMPARE(w.progressLabels(), RestingLabels);
}

void TestPriceExportWindow::twoBrandsOfThreeAndFourProducts()
{
    ExportWindow w(*m_store);
    w.tick("Acme");
    w.tick("borvex");
    control<QListWidget>(w.form, "CheckListBox3")->item(2)->setCheckState(Qt::Checked); // TRADENUMBER
    QStringList brandLines;
    QString pathLabel;

    w.startExport([&](const QString&) {
        pathLabel = control<ClickableLabel>(w.form, "Label23")->text();
        if (brandLines.isEmpty() || brandLines.last() != control<QLabel>(w.form, "Label44")->text())
            brandLines << control<QLabel>(w.form, "Label44")->text();
    });

    QList<QByteArray> lines = w.dataLines("F1.csv");
    std::sort(lines.begin(), lines.end());
    QCOMPARE(lines, (QList<QByteArray>{"101;\"'SKU-101\"", "102;\"'SKU-102\"", "103;\"'SKU-103\"",
                                       "201;\"'SKU-201\"", "202;\"'SKU-202\"", "203;\"'SKU-203\"",
                                       "204;\"'SKU-204\""}));
    QVERIFY(w.file("F1.csv").contains("\"IDPART\";TRADENUMBER;\"note"));
    QCOMPARE(w.rowLabels.last(), QString("7"));
    QCOMPARE(pathLabel, w.out + "/");
    QCOMPARE(brandLines,
             (QStringList{"processing  brand ...", "processing  brand [Acme]", "processing  brand [borvex]",
                          "processing  brand [Caldera]", "processing  brand [Dynatek]"}));
    QCOMPARE(control<QTabWidget>(w.form, "PageControl1")->currentIndex(), 2);
    QCOMPARE(w.progressLabels(), RestingLabels);
    QCOMPARE(control<QLabel>(w.form, "Label25")->maximumSize(), QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX));
    QVERIFY(!w.form.priceExportJob().isRunning());
    QVERIFY(!w.form.query().active());
    QVERIFY(w.ui.calls.isEmpty());
}

void TestPriceExportWindow::rotationShowsTheFileAndLeavesAnOlderFile()
{
    ExportWindow w(*m_store);
    w.tick("borvex");
    w.tick("Caldera");
    control<QLineEdit>(w.form, "Edit6")->setText("4");
    w.folder.write("out/F4.csv", "older F4");
    QStringList fileLabels;

    w.startExport([&](const QString&) {
        if (fileLabels.isEmpty() || fileLabels.last() != control<QLabel>(w.form, "Label24")->text())
            fileLabels << control<QLabel>(w.form, "Label24")->text();
    });

    QCOMPARE(fileLabels, (QStringList{"1", "2", "3"}));
    QCOMPARE(w.dataLines("F1.csv").size(), 3);
    QCOMPARE(w.dataLines("F2.csv").size(), 3);
    QCOMPARE(w.dataLines("F3.csv").size(), 3);
    QCOMPARE(w.file("F4.csv"), QByteArray("older F4"));
}

// A counter that laid out the progress tab anew would repaint the whole tab with it, which
// costs more than exporting the row.
void TestPriceExportWindow::countersRepaintOnlyThemselves()
{
    ExportWindow w(*m_store);
    w.tick("Dynatek");
    PaintCounter counter;
    control<QLabel>(w.form, "Label25")->installEventFilter(&counter);
    control<QTabWidget>(w.form, "PageControl1")->installEventFilter(&counter);
    QTimer slowRows; // at least 16 frames, with a new counter value in each
    QObject::connect(&slowRows, &QTimer::timeout, [] { QThread::msleep(2); });
    slowRows.start(0);

    QVERIFY(clickAndWait(w.form, control<QPushButton>(w.form, "SpeedButton10")));

    QCOMPARE(w.dataLines("F1.csv").size(), 200);
    QVERIFY2(counter.paints[control<QLabel>(w.form, "Label25")] >= 16,
             qPrintable(QString::number(counter.paints[control<QLabel>(w.form, "Label25")])));
    // The tab itself is painted when it is shown and for each of the four brand lines.
    QVERIFY2(counter.wholePaints[control<QTabWidget>(w.form, "PageControl1")] <= 8,
             qPrintable(QString::number(counter.wholePaints[control<QTabWidget>(w.form, "PageControl1")])));
}

void TestPriceExportWindow::confirmedStopEndsAfterOneMoreRow()
{
    ExportWindow w(*m_store);
    w.tick("Acme");
    w.tick("borvex");
    w.tick("Caldera");
    control<QLineEdit>(w.form, "Edit6")->setText("3");
    w.ui.confirmAnswers << false << true;

    w.startExport([&](const QString& rowLabel) {
        if (rowLabel == "2" || rowLabel == "5")
            QTest::mouseClick(control<QPushButton>(w.form, "SpeedButton12"), Qt::LeftButton);
    });

    const QString question = "Stop the export of data (all first exported data will be saved) ?";
    QCOMPARE(w.ui.calls, (QStringList{"confirm: " + question, "confirm: " + question}));
    QCOMPARE(w.rowLabels.last(), QString("5"));
    QCOMPARE(w.dataLines("F1.csv").size(), 2);
    QCOMPARE(w.dataLines("F2.csv").size(), 2);
    QCOMPARE(w.dataLines("F3.csv").size(), 2);
    QVERIFY(!QFile::exists(QDir(w.out).filePath("F4.csv")));
    QCOMPARE(w.progressLabels(), RestingLabels);
    QVERIFY(!w.form.priceExportJob().isRunning());
    QVERIFY(!w.form.priceExportJob().stopRequested());
}

void TestPriceExportWindow::closingTheWindowStopsQuietly()
{
    ExportWindow w(*m_store);
    w.tick("Acme");
    w.tick("borvex");
    w.tick("Caldera");

    w.startExport([&](const QString& rowLabel) {
        if (rowLabel == "2" && w.form.isVisible())
            w.form.close();
    });

    QCOMPARE(w.ui.calls, QStringList());
    QVERIFY(!w.form.isVisible());
    // The row after the close, then the file was finished with every line whole.
    QCOMPARE(w.dataLines("F1.csv").size(), 3);
    QVERIFY(!w.form.priceExportJob().isRunning());
    QVERIFY(!w.form.connection().connected());
}

void TestPriceExportWindow::fileErrorShownAfterTheClosingSteps_data()
{
    QTest::addColumn<QString>("folder"); // "<out>" is the usual export folder, the others small file systems
    QTest::addColumn<QString>("prepare");
    QTest::addColumn<QString>("error");

    QTest::newRow("folder not writable") << "<read-only>"
                                         << ""
                                         << "Cannot create file \"<folder>/F1.csv\". File access denied.";
    QTest::newRow("F1.csv is a folder") << "<out>"
                                        << "folder"
                                        << "Cannot create file \"<folder>/F1.csv\". I/O error 21.";
    QTest::newRow("disk full at the last write") << "<full>"
                                                 << ""
                                                 << "Cannot write file \"<folder>/F1.csv\". Disk full.";
}

void TestPriceExportWindow::fileErrorShownAfterTheClosingSteps()
{
    QFETCH(QString, folder);
    QFETCH(QString, prepare);
    QFETCH(QString, error);
    SmallFileSystem disk(folder == "<read-only>" ? SmallFileSystem::Access::ReadOnly
                                                 : SmallFileSystem::Access::Writable);
    if (folder != "<out>")
        SKIP_UNLESS_MOUNTED(disk);
    if (folder == "<full>")
        disk.fill();
    ExportWindow w(*m_store);
    w.tick("Acme");
    const QString f1 = QDir(w.out).filePath("F1.csv");
    if (prepare == "folder")
        QVERIFY(QDir().mkdir(f1));
    folder = folder == "<out>" ? w.out : disk.path();
    error.replace("<folder>", folder);
    control<QLineEdit>(w.form, "Edit7")->setText(folder);
    QStringList labelsAtError;
    w.ui.onError = [&] {
        labelsAtError = w.progressLabels() << (w.form.priceExportJob().isRunning() ? "running" : "idle");
    };

    w.startExport();

    QCOMPARE(w.ui.texts("error"), QStringList{error});
    QCOMPARE(labelsAtError, RestingLabels + QStringList{"idle"});
    QVERIFY(!w.form.query().active());
}

void TestPriceExportWindow::otherActionsAreRefusedWhileItRuns()
{
    ExportWindow w(*m_store);
    w.tick("Acme");
    w.tick("borvex");
    bool clicked = false;

    w.startExport([&](const QString& rowLabel) {
        if (rowLabel != "2" || clicked)
            return;
        clicked = true;
        for (QAbstractButton* button :
             {static_cast<QAbstractButton*>(control<QPushButton>(w.form, "SpeedButton10")),
              static_cast<QAbstractButton*>(control<QPushButton>(w.form, "SpeedButton8")),
              static_cast<QAbstractButton*>(control<QPushButton>(w.form, "SpeedButton13")),
              static_cast<QAbstractButton*>(control<QToolButton>(w.form, "SpeedButton7"))})
            button->click();
        QVERIFY(w.form.priceExportJob().isRunning());
        QCOMPARE(control<QListWidget>(w.form, "CheckListBox1")->count(), 4);
        QVERIFY(w.form.connection().connected());
    });

    QVERIFY(clicked);
    QVERIFY(w.ui.calls.isEmpty());
    QCOMPARE(w.dataLines("F1.csv").size(), 7);
}

void TestPriceExportWindow::noProfileChosenOnlyResetsTheLabels()
{
    TestFolder folder;
    ScriptedUi ui;
    MainWindow form{ui};
    form.show();
    control<QLineEdit>(form, "Edit7")->setText(folder.path());
    QCOMPARE(control<QLabel>(form, "Label25")->text(), QString("000"));

    QVERIFY(clickAndWait(form, control<QPushButton>(form, "SpeedButton10")));

    QCOMPARE(QStringList({control<ClickableLabel>(form, "Label23")->text(),
                          control<QLabel>(form, "Label24")->text(), control<QLabel>(form, "Label25")->text(),
                          control<QLabel>(form, "Label44")->text()}),
             RestingLabels);
    QVERIFY(ui.calls.isEmpty());
    QVERIFY(!QFile::exists(folder.filePath("F1.csv")));
}

void TestPriceExportWindow::idleStopAndPathLabelDoNothing()
{
    ExportWindow w(*m_store);
    w.tick("Acme");
    control<QTabWidget>(w.form, "PageControl1")->setCurrentIndex(2);
    QTest::mouseClick(control<QPushButton>(w.form, "SpeedButton12"), Qt::LeftButton);
    QTest::mouseClick(control<ClickableLabel>(w.form, "Label23"), Qt::LeftButton);
    QVERIFY(w.ui.calls.isEmpty());

    w.startExport([&](const QString&) {
        if (w.ui.opened.isEmpty())
            QTest::mouseClick(control<ClickableLabel>(w.form, "Label23"), Qt::LeftButton);
    });
    QTest::mouseClick(control<ClickableLabel>(w.form, "Label23"), Qt::LeftButton);

    QCOMPARE(w.ui.opened, QStringList{w.out + "/"});
}

// The same file through a tunnel as without, and the tunnel ends with the window.
void TestPriceExportWindow::exportThroughAnSshTunnel()
{
    SshServer ssh;
    if (!ssh.failure().isEmpty())
        QSKIP(qPrintable(ssh.failure()));
    QByteArray direct;
    {
        ExportWindow w(*m_store);
        w.tick("Caldera");
        w.startExport();
        direct = w.file("F1.csv");
    }
    {
        ExportWindow w(*m_store, ssh.route());
        QCOMPARE(ssh.tunnelsRunning(), 1); // the session opened with the profile
        w.tick("Caldera");
        w.startExport();
        QCOMPARE(w.file("F1.csv"), direct);
        QVERIFY(w.ui.calls.isEmpty());
    }
    QCOMPARE(ssh.tunnelsRunning(), 0);
}

QTEST_MAIN(TestPriceExportWindow)
#include "PriceExportWindowTest.moc"
