#include "CommandLine.h"
#include "DropDownComboBox.h"
#include "JobWaits.h"
#include "MainWindow.h"
#include "ProgramCopy.h"
#include "ScriptedUi.h"
#include "TestFolder.h"
#include "TestStore.h"
#include "WindowControls.h"

#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>

// One folder of price lists through the window and through the command line: the same script,
// the same undo script and the same summary, whichever front end reads it.
class TestImportFrontEnds : public QObject
{
    Q_OBJECT
private slots:
    void sameFolderGivesTheSameScriptThroughBothFrontEnds()
    {
        TestStore store(QStringLiteral("import_front_ends"));
        store.exec(QStringLiteral(
            "INSERT INTO @PREFIX@virtuemart_products (virtuemart_product_id, product_in_stock, published) "
            "SELECT seq, 10, 1 FROM seq_1_to_20"));
        store.exec(QStringLiteral(
            "INSERT INTO @PREFIX@virtuemart_products_@LANG@ (virtuemart_product_id, metadesc, slug) "
            "SELECT seq, 'old', CONCAT('part-', seq) FROM seq_1_to_20"));
        store.exec(QStringLiteral(
            "INSERT INTO @PREFIX@virtuemart_product_prices (virtuemart_product_id, product_price) "
            "SELECT seq, 9.99 FROM seq_1_to_20"));
        TestFolder program;
        ProgramCopy velmora(QStringLiteral(VELMORA_EXECUTABLE), program.path());
        QVERIFY(velmora.isReady());
        ConnectionProfile profile = store.profile(QStringLiteral("Shop"));
        profile.savePassword = true;
        profile.add();
        // list2 comes before list10 in natural order: product 1 ends at 30, not 20.
        QDir(program.path()).mkdir(QStringLiteral("lists"));
        program.write(QStringLiteral("lists/list2.csv"), "IDPART;PRICE;QUANTITY\r\n1;20;5\r\n99;1;1\r\n");
        program.write(QStringLiteral("lists/list10.csv"), "IDPART;PRICE\r\n1;30\r\n2;9.99\r\n");
        program.write(QStringLiteral("lists/seo.csv"),
                      "IDPART;PRODUCT:sluq;PRODUCT:metadesc\r\n2;part-3;\"It's new\"\r\n");
        const QString lists = program.filePath(QStringLiteral("lists"));

        // The window, answering No to the question.
        ScriptedUi ui;
        {
            MainWindow form(ui);
            form.show();
            control<QLineEdit>(form, "Edit9")->setText(lists);
            emit control<DropDownComboBox>(form, "ComboBox8")->aboutToDropDown();
            control<DropDownComboBox>(form, "ComboBox8")->setCurrentIndex(0);
            QTest::mouseClick(control<QPushButton>(form, "SpeedButton13"), Qt::LeftButton);
            QListWidget* files = control<QListWidget>(form, "CheckListBox2");
            for (int i = 0; i < files->count(); ++i)
                files->item(i)->setCheckState(Qt::Checked);
            ui.confirmAnswers << false;
            QVERIFY(clickAndWait(form, control<QPushButton>(form, "SpeedButton16")));
        }
        QCOMPARE(ui.texts(QStringLiteral("confirm")).size(), 1);
        const QString question = ui.texts(QStringLiteral("confirm")).first();
        const QString windowScript = program.filePath(QStringLiteral("ScriptForUpdatePrices.sql"));

        // The command line, into a folder of its own.
        QDir(program.path()).mkdir(QStringLiteral("cli"));
        const QString cliScript = program.filePath(QStringLiteral("cli/update.sql"));
        const ProgramCopy::Result r =
            velmora.run({"create-script", "--profile", "Shop", "--folder", lists, "--out", cliScript});
        QCOMPARE(r.code, int(CommandLine::Done));

        QCOMPARE(read(cliScript), read(windowScript));
        QVERIFY(read(cliScript).contains(
            "SET Price.product_price = 30\r\nWHERE Price.virtuemart_product_id = 1;\r\n  \r\nUPDATE"));
        QCOMPARE(read(undoScript(program.filePath(QStringLiteral("cli")))), read(undoScript(program.path())));
        QVERIFY(!read(undoScript(program.path())).isEmpty());

        // The question's summary, line by line, is what the command says on standard error, in
        // the same order; the undo scripts' names differ by the second each run started in.
        const QRegularExpression undoName(QStringLiteral("\\[.*\\]$"));
        const QStringList summary = question.section(QStringLiteral("Start updating the price list ?\r\r"), 1)
                                        .split(u'\r')
                                        .replaceInStrings(undoName, QStringLiteral("[undo]"));
        QVERIFY2(
            summary.contains(QStringLiteral("1 statements will fail: their slug is held by another row.")),
            qPrintable(summary.join(u'\n')));
        QVERIFY2(summary.contains(QStringLiteral("Undo script: [undo]")), qPrintable(summary.join(u'\n')));
        QStringList said = r.err.split(u'\n').replaceInStrings(undoName, QStringLiteral("[undo]"));
        qsizetype at = 0;
        for (const QString& line : summary) {
            at = said.indexOf(line, at);
            QVERIFY2(at >= 0, qPrintable(QStringLiteral("not said in order: ") + line + u'\n' + r.err));
        }
    }

private:
    static QByteArray read(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    static QString undoScript(const QString& folder)
    {
        const QStringList found =
            QDir(folder).entryList({QStringLiteral("ScriptForUndo-*.sql")}, QDir::Files);
        return found.size() == 1 ? QDir(folder).filePath(found.first()) : QString();
    }
};

QTEST_MAIN(TestImportFrontEnds)
#include "ImportFrontEndsTest.moc"
