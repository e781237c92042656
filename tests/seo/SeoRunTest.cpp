#include "ClickableLabel.h"
#include "DropDownComboBox.h"
#include "JobThread.h"
#include "JobWaits.h"
#include "MainWindow.h"
#include "ScriptedUi.h"
#include "TestFolder.h"
#include "TestStore.h"
#include "WindowControls.h"
#include "platform/ScopeExit.h"
#include "seo/SeoTemplate.h"
#include "store/ConnectionProfile.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

namespace {

const QByteArray Bom = "\xEF\xBB\xBF";
const QString ProductHeaderAll = QStringLiteral(
    "\"IDPART\";\"BRAND\";\"TRADENUMBER\";\"NAMEPART\";\"PRODUCT:product_s_desc\";\"PRODUCT:metadesc\";"
    "\"PRODUCT:metakey\";\"PRODUCT:customtitle\";\"PRODUCT:sluq\"");
const QString CategoryHeaderAll =
    QStringLiteral("\"DATAPARTS\";\"IDCATEGORY\";\"CATEGORYNAME\";\"CATEGORY:metadesc\";\"CATEGORY:metakey\";"
                   "\"CATEGORY:customtitle\";\"CATEGORY:sluq\"");
const QString StopQuestion =
    QStringLiteral("Stop the export of data (all first exported data will be saved) ?");

// The EXPORT page of a window connected to the test store, with an empty export folder.
class SeoWindow
{
public:
    explicit SeoWindow(const TestStore& store)
    {
        ConnectionProfile profile = store.profile(QStringLiteral("Store"));
        profile.savePassword = true;
        profile.add();
        if (!QDir(folder.path()).mkdir(QStringLiteral("out")))
            throw std::runtime_error("cannot prepare the window");
        form.show();
        form.showPage(QStringLiteral("EXPORT"));
        control<DropDownComboBox>(form, "ComboBox3")->addItem(profile.name);
        control<DropDownComboBox>(form, "ComboBox3")->setCurrentIndex(0);
        QTest::mouseClick(control<QPushButton>(form, "SpeedButton8"), Qt::LeftButton);
        if (control<QListWidget>(form, "CheckListBox1")->count() == 0)
            throw std::runtime_error(qPrintable(ui.calls.join(u'\n')));
        control<QLineEdit>(form, "Edit7")->setText(outPath());
        ui.calls.clear();
    }

    QString outPath() const { return folder.filePath(QStringLiteral("out")); }
    QString outFile(const QString& name) const { return QDir(outPath()).filePath(name); }
    QStringList outFiles() const { return QDir(outPath()).entryList(QDir::Files, QDir::Name); }

    void tickBrands(const QStringList& names)
    {
        for (int i = 0; i < control<QListWidget>(form, "CheckListBox1")->count(); ++i) {
            QListWidgetItem* item = control<QListWidget>(form, "CheckListBox1")->item(i);
            item->setCheckState(names.contains(item->text()) ? Qt::Checked : Qt::Unchecked);
        }
    }

    // The window ticks IDPART and IDCATEGORY again by itself.
    void tickColumns(const QList<int>& columns)
    {
        for (int i = 0; i < control<QListWidget>(form, "CheckListBox4")->count(); ++i)
            control<QListWidget>(form, "CheckListBox4")
                ->item(i)
                ->setCheckState(columns.contains(i) ? Qt::Checked : Qt::Unchecked);
    }

    void tickAllColumns() { tickColumns({1, 2, 3, 4, 5, 6, 7, 8, 10, 11, 12, 13, 14}); }

    void start()
    {
        control<QTabWidget>(form, "PageControl1")->setCurrentIndex(1);
        QVERIFY(clickAndWait(form, control<QPushButton>(form, "SpeedButton20")));
    }

    // The text of a written file after its byte-order mark.
    QString text(const QString& name) const
    {
        QFile file(outFile(name));
        if (!file.open(QIODevice::ReadOnly))
            return QStringLiteral("<missing>");
        const QByteArray bytes = file.readAll();
        if (!bytes.startsWith(Bom))
            return QStringLiteral("<no byte-order mark>");
        return QString::fromUtf8(bytes.mid(Bom.size()));
    }

    bool progressIsAtRest() const
    {
        return control<ClickableLabel>(form, "Label23")->text() == QStringLiteral(".......") &&
               control<QLabel>(form, "Label24")->text() == QStringLiteral("0") &&
               control<QLabel>(form, "Label25")->text() == QStringLiteral("0") &&
               control<QLabel>(form, "Label44")->text() == QStringLiteral("processing  brand ...") &&
               !form.seoJob().isRunning() && !form.seoJob().stopRequested();
    }

    TestFolder folder;
    ScriptedUi ui;
    MainWindow form{ui};
};

// Looks at the progress tab every time a running SEO run yields to the window, and keeps each
// text of the file, row and brand labels as it changes.
class ProgressWatcher
{
public:
    explicit ProgressWatcher(MainWindow& form, std::function<void()> onLook = {})
        : m_form(form), m_onLook(std::move(onLook))
    {
        JobThread::setYieldWatcher([this] { look(); });
    }
    ~ProgressWatcher() { JobThread::setYieldWatcher({}); }

    QStringList files;
    QStringList rows;
    QStringList brands;

private:
    static void keep(QStringList& texts, const QString& text)
    {
        if (texts.isEmpty() || texts.last() != text)
            texts << text;
    }

    void look()
    {
        if (!m_form.seoJob().isRunning())
            return;
        // Counters reach their labels when the window paints; look at what a paint shows.
        m_form.grab();
        keep(files, control<QLabel>(m_form, "Label24")->text());
        keep(rows, control<QLabel>(m_form, "Label25")->text());
        keep(brands, control<QLabel>(m_form, "Label44")->text());
        if (m_onLook)
            m_onLook();
    }

    MainWindow& m_form;
    std::function<void()> m_onLook;
};

// The rows after the header, in any order: the store returns them without ORDER BY.
void compareFile(const SeoWindow& window, const QString& name, const QString& header, QStringList rows)
{
    QString text = window.text(name);
    const QString head = header + QStringLiteral("\r\n");
    QVERIFY2(text.startsWith(head), qPrintable(name + QStringLiteral(":\n") + text));
    text.remove(0, head.size());
    while (!text.isEmpty()) {
        const auto match = std::find_if(rows.begin(), rows.end(), [&](const QString& row) {
            return text.startsWith(row + QStringLiteral("\r\n"));
        });
        QVERIFY2(match != rows.end(), qPrintable(name + QStringLiteral(": unexpected row at\n") + text));
        text.remove(0, match->size() + 2);
        rows.erase(match);
    }
    QVERIFY2(rows.isEmpty(), qPrintable(name + QStringLiteral(": missing rows\n") + rows.join(u'\n')));
}

} // namespace

class SeoRunTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // The tests look at the window after every row, the job waiting until the window has it.
        JobThread::setLockStep(true);
        m_store = std::make_unique<TestStore>(QStringLiteral("seo_runs"), QStringLiteral("vm7_"),
                                              QStringLiteral("cs_cz"));
        QFile fixture(testDataPath(QStringLiteral("seo-store.sql")));
        QVERIFY(fixture.open(QIODevice::ReadOnly));
        m_store->execScript(QString::fromUtf8(fixture.readAll()));
    }

    void exportWritesTheStoredTexts()
    {
        SeoWindow w(*m_store);
        w.tickBrands({QStringLiteral("Acme")});
        w.tickAllColumns();
        w.start();

        QCOMPARE(w.ui.calls, QStringList());
        compareFile(
            w, QStringLiteral("SeoProduct1.csv"), ProductHeaderAll,
            {QStringLiteral(
                 "57;\"Acme\";\"'AB 12/7\";\"Brake pad\";\"Fits front; rear\r\nand \"\"sport\"\" "
                 "models\";\"Brake pad for Škoda\";\"brake, pad\";\"Brake pad | Acme\";\"brake-pad-57\""),
             QStringLiteral("58;\"Acme\";\"'X\"Q 5\";\"Mirror, left\";\"\";\"\";\"\";\"\";\"\""),
             QStringLiteral("60;\"Acme\";\"'\";\"\";\"\";\"\";\"\";\"\";\"\"")});
        compareFile(
            w, QStringLiteral("SeoCategories1.csv"), CategoryHeaderAll,
            {QStringLiteral("\"Acme AB 12/7 - Brake pad\";10;\"Brakes\";\"All brakes\";\"brakes\";\"Brakes | "
                            "Shop\";\"audi-a4-2-0\""),
             QStringLiteral(
                 "\"Acme AB 12/7 - Brake pad\";11;\"Pads; front\";\"Pads \"\"OEM\"\"\";\"\";\"\";\"\""),
             QStringLiteral("\"Acme AB 12/7 - Brake pad\";12;\"Ελληνικά\";\"Φρένα\";\"φρένα\";\"Φρένα | "
                            "Shop\";\"bmw-e46\""),
             QStringLiteral(
                 "\"Acme  - \";10;\"Brakes\";\"All brakes\";\"brakes\";\"Brakes | Shop\";\"audi-a4-2-0\"")});
        QCOMPARE(w.outFiles(),
                 QStringList({QStringLiteral("SeoCategories1.csv"), QStringLiteral("SeoProduct1.csv")}));
        QVERIFY(w.progressIsAtRest());
    }

    // Texts of several scripts reach the file byte for byte, ready to be imported unchanged.
    void textsOfEveryScriptKeepTheirBytes()
    {
        SeoWindow w(*m_store);
        w.tickBrands({QStringLiteral("Ždírec Díly")});
        w.tickAllColumns();
        w.start();

        QFile products(w.outFile(QStringLiteral("SeoProduct1.csv")));
        QVERIFY(products.open(QIODevice::ReadOnly));
        QCOMPARE(
            products.readAll(),
            Bom + ProductHeaderAll.toUtf8() +
                "\r\n301;\"\xC5\xBD\x64\xC3\xAD\x72\x65\x63 "
                "D\xC3\xAD\x6C\x79\";\"'\xC5\xBD\x44-\xE2\x82\xAC\x31\";"
                "\"P\xC5\x99\xC3\xADli\xC5\xA1 \xC5\xBElu\xC5\xA5ou\xC4\x8Dk\xC3\xBD k\xC5\xAF\xC5\x88\";"
                "\"\xD0\xA1\xD1\x8A\xD0\xB5\xD1\x88\xD1\x8C \xD0\xB6\xD0\xB5 \xD0\xB5\xD1\x89\xD1\x91 "
                "\xD1\x8D\xD1\x82"
                "\xD0\xB8\xD1\x85 \xD0\xBC\xD1\x8F\xD0\xB3\xD0\xBA\xD0\xB8\xD1\x85 "
                "\xD1\x84\xD1\x80\xD0\xB0\xD0\xBD"
                "\xD1\x86\xD1\x83\xD0\xB7\xD1\x81\xD0\xBA\xD0\xB8\xD1\x85 "
                "\xD0\xB1\xD1\x83\xD0\xBB\xD0\xBE\xD0\xBA\";"
                "\"\xCE\x95\xCE\xBB\xCE\xBB\xCE\xB7\xCE\xBD\xCE\xB9\xCE\xBA\xCE\xAC "
                "\xCE\xBA\xCE\xB5\xCE\xAF\xCE\xBC"
                "\xCE\xB5\xCE\xBD\xCE\xB1 \xE2\x82\xAC\";\"\xF0\x9F\x9A\x97, \xF0\x9F\x98\x80\";"
                "\"\xC5\xBD\x64\xC3\xAD\x72\x65\x63 \xE2\x82\xAC \xF0\x9F\x9A\x97\";\"zdirec-1\"\r\n");
        QCOMPARE(w.text(QStringLiteral("SeoCategories1.csv")),
                 CategoryHeaderAll +
                     QStringLiteral(
                         "\r\n\"Ždírec Díly ŽD-€1 - Příliš žluťoučký kůň\";14;\"Категория €\";\"Ελλάδα 🚗\";"
                         "\"Příliš žluťoučký kůň\";\"Запчасти € 🚗\";\"lada-2107\"\r\n"));
    }

    void onlyCategoryColumnsWriteNoProductFile()
    {
        SeoWindow w(*m_store);
        w.folder.write(QStringLiteral("out/SeoProduct1.csv"), "an earlier run");
        w.tickBrands({QStringLiteral("Acme")});
        w.tickColumns({10});
        ProgressWatcher watcher(w.form);
        w.start();

        QCOMPARE(w.folder.read(QStringLiteral("out/SeoProduct1.csv")), QByteArray("an earlier run"));
        compareFile(w, QStringLiteral("SeoCategories1.csv"),
                    QStringLiteral("\"DATAPARTS\";\"IDCATEGORY\";\"CATEGORYNAME\""),
                    {QStringLiteral("\"Acme AB 12/7 - Brake pad\";10;\"Brakes\""),
                     QStringLiteral("\"Acme AB 12/7 - Brake pad\";11;\"Pads; front\""),
                     QStringLiteral("\"Acme AB 12/7 - Brake pad\";12;\"Ελληνικά\""),
                     QStringLiteral("\"Acme  - \";10;\"Brakes\"")});
        QVERIFY(watcher.brands.contains(
            QStringLiteral("processing  brand [Acme] ::: FOR CATEGORIES SEO TAGS (export)")));
        for (const QString& text : watcher.brands)
            QVERIFY2(!text.contains(QStringLiteral("FOR PARTS")), qPrintable(text));
        QVERIFY(watcher.rows.contains(QStringLiteral("0 for product | 4 for categories")));
        QCOMPARE(w.ui.calls, QStringList());
        QVERIFY(w.progressIsAtRest());
    }

    void rowLimitStartsNewFilesOfEachKind()
    {
        SeoWindow w(*m_store);
        w.folder.write(QStringLiteral("out/SeoProduct6.csv"), "an earlier run");
        control<QLineEdit>(w.form, "Edit6")->setText(QStringLiteral("3"));
        w.tickBrands({QStringLiteral("Borvex")});
        w.tickColumns({1});
        // A second start while the run is on must not begin the files again.
        ProgressWatcher watcher(w.form, [&] { control<QPushButton>(w.form, "SpeedButton20")->click(); });
        w.start();

        QCOMPARE(w.outFiles(),
                 QStringList({QStringLiteral("SeoProduct1.csv"), QStringLiteral("SeoProduct2.csv"),
                              QStringLiteral("SeoProduct3.csv"), QStringLiteral("SeoProduct4.csv"),
                              QStringLiteral("SeoProduct5.csv"), QStringLiteral("SeoProduct6.csv")}));
        QStringList ids;
        for (int number = 1; number <= 5; ++number) {
            const QStringList lines =
                w.text(QStringLiteral("SeoProduct%1.csv").arg(number)).split(QStringLiteral("\r\n"));
            QCOMPARE(lines.size(), 4); // the header, two rows and the empty text after the last line end
            QCOMPARE(lines[0], QStringLiteral("\"IDPART\";\"BRAND\""));
            for (const QString& row : lines.mid(1, 2)) {
                QVERIFY2(row.endsWith(QStringLiteral(";\"Borvex\"")), qPrintable(row));
                ids << row.section(u';', 0, 0);
            }
        }
        ids.sort();
        QCOMPARE(ids, QStringList({"101", "102", "103", "104", "105", "106", "107", "108", "109", "110"}));
        QCOMPARE(w.folder.read(QStringLiteral("out/SeoProduct6.csv")), QByteArray("an earlier run"));

        QCOMPARE(watcher.files, QStringList({QStringLiteral("1 for product | 1 for categories"),
                                             QStringLiteral("2 for product | 1 for categories"),
                                             QStringLiteral("3 for product | 1 for categories"),
                                             QStringLiteral("4 for product | 1 for categories"),
                                             QStringLiteral("5 for product | 1 for categories")}));
        QCOMPARE(watcher.rows.size(), 11);
        QCOMPARE(watcher.rows[10], QStringLiteral("10 for product | 0 for categories"));
        QCOMPARE(w.ui.calls, QStringList());
        QVERIFY(w.progressIsAtRest());
    }

    void stopWhileCategoriesAreWritten()
    {
        SeoWindow w(*m_store);
        w.tickBrands({QStringLiteral("Caldera"), QStringLiteral("Dynatek")});
        w.tickColumns({1, 10});
        w.ui.confirmAnswers << false << true;
        bool askedOnce = false;
        ProgressWatcher watcher(w.form, [&] {
            const QString rows = control<QLabel>(w.form, "Label25")->text();
            if (!askedOnce && control<QLabel>(w.form, "Label44")
                                  ->text()
                                  .endsWith(QStringLiteral("FOR CATEGORIES SEO TAGS (export)"))) {
                askedOnce = true; // answered No: the run goes on
                QTest::mouseClick(control<QPushButton>(w.form, "SpeedButton12"), Qt::LeftButton);
            } else if (rows == QStringLiteral("1 for product | 1 for categories") &&
                       !w.form.seoJob().stopRequested()) {
                QTest::mouseClick(control<QPushButton>(w.form, "SpeedButton12"), Qt::LeftButton);
            }
        });
        w.start();

        QCOMPARE(w.ui.calls, QStringList({"confirm: " + StopQuestion, "confirm: " + StopQuestion}));
        QCOMPARE(w.text(QStringLiteral("SeoProduct1.csv")),
                 QStringLiteral("\"IDPART\";\"BRAND\"\r\n201;\"Caldera\"\r\n"));
        const QStringList categories =
            w.text(QStringLiteral("SeoCategories1.csv")).split(QStringLiteral("\r\n"));
        QCOMPARE(categories.size(), 4);
        QCOMPARE(categories[0], QStringLiteral("\"DATAPARTS\";\"IDCATEGORY\";\"CATEGORYNAME\""));
        for (const QString& row : categories.mid(1, 2))
            QVERIFY2(row.startsWith(QStringLiteral("\"Caldera C-1 - Caliper\";")), qPrintable(row));
        for (const QString& text : watcher.brands)
            QVERIFY2(!text.contains(QStringLiteral("Dynatek")), qPrintable(text));
        QVERIFY(w.progressIsAtRest());

        // With no run on, the button asks nothing.
        QTest::mouseClick(control<QPushButton>(w.form, "SpeedButton12"), Qt::LeftButton);
        QCOMPARE(w.ui.calls.size(), 2);
    }

    void closingTheWindowStopsTheRunQuietly()
    {
        SeoWindow w(*m_store);
        w.tickBrands({QStringLiteral("Caldera"), QStringLiteral("Dynatek")});
        w.tickColumns({1, 10});
        ProgressWatcher watcher(w.form, [&] {
            if (w.form.isVisible() && control<QLabel>(w.form, "Label25")->text() ==
                                          QStringLiteral("1 for product | 1 for categories"))
                w.form.close();
        });
        w.start();

        QCOMPARE(w.ui.calls, QStringList());
        QVERIFY(!w.form.isVisible());
        QCOMPARE(w.text(QStringLiteral("SeoProduct1.csv")),
                 QStringLiteral("\"IDPART\";\"BRAND\"\r\n201;\"Caldera\"\r\n"));
        // The category row after the close, then the files were finished.
        QCOMPARE(w.text(QStringLiteral("SeoCategories1.csv")).split(QStringLiteral("\r\n")).size(), 4);
        QVERIFY(!w.form.seoJob().isRunning());
        QVERIFY(!w.form.connection().connected());
    }

    // Both statements are sent before the first row is written: the files keep their headers only.
    void failedQueryEndsTheRunBeforeAnyRow()
    {
        SeoWindow w(*m_store);
        w.tickBrands({QStringLiteral("Borvex")});
        w.tickColumns({1, 10});
        m_store->exec(QStringLiteral("RENAME TABLE @PREFIX@virtuemart_categories_@LANG@ TO gone"));
        const ScopeExit putBack([this] {
            m_store->exec(QStringLiteral("RENAME TABLE gone TO @PREFIX@virtuemart_categories_@LANG@"));
        });
        w.start();

        const QStringList errors = w.ui.texts(QStringLiteral("error"));
        QCOMPARE(errors.size(), 1);
        QVERIFY2(errors[0].contains(QStringLiteral("doesn't exist")), qPrintable(errors[0]));
        QCOMPARE(w.text(QStringLiteral("SeoProduct1.csv")), QStringLiteral("\"IDPART\";\"BRAND\"\r\n"));
        QCOMPARE(w.text(QStringLiteral("SeoCategories1.csv")),
                 QStringLiteral("\"DATAPARTS\";\"IDCATEGORY\";\"CATEGORYNAME\"\r\n"));
        QVERIFY(w.progressIsAtRest());
    }

    void generationWithoutTemplates()
    {
        SeoWindow w(*m_store);
        control<QRadioButton>(w.form, "RadioButton2")->setChecked(true);
        control<QCheckBox>(w.form, "CheckBox5")->setChecked(true); // no title template beside the program
        w.tickBrands({QStringLiteral("Acme")});
        w.tickColumns({6, 7, 8, 12, 13, 14});
        w.start();

        QCOMPARE(w.ui.calls, QStringList());
        compareFile(
            w, QStringLiteral("SeoProduct1.csv"),
            QStringLiteral("\"IDPART\";\"PRODUCT:metakey\";\"PRODUCT:customtitle\";\"PRODUCT:sluq\""),
            {QStringLiteral(
                 "57;\"57, Acme, AB 12/7, Acme AB 12/7\";\"Acme AB 12/7 - Brake pad\";\"acme-ab-12%2f7\""),
             QStringLiteral("58;\"58, Acme, X\"\"Q 5, Acme X\"\"Q 5\";\"Acme X\"\"Q 5 - Mirror, "
                            "left\";\"acme-x%22q-5\""),
             QStringLiteral("60;\"60, Acme, , Acme \";\"Acme  - \";\"acme-\"")});
        compareFile(
            w, QStringLiteral("SeoCategories1.csv"),
            QStringLiteral("\"DATAPARTS\";\"IDCATEGORY\";\"CATEGORY:metakey\";\"CATEGORY:customtitle\";"
                           "\"CATEGORY:sluq\""),
            {QStringLiteral(
                 "\"Acme AB 12/7 - Brake pad\";10;\"57, Acme, AB 12/7, Acme AB 12/7, Brakes, audi-a4-2-0\";"
                 "\"Acme AB 12/7 - Brakes for audi-a4-2-0\";\"audi-a4-2-0\""),
             QStringLiteral(
                 "\"Acme AB 12/7 - Brake pad\";11;\"57, Acme, AB 12/7, Acme AB 12/7, Pads; front, \";"
                 "\"Acme AB 12/7 - Pads; front for \";\"\""),
             QStringLiteral(
                 "\"Acme AB 12/7 - Brake pad\";12;\"57, Acme, AB 12/7, Acme AB 12/7, Ελληνικά, bmw-e46\";"
                 "\"Acme AB 12/7 - Ελληνικά for bmw-e46\";\"bmw-e46\""),
             QStringLiteral("\"Acme  - \";10;\"60, Acme, , Acme , Brakes, audi-a4-2-0\";\"Acme  - Brakes for "
                            "audi-a4-2-0\";\"audi-a4-2-0\"")});
        QVERIFY(w.progressIsAtRest());
    }

    void generationFillsTheTemplatesOfTickedBoxes()
    {
        SeoWindow w(*m_store);
        w.folder.write(seoTemplateFileName(SeoTemplateFile::ProductShortDescription),
                       "\n  Buy \"{BRAND}\"\n{NAMEPART} {CategoryName}!\n\n");
        w.folder.write(seoTemplateFileName(SeoTemplateFile::ProductTitle), "Part {TRADENUMBER}");
        w.folder.write(seoTemplateFileName(SeoTemplateFile::CategoryMetaDescription),
                       "{CATEGORYNAME} for {DATACAR} ({IDCATEGORY}, {idpart})");
        w.folder.write(seoTemplateFileName(SeoTemplateFile::CategoryTitle), " \r\n\t\r\n");
        for (QCheckBox* box :
             {control<QCheckBox>(w.form, "CheckBox2"), control<QCheckBox>(w.form, "CheckBox3"),
              control<QCheckBox>(w.form, "CheckBox4"), control<QCheckBox>(w.form, "CheckBox5"),
              control<QCheckBox>(w.form, "CheckBox6")})
            box->setChecked(true);
        control<QRadioButton>(w.form, "RadioButton2")->setChecked(true);
        w.tickBrands({QStringLiteral("Acme")});
        w.tickColumns({4, 5, 7, 11, 13});
        w.start();

        QCOMPARE(w.ui.calls, QStringList());
        compareFile(w, QStringLiteral("SeoProduct1.csv"),
                    QStringLiteral(
                        "\"IDPART\";\"PRODUCT:product_s_desc\";\"PRODUCT:metadesc\";\"PRODUCT:customtitle\""),
                    {QStringLiteral("57;\"Buy \"\"Acme\"\"\r\nBrake pad !\";\"\";\"Part AB 12/7\""),
                     QStringLiteral("58;\"Buy \"\"Acme\"\"\r\nMirror, left !\";\"\";\"Part X\"\"Q 5\""),
                     QStringLiteral("60;\"Buy \"\"Acme\"\"\r\n !\";\"\";\"Part \"")});
        compareFile(
            w, QStringLiteral("SeoCategories1.csv"),
            QStringLiteral("\"DATAPARTS\";\"IDCATEGORY\";\"CATEGORY:metadesc\";\"CATEGORY:customtitle\""),
            {QStringLiteral("\"Acme AB 12/7 - Brake pad\";10;\"Brakes for audi-a4-2-0 (10, 57)\";"
                            "\"Acme AB 12/7 - Brakes for audi-a4-2-0\""),
             QStringLiteral("\"Acme AB 12/7 - Brake pad\";11;\"Pads; front for  (11, 57)\";"
                            "\"Acme AB 12/7 - Pads; front for \""),
             QStringLiteral("\"Acme AB 12/7 - Brake pad\";12;\"Ελληνικά for bmw-e46 (12, 57)\";"
                            "\"Acme AB 12/7 - Ελληνικά for bmw-e46\""),
             QStringLiteral(
                 "\"Acme  - \";10;\"Brakes for audi-a4-2-0 (10, 60)\";\"Acme  - Brakes for audi-a4-2-0\"")});
    }

    void unreadableTemplateStopsBeforeAnyFile()
    {
        SeoWindow w(*m_store);
        const QString path = w.folder.filePath(seoTemplateFileName(SeoTemplateFile::CategoryTitle));
        // Opens, but every read fails, for whoever runs the tests.
        QVERIFY(QFile::link(QStringLiteral("/proc/self/mem"), path));
        control<QCheckBox>(w.form, "CheckBox6")->setChecked(true);
        control<QRadioButton>(w.form, "RadioButton2")->setChecked(true);
        w.tickBrands({QStringLiteral("Acme")});
        w.tickColumns({1, 13});
        w.start();

        const QStringList errors = w.ui.texts(QStringLiteral("error"));
        QCOMPARE(errors.size(), 1);
        QVERIFY2(errors[0].startsWith(QStringLiteral("Unable to read ") + path + QStringLiteral(": ")),
                 qPrintable(errors[0]));
        QCOMPARE(w.outFiles(), QStringList());
        QCOMPARE(control<QLabel>(w.form, "Label24")->text(), QStringLiteral("000"));
        QVERIFY(!w.form.seoJob().isRunning());

        // Its box cleared, the file is not read at all.
        control<QCheckBox>(w.form, "CheckBox6")->setChecked(false);
        w.start();
        QCOMPARE(w.ui.texts(QStringLiteral("error")).size(), 1);
        QCOMPARE(w.outFiles(),
                 QStringList({QStringLiteral("SeoCategories1.csv"), QStringLiteral("SeoProduct1.csv")}));
    }

    void checksStopTheRun_data()
    {
        QTest::addColumn<QList<int>>("columns");
        QTest::addColumn<bool>("withConnectionName");
        QTest::addColumn<QString>("path"); // below the test folder; "@" for the export folder
        QTest::addColumn<QStringList>("calls");
        QTest::addColumn<QString>("fileLabel");

        const QString none =
            QStringLiteral("You have not selected items except values : IDPART, IDCATEGORY !!!");
        QTest::newRow("identifiers only")
            << QList<int>{0, 9} << true << "@" << QStringList{"message: " + none} << "000";
        QTest::newRow("no connection name") << QList<int>{1} << false << "@" << QStringList() << "0";
        QTest::newRow("blank path") << QList<int>{10} << true << "  "
                                    << QStringList{QStringLiteral("message: Path for export not specified !")}
                                    << "0";
        QTest::newRow("missing folder")
            << QList<int>{1, 10} << true << "out/missing"
            << QStringList{QStringLiteral("message: path to the specified folder [@] does not exist !")}
            << "0";
    }

    void checksStopTheRun()
    {
        QFETCH(QList<int>, columns);
        QFETCH(bool, withConnectionName);
        QFETCH(QString, path);
        QFETCH(QStringList, calls);
        QFETCH(QString, fileLabel);
        SeoWindow w(*m_store);
        w.tickBrands({QStringLiteral("Acme")});
        w.tickColumns(columns);
        if (!withConnectionName)
            control<DropDownComboBox>(w.form, "ComboBox3")->setCurrentIndex(-1);
        if (path.trimmed().isEmpty())
            control<QLineEdit>(w.form, "Edit7")->setText(path);
        else if (path != QStringLiteral("@"))
            control<QLineEdit>(w.form, "Edit7")->setText(w.folder.filePath(path));
        calls.replaceInStrings(QStringLiteral("@"), w.folder.filePath(path) + QDir::separator());
        w.start();

        QCOMPARE(w.ui.calls, calls);
        QCOMPARE(w.outFiles(), QStringList());
        QCOMPARE(control<QLabel>(w.form, "Label24")->text(), fileLabel);
        QVERIFY(!w.form.seoJob().isRunning());
    }

    void refusedWhileAnotherJobRuns()
    {
        SeoWindow w(*m_store);
        w.tickBrands({QStringLiteral("Acme")});
        w.tickAllColumns();
        // The SEO button is clicked while a price export yields to the window.
        bool exportWasRunning = false;
        JobThread::setYieldWatcher([&] {
            exportWasRunning = exportWasRunning || w.form.priceExportJob().isRunning();
            control<QTabWidget>(w.form, "PageControl1")->setCurrentIndex(1);
            QTest::mouseClick(control<QPushButton>(w.form, "SpeedButton20"), Qt::LeftButton);
        });
        const bool ended = clickAndWait(w.form, control<QPushButton>(w.form, "SpeedButton10"));
        JobThread::setYieldWatcher({});
        QVERIFY(ended);

        QVERIFY(exportWasRunning);
        QCOMPARE(w.ui.calls, QStringList());
        QCOMPARE(w.outFiles(), QStringList{QStringLiteral("F1.csv")});
    }

    void templateLinkWritesAndOpensTheFiveFiles()
    {
        TestFolder folder;
        ScriptedUi ui;
        MainWindow form{ui};
        form.show();
        emit control<QLabel>(form, "Label40")->linkActivated(QStringLiteral("#"));

        QStringList expected;
        for (const SeoTemplateFile file : AllSeoTemplateFiles)
            expected << folder.filePath(seoTemplateFileName(file));
        QCOMPARE(ui.opened, expected);
        for (const QString& path : expected)
            QVERIFY2(QFile::exists(path), qPrintable(path));
    }

private:
    std::unique_ptr<TestStore> m_store;
};

QTEST_MAIN(SeoRunTest)
#include "SeoRunTest.moc"
