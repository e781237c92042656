#include "DropDownComboBox.h"
#include "JobThread.h"
#include "JobWaits.h"
#include "MainWindow.h"
#include "ScriptedUi.h"
#include "TestFolder.h"
#include "TestPackages.h"
#include "TestStore.h"
#include "WindowControls.h"
#include "platform/ScopeExit.h"
#include "store/ConnectionProfile.h"

#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStandardPaths>
#include <QStringEncoder>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QTimer>

namespace {

const QByteArray bom = "\xEF\xBB\xBF";
const QByteArray priceHeader =
    "\"IDPART\";BRAND;TRADENUMBER;NAMEPART;QUANTITY;PRICE;CURRENCY;PUBLISHED;\"note : x\"\r\n";

QString block(const QString& first, const QString& set, const QString& where)
{
    return first + QStringLiteral("\r\n") + set + QStringLiteral("\r\n") + where +
           QStringLiteral(";\r\n  \r\n");
}

} // namespace

class TestImportPage : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        // Some tests stop or close the window at a file the log shows, the job waiting there.
        JobThread::setLockStep(true);
        m_store = std::make_unique<TestStore>(QStringLiteral("import_page"));
        m_empty = std::make_unique<TestStore>(QStringLiteral("import_empty"));
    }

    void init()
    {
        m_store->exec(QStringLiteral("DELETE FROM @PREFIX@virtuemart_products"));
        m_store->exec(QStringLiteral("DELETE FROM @PREFIX@virtuemart_products_@LANG@"));
        m_store->exec(QStringLiteral("DELETE FROM @PREFIX@virtuemart_product_prices"));
        m_store->exec(QStringLiteral("DELETE FROM @PREFIX@virtuemart_categories_@LANG@"));
        m_store->exec(QStringLiteral(
            "INSERT INTO @PREFIX@virtuemart_products (virtuemart_product_id, product_in_stock, published) "
            "SELECT seq, 10, 1 FROM seq_1_to_60"));
        m_store->exec(QStringLiteral(
            "INSERT INTO @PREFIX@virtuemart_products_@LANG@ (virtuemart_product_id, metadesc, slug) "
            "SELECT seq, 'old', CONCAT('part-', seq) FROM seq_1_to_60"));
        m_store->exec(QStringLiteral(
            "INSERT INTO @PREFIX@virtuemart_product_prices (virtuemart_product_id, product_price) "
            "SELECT seq, 9.99 FROM seq_1_to_60"));
        m_store->exec(QStringLiteral("INSERT INTO @PREFIX@virtuemart_categories_@LANG@ "
                                     "(virtuemart_category_id, category_name, metakey) "
                                     "VALUES (4, 'Brakes', 'old')"));
        m_folder = std::make_unique<TestFolder>();
        QDir(m_folder->path()).mkdir(QStringLiteral("lists"));
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

    void priceListBecomesAScriptThatRuns()
    {
        writeList(QStringLiteral("a.csv"), bom + priceHeader +
                                               "57;\"Acme\";\"'AB-57\";\"Pad\";3;12,5;\"EUR\";1\r\n"
                                               "58;\"Acme\";\"'AB-58\";\"Pad\";-3;0;\"EUR\";2\r\n"
                                               "99999;\"Acme\";\"'X\";\"Far\";5;5;\"EUR\";0\r\n"
                                               "59;\"Acme\";\"'AB-59\";\"Pad\";;;\"\";\r\n"
                                               "60;\"Acme\";\"'AB-60\";\"Pad\";7;;\"\";\r\n");
        connectAndCheck({QStringLiteral("a.csv")});
        m_ui->confirmAnswers << true;
        QList<int> bar;
        connect(control<QProgressBar>(*m_form, "ProgressBar1"), &QProgressBar::valueChanged, this,
                [&](int v) { bar << v; });
        QVERIFY(clickAndWait(*m_form, control<QPushButton>(*m_form, "SpeedButton16")));

        const QString P = QStringLiteral("jos_");
        QCOMPARE(script(),
                 block("UPDATE " + P + "virtuemart_products as Pmain ", "SET Pmain.published = 1",
                       "WHERE Pmain.virtuemart_product_id = 57") +
                     block("UPDATE " + P + "virtuemart_product_prices as Price ",
                           "SET Price.product_price = 12.5", "WHERE Price.virtuemart_product_id = 57") +
                     block("UPDATE " + P + "virtuemart_products as Pmain ", "SET Pmain.product_in_stock = 3",
                           "WHERE Pmain.virtuemart_product_id = 57") +
                     block("UPDATE " + P + "virtuemart_products as Pmain ", "SET Pmain.published = 2",
                           "WHERE Pmain.virtuemart_product_id = 58") +
                     block("UPDATE " + P + "virtuemart_product_prices as Price ",
                           "SET Price.product_price = 0", "WHERE Price.virtuemart_product_id = 58") +
                     block("UPDATE " + P + "virtuemart_products as Pmain ", "SET Pmain.product_in_stock = 7",
                           "WHERE Pmain.virtuemart_product_id = 60") +
                     "COMMIT;\r\n");
        const QStringList confirms = m_ui->texts(QStringLiteral("confirm"));
        QCOMPARE(confirms.size(), 1);
        const QString counts = QStringLiteral("price: 2 change, 0 stay equal, 0 not in the store; "
                                              "stock: 2 change, 0 stay equal, 0 not in the store; "
                                              "publication: 1 change, 1 stay equal, 0 not in the store.");
        const QString undo = undoScriptPath();
        // A price that becomes 0 is one to check: the question advises No, and Yes still runs it.
        const QString toCheck =
            QStringLiteral("1 prices change by more than 50 % or become 0: id 58 9.99000 -> 0 (-100 %)");
        QCOMPARE(
            confirms[0],
            QStringLiteral(
                "The script was created for update, path to the script [%1/ScriptForUpdatePrices.sql]\r\r"
                "Start updating the price list ?\r\r%2\r%3\rUndo script: [%4]")
                .arg(m_folder->path(), toCheck, counts, undo));
        QCOMPARE(m_ui->confirmDefaults, QList<Ui::DefaultAnswer>{Ui::DefaultAnswer::No});
        const QString file = m_folder->filePath(QStringLiteral("lists/a.csv"));
        QCOMPARE(control<QPlainTextEdit>(*m_form, "Memo1")->toPlainText().split(u'\n'),
                 QStringList({"Finding the maximum value ID PARTS", "Max ID PARTS = 60",
                              "Loading data price lists in memory ...", "[+] Open file (" + file + ") ...",
                              "         " + QString(54, u'-'), "         Data table : row=6 | column=9",
                              "         reading names of the columns ...ok",
                              "         reading table in memory ...ok",
                              "         Start editing prices and availability ... ",
                              "         1 ids above the store's largest id, skipped", toCheck, counts,
                              "Undo script: [" + undo + "]", "Script run: 7 statements ran, 0 failed."}));
        QCOMPARE(control<QLabel>(*m_form, "Label39")->text(),
                 QStringLiteral("Script run: 7 statements ran, 0 failed."));
        QCOMPARE(control<QTabWidget>(*m_form, "PageControl2")->currentIndex(), 3);
        QCOMPARE(control<QTableView>(*m_form, "PreviewTable")->model()->rowCount(), 5);

        // the script ran on Yes
        QCOMPARE(
            m_store->column(QStringLiteral(
                "SELECT CONCAT_WS('/', p.virtuemart_product_id, published, product_in_stock, product_price) "
                "FROM @PREFIX@virtuemart_products p JOIN @PREFIX@virtuemart_product_prices r "
                "USING (virtuemart_product_id) WHERE p.virtuemart_product_id >= 56 ORDER BY 1")),
            QStringList({"56/1/10/9.99000", "57/1/3/12.50000", "58/2/10/0.00000", "59/1/10/9.99000",
                         "60/1/7/9.99000"}));
        QVERIFY(!bar.isEmpty());
        QVERIFY(std::is_sorted(bar.begin(), bar.end() - 1));
        QCOMPARE(bar.last(), 0);
        QCOMPARE(control<QProgressBar>(*m_form, "ProgressBar1")->value(), 0);
        QVERIFY(m_ui->texts(QStringLiteral("error")).isEmpty());
    }

    void everySpreadsheetFormatGivesTheSameScript_data()
    {
        QTest::addColumn<QString>("format");
        for (const char* format : {"csv", "xlsx", "ods", "xls"})
            QTest::newRow(format) << QString::fromLatin1(format);
    }

    void everySpreadsheetFormatGivesTheSameScript()
    {
        QFETCH(QString, format);
        if (format == u"xls" && QStandardPaths::findExecutable(QStringLiteral("soffice")).isEmpty())
            QSKIP("LibreOffice is not installed");
        const QString name = QStringLiteral("pricelist.") + format;
        QVERIFY(QFile::copy(testDataPath(name), m_folder->filePath(QStringLiteral("lists/") + name)));
        connectAndCheck({name});
        m_ui->confirmAnswers << false;
        QVERIFY(clickAndWait(*m_form, control<QPushButton>(*m_form, "SpeedButton16")));
        QVERIFY2(m_ui->texts(QStringLiteral("error")).isEmpty(),
                 qPrintable(m_ui->texts(QStringLiteral("error")).join(u'|')));
        const auto blocks = [](int id, const QString& published, const QString& price, const QString& stock) {
            QString text;
            if (!published.isEmpty())
                text +=
                    block("UPDATE jos_virtuemart_products as Pmain ", "SET Pmain.published = " + published,
                          QStringLiteral("WHERE Pmain.virtuemart_product_id = %1").arg(id));
            if (!price.isEmpty())
                text += block("UPDATE jos_virtuemart_product_prices as Price ",
                              "SET Price.product_price = " + price,
                              QStringLiteral("WHERE Price.virtuemart_product_id = %1").arg(id));
            if (!stock.isEmpty())
                text +=
                    block("UPDATE jos_virtuemart_products as Pmain ", "SET Pmain.product_in_stock = " + stock,
                          QStringLiteral("WHERE Pmain.virtuemart_product_id = %1").arg(id));
            return text;
        };
        QCOMPARE(script(), blocks(57, "1", "12.5", "3") + blocks(58, "0", "0", "0") +
                               blocks(60, "1", "1234.56", "7") + "COMMIT;\r\n");
    }

    // Error values: harmless in a column the import does not use, no change in a used one.
    void errorValuesInCellsChangeNothing()
    {
        const QByteArray inline_ = "t=\"inlineStr\"><is><t>";
        const auto text = [&](const char* ref, const char* value) {
            return QByteArray("<c r=\"") + ref + "\" " + inline_ + value + "</t></is></c>";
        };
        const auto error = [](const char* ref) {
            return QByteArray("<c r=\"") + ref + "\" t=\"e\"><v>#N/A</v></c>";
        };
        const auto number = [](const char* ref, const char* value) {
            return QByteArray("<c r=\"") + ref + "\"><v>" + value + "</v></c>";
        };
        m_folder->write(QStringLiteral("lists/errors.xlsx"),
                        makeXlsx("<row r=\"1\">" + text("A1", "IDPART") + text("B1", "PRICE") +
                                 text("C1", "QUANTITY") + text("D1", "NOTE") + "</row>" + "<row r=\"2\">" +
                                 number("A2", "57") + error("B2") + number("C2", "4") + error("D2") +
                                 "</row>"));
        m_folder->write(QStringLiteral("lists/seo.xlsx"),
                        makeXlsx("<row r=\"1\">" + text("A1", "IDPART") + text("B1", "PRODUCT:metadesc") +
                                 text("C1", "PRODUCT:metakey") + "</row><row r=\"2\">" + number("A2", "57") +
                                 error("B2") + text("C2", "k") + "</row>" + "<row r=\"3\">" +
                                 number("A3", "58") + error("B3") + error("C3") + "</row>"));
        connectAndCheck({QStringLiteral("errors.xlsx"), QStringLiteral("seo.xlsx")});
        m_ui->confirmAnswers << false;
        QVERIFY(clickAndWait(*m_form, control<QPushButton>(*m_form, "SpeedButton16")));
        QVERIFY(m_ui->texts(QStringLiteral("error")).isEmpty());
        QCOMPARE(script(), block("UPDATE jos_virtuemart_products as Pmain ", "SET Pmain.product_in_stock = 4",
                                 "WHERE Pmain.virtuemart_product_id = 57") +
                               block("UPDATE jos_virtuemart_products_en_gb as Pmain SET ",
                                     "Pmain.metakey = 'k'", "WHERE Pmain.virtuemart_product_id = 57") +
                               "COMMIT;\r\n");
    }

    // A list that cannot be opened at all is a failure of the run like any other: the box that
    // names it comes before the question, which says what the script holds and defaults to No.
    void unreadableListIsAFailureBeforeTheQuestion_data()
    {
        QTest::addColumn<QByteArray>("badName");
        QTest::addColumn<QByteArray>("badBytes");
        QTest::addColumn<QString>("reason");
        QTest::addColumn<QString>("logged");
        QTest::newRow("broken workbook")
            << QByteArray("2.xlsx") << QByteArray("PK\x03\x04") + QByteArray(300, 'x') << QString()
            << QStringLiteral(" : 2. MS EXCEL error !\nSpreadsheetError : ");
        QTest::newRow("no converter for xls")
            << QByteArray("2.xls") << QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1") + QByteArray(600, '\0')
            << QStringLiteral(": reading this format needs LibreOffice (soffice), which is not installed.")
            << QStringLiteral(
                   " : LibreOffice is needed to read this file's format (.xls), but it is not installed !\n"
                   "SpreadsheetError : ");
    }

    void unreadableListIsAFailureBeforeTheQuestion()
    {
        QFETCH(QByteArray, badName);
        QFETCH(QByteArray, badBytes);
        QFETCH(QString, reason);
        QFETCH(QString, logged);
        const QString bad = QString::fromLatin1(badName);
        writeList(QStringLiteral("1.csv"), priceHeader + "1;;;;;7;;\r\n");
        writeList(bad, badBytes);
        writeList(QStringLiteral("3.csv"), priceHeader + "2;;;;;8;;\r\n");
        connectAndCheck({QStringLiteral("1.csv"), bad, QStringLiteral("3.csv")});
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", "/nonexistent");
        m_ui->confirmAnswers << false;
        QVERIFY(clickAndWait(*m_form, control<QPushButton>(*m_form, "SpeedButton16")));
        qputenv("PATH", path);

        const QString file = m_folder->filePath(QStringLiteral("lists/") + bad);
        QCOMPARE(m_ui->calls.size(), 2);
        QVERIFY2(m_ui->calls[0].startsWith(QStringLiteral("error: The price list could not be read: ") +
                                           file + u':'),
                 qPrintable(m_ui->calls[0]));
        QVERIFY2(m_ui->calls[0].endsWith(reason), qPrintable(m_ui->calls[0]));
        QVERIFY(m_ui->calls[1].startsWith(QStringLiteral("confirm: The script was created for update")));
        QVERIFY2(m_ui->calls[1].contains(QStringLiteral(
                     "\r\rThe creation ended by a failure: the script holds only the files before it.\r")),
                 qPrintable(m_ui->calls[1]));
        QCOMPARE(m_ui->confirmDefaults, QList<Ui::DefaultAnswer>{Ui::DefaultAnswer::No});
        const QString log = control<QPlainTextEdit>(*m_form, "Memo1")->toPlainText();
        QVERIFY2(log.contains(logged), qPrintable(log));
        QVERIFY(!log.contains(QStringLiteral("3.csv")));
        QCOMPARE(script(), block("UPDATE jos_virtuemart_product_prices as Price ",
                                 "SET Price.product_price = 7", "WHERE Price.virtuemart_product_id = 1") +
                               "COMMIT;\r\n");
        QVERIFY(!m_form->creationJob().isRunning());
    }

    void emptyStoreStillAsksAboutTheScript()
    {
        writeList(QStringLiteral("a.csv"), priceHeader + "1;;;;3;4;;1\r\n");
        addProfile(QStringLiteral("Empty"), *m_empty);
        connectAndCheck({QStringLiteral("a.csv")}, QStringLiteral("Empty"));
        m_ui->confirmAnswers << false;
        QVERIFY(clickAndWait(*m_form, control<QPushButton>(*m_form, "SpeedButton16")));
        QCOMPARE(control<QPlainTextEdit>(*m_form, "Memo1")->toPlainText(),
                 QStringLiteral("Finding the maximum value ID PARTS\nQuit, because the table of parts (your "
                                "store) is empty ...\n"
                                "The script changes nothing in the store.\nUndo script: [%1]")
                     .arg(undoScriptPath()));
        QCOMPARE(script(), QStringLiteral("COMMIT;\r\n"));
        QCOMPARE(m_ui->texts(QStringLiteral("confirm")).size(), 1);
    }

    // Neither the stop question nor the one after the run: the script is finished, not run.
    void closingTheWindowEndsTheRunQuietly()
    {
        for (const char* name : {"1.csv", "2.csv", "3.csv"})
            writeList(QString::fromLatin1(name), priceHeader + QByteArray("1;;;;;7;;\r\n2;;;;;8;;\r\n"));
        connectAndCheck({QStringLiteral("1.csv"), QStringLiteral("2.csv"), QStringLiteral("3.csv")});
        connect(control<QPlainTextEdit>(*m_form, "Memo1"), &QPlainTextEdit::textChanged, this, [&] {
            if (control<QPlainTextEdit>(*m_form, "Memo1")
                    ->toPlainText()
                    .contains(QStringLiteral("lists/2.csv) ...")) &&
                m_form->isVisible())
                m_form->close();
        });
        QVERIFY(clickAndWait(*m_form, control<QPushButton>(*m_form, "SpeedButton16")));

        QVERIFY(m_ui->calls.isEmpty());
        QVERIFY(!m_form->isVisible());
        QVERIFY(!control<QPlainTextEdit>(*m_form, "Memo1")
                     ->toPlainText()
                     .contains(QStringLiteral("lists/3.csv")));
        QVERIFY(script().endsWith(QStringLiteral("COMMIT;\r\n")));
        QVERIFY(!m_form->creationJob().isRunning());
        QCOMPARE(m_store->column(QStringLiteral(
                     "SELECT COUNT(*) FROM @PREFIX@virtuemart_product_prices WHERE product_price <> 9.99")),
                 QStringList{QStringLiteral("0")});
    }

    void missingFileIsLoggedAndStopEndsTheRun()
    {
        for (const char* name : {"1.csv", "2.csv", "3.csv"})
            writeList(QString::fromLatin1(name), priceHeader + QByteArray("1;;;;;7;;\r\n2;;;;;8;;\r\n"));
        connectAndCheck({QStringLiteral("1.csv"), QStringLiteral("2.csv"), QStringLiteral("3.csv")});
        auto* missing = new QListWidgetItem(m_folder->filePath(QStringLiteral("lists/gone.csv")));
        missing->setCheckState(Qt::Checked);
        control<QListWidget>(*m_form, "CheckListBox2")->insertItem(0, missing);
        // Stop while the second file is read.
        const QString second =
            QStringLiteral("Upload file (%1) ...").arg(m_folder->filePath(QStringLiteral("lists/2.csv")));
        connect(control<QPlainTextEdit>(*m_form, "Memo1"), &QPlainTextEdit::textChanged, this, [&] {
            if (control<QPlainTextEdit>(*m_form, "Memo1")
                    ->toPlainText()
                    .contains(QStringLiteral("lists/2.csv) ...")) &&
                !m_form->creationJob().stopRequested())
                QTest::mouseClick(control<QPushButton>(*m_form, "SpeedButton17"), Qt::LeftButton);
        });
        m_ui->confirmAnswers << true << false;
        QVERIFY(clickAndWait(*m_form, control<QPushButton>(*m_form, "SpeedButton16")));
        const QString log = control<QPlainTextEdit>(*m_form, "Memo1")->toPlainText();
        QVERIFY(log.contains(QStringLiteral("[-] File not found (%1)").arg(missing->text())));
        QVERIFY(!log.contains(QStringLiteral("lists/3.csv")));
        QCOMPARE(script(), block("UPDATE jos_virtuemart_product_prices as Price ",
                                 "SET Price.product_price = 7", "WHERE Price.virtuemart_product_id = 1") +
                               block("UPDATE jos_virtuemart_product_prices as Price ",
                                     "SET Price.product_price = 8", "WHERE Price.virtuemart_product_id = 2") +
                               "COMMIT;\r\n");
        QCOMPARE(
            m_ui->texts(QStringLiteral("confirm")),
            QStringList({QStringLiteral("Stop the import of data (all first imported data will be saved) ?"),
                         m_ui->texts(QStringLiteral("confirm")).last()}));
        QVERIFY(!m_form->creationJob().isRunning());

        // Stop without a run asks nothing; a second run does not keep the first one's blocks.
        m_ui->calls.clear();
        QTest::mouseClick(control<QPushButton>(*m_form, "SpeedButton17"), Qt::LeftButton);
        QVERIFY(m_ui->calls.isEmpty());
        for (int i = 0; i < control<QListWidget>(*m_form, "CheckListBox2")->count(); ++i)
            control<QListWidget>(*m_form, "CheckListBox2")->item(i)->setCheckState(Qt::Unchecked);
        m_ui->confirmAnswers << false;
        QVERIFY(clickAndWait(*m_form, control<QPushButton>(*m_form, "SpeedButton16")));
        QCOMPARE(script(), QStringLiteral("COMMIT;\r\n"));
    }

    void seoListsBecomeSeoStatements()
    {
        writeList(QStringLiteral("seo.csv"),
                  bom + "\"IDPART\";NAMEPART;PRODUCT:product_s_desc;PRODUCT:metadesc;PRODUCT:metakey;PRODUCT:"
                        "customtitle;PRODUCT:sluq\r\n"
                        "57;\"Pad\";\"Short\";\"It's \"\"best\"\"\r\nsecond line\";\"k\";\"T\";\"pad-57\"\r\n"
                        "58;\"Pad\";;;;;\r\n");
        writeList(QStringLiteral("cat.csv"),
                  "IDCATEGORY;CATEGORY:metakey\r\nx;skipped\r\n4;\"Škoda, Фара €\"\r\n");
        connectAndCheck({QStringLiteral("cat.csv"), QStringLiteral("seo.csv")});
        m_ui->confirmAnswers << true;
        QVERIFY(clickAndWait(*m_form, control<QPushButton>(*m_form, "SpeedButton16")));
        QVERIFY(
            script().contains(QStringLiteral("UPDATE jos_virtuemart_products_en_gb as Pmain SET \r\n"
                                             "Pmain.product_s_desc = 'Short', \r\n"
                                             "Pmain.metadesc = 'It\\'s \\\"best\\\"\\r\\nsecond line', \r\n"
                                             "Pmain.metakey = 'k', \r\n"
                                             "Pmain.customtitle = 'T', \r\n"
                                             "Pmain.slug = 'pad-57'\r\n"
                                             "WHERE Pmain.virtuemart_product_id = 57;\r\n")));
        QVERIFY(script().contains(QStringLiteral(
            "Pmain.product_s_desc = '', \r\nPmain.metadesc = '', \r\nPmain.metakey = '', \r\n"
            "Pmain.customtitle = '', \r\nPmain.slug = ''\r\nWHERE Pmain.virtuemart_product_id = 58;")));
        QCOMPARE(
            m_store->value(QStringLiteral(
                "SELECT metadesc FROM @PREFIX@virtuemart_products_@LANG@ WHERE virtuemart_product_id = 57")),
            QStringLiteral("It's \"best\"\r\nsecond line"));
        QCOMPARE(
            m_store->value(QStringLiteral(
                "SELECT metakey FROM @PREFIX@virtuemart_categories_@LANG@ WHERE virtuemart_category_id = 4")),
            QStringLiteral("Škoda, Фара €"));
        QVERIFY(m_ui->texts(QStringLiteral("error")).isEmpty());
    }

    // A cell written to end its string early must land in its own field on a server that
    // treats backslashes as plain characters.
    void craftedCellChangesOnlyItsFieldWithoutBackslashEscapes()
    {
        writeList(QStringLiteral("seo.csv"), "IDPART;PRODUCT:metadesc\r\n"
                                             "57;\"x\\', slug = 'hacked' WHERE 1=1; -- \"\r\n");
        m_store->exec(
            QStringLiteral("SET GLOBAL sql_mode = CONCAT(@@GLOBAL.sql_mode, ',NO_BACKSLASH_ESCAPES')"));
        connectAndCheck({QStringLiteral("seo.csv")});
        m_ui->confirmAnswers << true;
        QVERIFY(clickAndWait(*m_form, control<QPushButton>(*m_form, "SpeedButton16")));
        m_store->exec(
            QStringLiteral("SET GLOBAL sql_mode = REPLACE(@@GLOBAL.sql_mode, 'NO_BACKSLASH_ESCAPES', '')"));
        QVERIFY(m_ui->texts(QStringLiteral("error")).isEmpty());
        QCOMPARE(
            m_store->value(QStringLiteral(
                "SELECT metadesc FROM @PREFIX@virtuemart_products_@LANG@ WHERE virtuemart_product_id = 57")),
            QStringLiteral("x\\', slug = 'hacked' WHERE 1=1; -- "));
        QCOMPARE(m_store->column(QStringLiteral("SELECT COUNT(*) FROM @PREFIX@virtuemart_products_@LANG@ "
                                                "WHERE slug = 'hacked' OR metadesc <> 'old'")),
                 QStringList{QStringLiteral("1")});
    }

    // A failing file in the middle of three: the error box names the cell and comes first, the
    // log says the same, and the question says the script is partial, No being its default.
    // A hexadecimal-looking id is such a failure, not product 18.
    void failureIsSaidBeforeTheQuestion_data()
    {
        QTest::addColumn<QByteArray>("badRow");
        QTest::addColumn<QString>("cellText");
        QTest::newRow("hex-looking id") << QByteArray("x12;;;;;8;;") << QStringLiteral("x12");
        QTest::newRow("dollar id") << QByteArray("$10;;;;;8;;") << QStringLiteral("$10");
        QTest::newRow("blank line") << QByteArray("") << QString();
    }

    void failureIsSaidBeforeTheQuestion()
    {
        QFETCH(QByteArray, badRow);
        QFETCH(QString, cellText);
        writeList(QStringLiteral("list1.csv"), priceHeader + "1;;;;;7;;\r\n");
        writeList(QStringLiteral("list2.csv"), priceHeader + "2;;;;;7;;\r\n" + badRow + "\r\n3;;;;;9;;\r\n");
        writeList(QStringLiteral("list10.csv"), priceHeader + "4;;;;;7;;\r\n");
        connectAndCheck(
            {QStringLiteral("list1.csv"), QStringLiteral("list2.csv"), QStringLiteral("list10.csv")});
        m_ui->confirmAnswers << false;
        QVERIFY(clickAndWait(*m_form, control<QPushButton>(*m_form, "SpeedButton16")));
        const QString failure =
            QStringLiteral("File \"%1\", row 3, column A: '%2' is not a valid integer value")
                .arg(m_folder->filePath(QStringLiteral("lists/list2.csv")), cellText);
        QCOMPARE(m_ui->calls.size(), 2);
        QCOMPARE(m_ui->calls[0], QStringLiteral("error: ") + failure + u'.');
        QVERIFY(m_ui->calls[1].startsWith(QStringLiteral("confirm: The script was created")));
        QVERIFY(m_ui->calls[1].contains(QStringLiteral(
            "\r\rThe creation ended by a failure: the script holds only the rows before it.\r")));
        QCOMPARE(m_ui->confirmDefaults, QList<Ui::DefaultAnswer>{Ui::DefaultAnswer::No});
        const QString log = control<QPlainTextEdit>(*m_form, "Memo1")->toPlainText();
        QVERIFY2(log.contains(u'\n' + failure + u'\n'), qPrintable(log));
        QVERIFY(!log.contains(QStringLiteral("list10.csv")));
        // The first file's statements; the failing file's come only after its whole table.
        QCOMPARE(script(), block("UPDATE jos_virtuemart_product_prices as Price ",
                                 "SET Price.product_price = 7", "WHERE Price.virtuemart_product_id = 1") +
                               "COMMIT;\r\n");
        QVERIFY(!m_form->creationJob().isRunning());
    }

    // Values that cannot be read change nothing, and the log counts them per column.
    void unreadableCellsAreCounted()
    {
        writeList(QStringLiteral("a.csv"),
                  priceHeader + "1;;;;2.5;abc;;1\r\n2;;;;3;1,234.5;;yes\r\n3;;;;x3;4;;\r\n"
                                "4;;;;;5;;\r\n5;;;;6;;;\r\n6;;;;7;7;;\r\n7;;;;8;8;;\r\n8;;;;1.5;;;\r\n"
                                "9;;;;1.5;;;\r\n10;;;;1.5;;;\r\n11;;;;1.5;;;\r\n");
        writeList(QStringLiteral("b.csv"),
                  "IDCATEGORY;CATEGORY:metakey\r\n$4;skipped\r\n;blank\r\n4;kept\r\n");
        connectAndCheck({QStringLiteral("a.csv"), QStringLiteral("b.csv")});
        m_ui->confirmAnswers << false;
        QVERIFY(clickAndWait(*m_form, control<QPushButton>(*m_form, "SpeedButton16")));
        QVERIFY(m_ui->texts(QStringLiteral("error")).isEmpty());
        const QStringList log = control<QPlainTextEdit>(*m_form, "Memo1")->toPlainText().split(u'\n');
        QVERIFY(log.contains(QStringLiteral("         Column QUANTITY (E): 6 cells could not be read and "
                                            "change nothing, rows 2, 4, 9, 10, 11, ...")));
        QVERIFY(log.contains(QStringLiteral(
            "         Column PRICE (F): 2 cells could not be read and change nothing, rows 2, 3")));
        QVERIFY(log.contains(QStringLiteral(
            "         Column PUBLISHED (H): 1 cells could not be read and change nothing, rows 3")));
        QVERIFY(log.contains(QStringLiteral(
            "         Column IDCATEGORY (A): 1 cells could not be read and change nothing, rows 2")));
        QCOMPARE(script().count(QStringLiteral("WHERE Pmain.virtuemart_category_id = 4;")), 1);
    }

    // Slugs that the store's unique index would refuse are found before the question.
    void slugCollisionsAreListedBeforeTheQuestion()
    {
        // The store's own unique index, which the test schema leaves out.
        m_store->exec(
            QStringLiteral("ALTER TABLE @PREFIX@virtuemart_products_@LANG@ ADD UNIQUE KEY slug (slug)"));
        const ScopeExit dropIndex([&] {
            m_store->exec(QStringLiteral("ALTER TABLE @PREFIX@virtuemart_products_@LANG@ DROP KEY slug"));
        });
        writeList(QStringLiteral("seo.csv"), "IDPART;PRODUCT:sluq\r\n1;fresh\r\n2;fresh\r\n3;part-4\r\n");
        connectAndCheck({QStringLiteral("seo.csv")});
        m_ui->confirmAnswers << true;
        QVERIFY(clickAndWait(*m_form, control<QPushButton>(*m_form, "SpeedButton16")));
        const QStringList collisions = {"Slug collision: product 2, slug 'fresh', held by product 1",
                                        "Slug collision: product 3, slug 'part-4', held by product 4"};
        const QStringList log = control<QPlainTextEdit>(*m_form, "Memo1")->toPlainText().split(u'\n');
        for (const QString& line : collisions) {
            QVERIFY(log.contains(line));
            QVERIFY(control<QPlainTextEdit>(*m_form, "PreviewSummary")->toPlainText().contains(line));
        }
        QVERIFY(m_ui->texts(QStringLiteral("confirm"))[0].contains(
            QStringLiteral("\r2 statements will fail: their slug is held by another row.\r")));
        // The run bears it out: two failures, each box naming its statement.
        const QStringList errors = m_ui->texts(QStringLiteral("error"));
        QCOMPARE(errors.size(), 2);
        QVERIFY2(errors[0].endsWith(
                     QStringLiteral("\r\rStatement: UPDATE jos_virtuemart_products_en_gb as Pmain SET")),
                 qPrintable(errors[0]));
        QVERIFY(log.contains(QStringLiteral("Script run: 4 statements ran, 2 failed.")));
    }

    // The preview tab: counts, old and new values in a table that sorts.
    void previewShowsTheChanges()
    {
        writeList(QStringLiteral("a.csv"),
                  priceHeader + "1;;;;10;12,5;;1\r\n2;;;;;9.99;;\r\n3;;;;;4;;\r\n99;;;;;4;;\r\n");
        m_store->exec(
            QStringLiteral("DELETE FROM @PREFIX@virtuemart_product_prices WHERE virtuemart_product_id = 3"));
        connectAndCheck({QStringLiteral("a.csv")});
        m_ui->confirmAnswers << false;
        QVERIFY(clickAndWait(*m_form, control<QPushButton>(*m_form, "SpeedButton16")));
        const QString summary = control<QPlainTextEdit>(*m_form, "PreviewSummary")->toPlainText();
        QCOMPARE(summary, QStringLiteral("price: 1 change, 1 stay equal, 1 not in the store\n"
                                         "stock: 0 change, 1 stay equal, 0 not in the store\n"
                                         "publication: 0 change, 1 stay equal, 0 not in the store\n"
                                         "Largest price rises: id 1 +25.1 %\n"
                                         "1 ids above the store's largest id, skipped"));
        QAbstractItemModel* table = control<QTableView>(*m_form, "PreviewTable")->model();
        QCOMPARE(table->rowCount(), 1);
        QCOMPARE(table->index(0, 2).data().toString(), QStringLiteral("9.99000"));
        QCOMPARE(table->index(0, 3).data().toString(), QStringLiteral("12.5"));
        QVERIFY(!control<QTableView>(*m_form, "PreviewTable")->accessibleName().isEmpty());
        QCOMPARE(control<QTabWidget>(*m_form, "PageControl2")->currentIndex(), 3);
    }

    // Values the store's columns would cut or clamp are named before the question, which then
    // advises against the run.
    void valuesThatDoNotFitAreNamedBeforeTheQuestion()
    {
        writeList(QStringLiteral("a.csv"), priceHeader + "1;;;;;1e308;;\r\n2;;;;;12.5;;\r\n");
        writeList(QStringLiteral("b.csv"), "IDPART;PRODUCT:metadesc\r\n3;" + QByteArray(500, 'm') + "\r\n");
        connectAndCheck({QStringLiteral("a.csv"), QStringLiteral("b.csv")});
        m_ui->confirmAnswers << false;
        QVERIFY(clickAndWait(*m_form, control<QPushButton>(*m_form, "SpeedButton16")));
        const QStringList named = {
            "Value the server would change: price of product 1: 1e+308 is beyond decimal(15,5)",
            "Value the server would change: product metadesc of product 3: 500 characters, "
            "the column holds 400"};
        const QStringList log = control<QPlainTextEdit>(*m_form, "Memo1")->toPlainText().split(u'\n');
        const QString preview = control<QPlainTextEdit>(*m_form, "PreviewSummary")->toPlainText();
        for (const QString& line : named) {
            QVERIFY2(log.contains(line), qPrintable(log.join(u'\n')));
            QVERIFY(preview.contains(line));
        }
        QVERIFY(m_ui->texts(QStringLiteral("confirm"))[0].contains(QStringLiteral(
            "\r2 values would be cut, clamped or rounded by the server: they do not fit their column.\r")));
        QCOMPARE(m_ui->confirmDefaults, QList<Ui::DefaultAnswer>{Ui::DefaultAnswer::No});
        QVERIFY(m_ui->texts(QStringLiteral("error")).isEmpty());
    }

    // A Czech list read in the Western code page: the question names the file, the code page
    // used and the detector's, and advises against the run.
    void listReadInTheWrongCodePageIsSaidBeforeTheQuestion()
    {
        writeList(QStringLiteral("cz.csv"),
                  QStringEncoder("windows-1250")
                      .encode(QStringLiteral("IDPART;PRODUCT:metadesc\r\n7;Šťastný žluťoučký kůň\r\n")));
        connectAndCheck({QStringLiteral("cz.csv")});
        control<QComboBox>(*m_form, "ComboBoxCodePage")->setCurrentText(QStringLiteral("windows-1252"));
        m_ui->confirmAnswers << false;
        QVERIFY(clickAndWait(*m_form, control<QPushButton>(*m_form, "SpeedButton16")));
        const QString said =
            QStringLiteral("The file [%1] was read in windows-1252, but its texts hold control characters; "
                           "the detector suggests ")
                .arg(m_folder->filePath(QStringLiteral("lists/cz.csv")));
        QVERIFY2(m_ui->texts(QStringLiteral("confirm"))[0].contains(QStringLiteral("\r\r") + said),
                 qPrintable(m_ui->texts(QStringLiteral("confirm"))[0]));
        QCOMPARE(m_ui->confirmDefaults, QList<Ui::DefaultAnswer>{Ui::DefaultAnswer::No});
        QVERIFY(control<QPlainTextEdit>(*m_form, "Memo1")->toPlainText().contains(said));
    }

    // Old, new and percent sort as numbers: 9.99 before 10.5, 2 before 9.5 before 100.
    void previewSortsNumbersAsNumbers()
    {
        m_store->exec(QStringLiteral("UPDATE @PREFIX@virtuemart_product_prices SET product_price = 10.5 "
                                     "WHERE virtuemart_product_id = 5"));
        writeList(QStringLiteral("a.csv"), priceHeader + "1;;;;;100;;\r\n5;;;;;2;;\r\n6;;;;;9.5;;\r\n");
        connectAndCheck({QStringLiteral("a.csv")});
        m_ui->confirmAnswers << false;
        QVERIFY(clickAndWait(*m_form, control<QPushButton>(*m_form, "SpeedButton16")));
        QTableView* view = control<QTableView>(*m_form, "PreviewTable");
        const auto column = [&](int sortedBy, int shown) {
            view->sortByColumn(sortedBy, Qt::AscendingOrder);
            QStringList values;
            for (int row = 0; row < view->model()->rowCount(); ++row)
                values << view->model()->index(row, shown).data().toString();
            return values;
        };
        QCOMPARE(column(2, 1), QStringList({"1", "6", "5"}));
        QCOMPARE(column(3, 3), QStringList({"2", "9.5", "100"}));
        QCOMPARE(column(4, 1), QStringList({"5", "6", "1"}));
        QCOMPARE(column(1, 1), QStringList({"1", "5", "6"}));
        // A rise of 901 % and a fall of 81 % are beyond the page's limit of 50 %: their rows stand out.
        QStringList marked;
        for (int row = 0; row < view->model()->rowCount(); ++row)
            if (view->model()->index(row, 0).data(Qt::BackgroundRole).isValid())
                marked << view->model()->index(row, 1).data().toString();
        QCOMPARE(marked, QStringList({"1", "5"}));
    }

    // A converter that never finishes, with a helper process of its own as LibreOffice has.
    // Stop and the window's close end the run at once, the converter with its helper.
    void slowConversionEndsOnStopAndOnClose_data()
    {
        QTest::addColumn<bool>("byClosing");
        QTest::newRow("Stop") << false;
        QTest::newRow("close") << true;
    }

    void slowConversionEndsOnStopAndOnClose()
    {
        QFETCH(bool, byClosing);
        writeList(QStringLiteral("1.xls"),
                  QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1") + QByteArray(600, '\0'));
        writeList(QStringLiteral("2.csv"), priceHeader + "1;;;;;7;;\r\n");
        connectAndCheck({QStringLiteral("1.xls"), QStringLiteral("2.csv")});
        QDir(m_folder->path()).mkdir(QStringLiteral("bin"));
        m_folder->write(QStringLiteral("bin/soffice"),
                        "#!/bin/sh\nsleep 600 &\necho $! > \"$0.helper\"\nwait\n");
        QFile::setPermissions(m_folder->filePath(QStringLiteral("bin/soffice")),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", QFile::encodeName(m_folder->filePath(QStringLiteral("bin"))) + ':' + path);
        const QString helperPidFile = m_folder->filePath(QStringLiteral("bin/soffice.helper"));
        QTimer stopper;
        connect(&stopper, &QTimer::timeout, this, [&] {
            if (!QFile::exists(helperPidFile) || !m_form->creationJob().isRunning() || !m_form->isVisible())
                return;
            if (byClosing) {
                m_form->close();
            } else if (!m_form->creationJob().stopRequested()) {
                m_ui->confirmAnswers << true << false; // stop, and do not run the script
                QTest::mouseClick(control<QPushButton>(*m_form, "SpeedButton17"), Qt::LeftButton);
            }
        });
        stopper.start(20);
        QElapsedTimer clock;
        clock.start();
        QVERIFY(clickAndWait(*m_form, control<QPushButton>(*m_form, "SpeedButton16")));
        qputenv("PATH", path);

        QVERIFY2(clock.elapsed() < 60000, "the run waited for the converter");
        QVERIFY(!m_form->creationJob().isRunning());
        QVERIFY(m_ui->texts(QStringLiteral("error")).isEmpty());
        QCOMPARE(m_ui->texts(QStringLiteral("confirm")).size(), byClosing ? 0 : 2);
        QVERIFY(!control<QPlainTextEdit>(*m_form, "Memo1")->toPlainText().contains(QStringLiteral("2.csv")));
        QCOMPARE(script(), QStringLiteral("COMMIT;\r\n"));
        const QByteArray helper = m_folder->read(QStringLiteral("bin/soffice.helper")).trimmed();
        QVERIFY(!helper.isEmpty());
        // SIGKILL reaches the helper when it is next scheduled, which on a busy machine is a moment later.
        QTRY_VERIFY2_WITH_TIMEOUT(!processAlive(helper), "the converter's helper process was left running",
                                  10000);
    }

    void startWithoutAConnectionDoesNothing()
    {
        control<DropDownComboBox>(*m_form, "ComboBox8")->addItem(QStringLiteral("Shop"));
        control<DropDownComboBox>(*m_form, "ComboBox8")->setCurrentIndex(0);
        QVERIFY(clickAndWait(*m_form, control<QPushButton>(*m_form, "SpeedButton16")));
        QVERIFY(m_ui->calls.isEmpty());
        QVERIFY(!QFile::exists(m_folder->filePath(QStringLiteral("ScriptForUpdatePrices.sql"))));
    }

    void manualStartRunsAChosenScript()
    {
        connectAndCheck({});
        m_folder->write(
            QStringLiteral("four.sql"),
            "UPDATE jos_virtuemart_products SET product_in_stock = 1 WHERE virtuemart_product_id = 1;\r\n"
            "UPDATE jos_virtuemart_products SET no_such_column = 1;\r\n"
            "UPDATE jos_virtuemart_products SET product_in_stock = 3 WHERE virtuemart_product_id = 3;\r\n"
            "UPDATE jos_virtuemart_products SET product_in_stock = 4 WHERE virtuemart_product_id = 4;\r\n");
        m_ui->fileAnswers << std::nullopt << m_folder->filePath(QStringLiteral("gone.sql"))
                          << m_folder->filePath(QStringLiteral("four.sql"));
        QVERIFY(clickAndWait(*m_form, control<QPushButton>(*m_form, "SpeedButton19"))); // cancelled
        QCOMPARE(m_ui->calls, QStringList{QStringLiteral("file: *.sql|*.sql|") + m_folder->path()});
        QVERIFY(clickAndWait(*m_form, control<QPushButton>(*m_form, "SpeedButton19"))); // cannot be opened
        QCOMPARE(m_ui->texts(QStringLiteral("error")).size(), 1);
        QVERIFY(m_ui->texts(QStringLiteral("error"))[0].startsWith(
            QStringLiteral("Cannot open file \"%1\". ").arg(m_folder->filePath(QStringLiteral("gone.sql")))));
        QVERIFY(clickAndWait(*m_form,
                             control<QPushButton>(*m_form, "SpeedButton19"))); // a later start still works
        const QStringList errors = m_ui->texts(QStringLiteral("error"));
        QCOMPARE(errors.size(), 2);
        QVERIFY2(errors[1].contains(QStringLiteral("no_such_column")), qPrintable(errors[1]));
        QVERIFY(errors[1].endsWith(
            QStringLiteral("\r\rStatement: UPDATE jos_virtuemart_products SET no_such_column = 1")));
        QCOMPARE(m_store->column(QStringLiteral("SELECT product_in_stock FROM @PREFIX@virtuemart_products "
                                                "WHERE virtuemart_product_id <= 4 ORDER BY 1")),
                 QStringList({"1", "3", "4", "10"}));
        QCOMPARE(control<QProgressBar>(*m_form, "ProgressBar1")->value(), 0);
        QVERIFY(!m_form->scriptJob().isRunning());
        QCOMPARE(control<QPlainTextEdit>(*m_form, "Memo1")->toPlainText(),
                 QStringLiteral("Statement failed: UPDATE jos_virtuemart_products SET no_such_column = 1 : "
                                "Unknown column 'no_such_column' in 'SET'\n"
                                "Script run: 4 statements ran, 1 failed."));
        QCOMPARE(control<QLabel>(*m_form, "Label39")->text(),
                 QStringLiteral("Script run: 4 statements ran, 1 failed."));
    }

private:
    // False for a process that is gone or has ended and waits to be reaped.
    static bool processAlive(const QByteArray& pid)
    {
        QFile stat(QStringLiteral("/proc/%1/stat").arg(QString::fromLatin1(pid)));
        if (!stat.open(QIODevice::ReadOnly))
            return false;
        const QByteArray fields = stat.readAll();
        const qsizetype end = fields.lastIndexOf(')');
        return end >= 0 && fields.mid(end + 2, 1) != "Z";
    }

    QString undoScriptPath() const
    {
        const QStringList undo =
            QDir(m_folder->path()).entryList({QStringLiteral("ScriptForUndo-*.sql")}, QDir::Files);
        return undo.size() == 1 ? m_folder->filePath(undo[0])
                                : QStringLiteral("(%1 undo scripts)").arg(undo.size());
    }

    void writeList(const QString& name, const QByteArray& bytes)
    {
        m_folder->write(QStringLiteral("lists/") + name, bytes);
    }

    QString script() const
    {
        const QByteArray bytes = m_folder->read(QStringLiteral("ScriptForUpdatePrices.sql"));
        if (!bytes.startsWith(bom))
            return QStringLiteral("(no byte-order mark)");
        return QString::fromUtf8(bytes.mid(bom.size()));
    }

    void addProfile(const QString& name, const TestStore& store)
    {
        ConnectionProfile p = store.profile(name);
        p.savePassword = true;
        p.add();
        m_ui->calls.clear();
    }

    // Connects on the import page and ticks the named files of the list folder.
    void connectAndCheck(const QStringList& names, const QString& profile = QStringLiteral("Shop"))
    {
        if (profile == u"Shop")
            addProfile(profile, *m_store);
        control<QLineEdit>(*m_form, "Edit9")->setText(m_folder->filePath(QStringLiteral("lists")));
        emit control<DropDownComboBox>(*m_form, "ComboBox8")->aboutToDropDown();
        control<DropDownComboBox>(*m_form, "ComboBox8")
            ->setCurrentIndex(control<DropDownComboBox>(*m_form, "ComboBox8")->findText(profile));
        QTest::mouseClick(control<QPushButton>(*m_form, "SpeedButton13"), Qt::LeftButton);
        QVERIFY(m_form->connection().connected());
        for (int i = 0; i < control<QListWidget>(*m_form, "CheckListBox2")->count(); ++i) {
            QListWidgetItem* item = control<QListWidget>(*m_form, "CheckListBox2")->item(i);
            item->setCheckState(names.contains(QFileInfo(item->text()).fileName()) ? Qt::Checked
                                                                                   : Qt::Unchecked);
        }
        m_ui->calls.clear();
    }

    std::unique_ptr<TestStore> m_store;
    std::unique_ptr<TestStore> m_empty;
    std::unique_ptr<TestFolder> m_folder;
    std::unique_ptr<ScriptedUi> m_ui;
    std::unique_ptr<MainWindow> m_form;
};

QTEST_MAIN(TestImportPage)
#include "ImportPageTest.moc"
