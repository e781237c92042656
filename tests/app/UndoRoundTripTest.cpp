#include "DropDownComboBox.h"
#include "JobWaits.h"
#include "MainWindow.h"
#include "ScriptedUi.h"
#include "TestCatalog.h"
#include "TestFolder.h"
#include "TestStore.h"
#include "WindowControls.h"

#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSet>
#include <QTest>

// Export, edit, import and run, then run the undo script: every table the import touched is
// as it was, byte for byte.
class TestUndoRoundTrip : public QObject
{
    Q_OBJECT
private slots:
    void undoScriptRestoresEveryTouchedTable()
    {
        TestStore store(QStringLiteral("undo_round_trip"));
        TestCatalog::addBrand(store, 1, QStringLiteral("Acme"));
        TestCatalog::addProducts(store, 1, 1, 6);
        store.execScript(QStringLiteral(R"(
UPDATE @PREFIX@virtuemart_products SET product_in_stock = NULL WHERE virtuemart_product_id = 2;
INSERT INTO @PREFIX@virtuemart_product_prices (virtuemart_product_id, product_price, product_currency) VALUES (3, 33.5, 47);
UPDATE @PREFIX@virtuemart_products_@LANG@ SET metadesc = CONCAT('It''s part ', virtuemart_product_id), slug = CONCAT('part-', virtuemart_product_id) WHERE virtuemart_product_id > 1;
INSERT INTO @PREFIX@virtuemart_categories_@LANG@ (virtuemart_category_id, category_name, metakey, slug) VALUES (5, 'Brakes', 'brakes', 'brakes');
INSERT INTO @PREFIX@virtuemart_product_categories (virtuemart_product_id, virtuemart_category_id) VALUES (1, 5), (2, 5);
)"));
        TestFolder folder;
        ScriptedUi ui;
        const QString out = folder.filePath(QStringLiteral("out"));
        QDir().mkpath(out);
        ConnectionProfile profile = store.profile(QStringLiteral("Store"));
        profile.savePassword = true;
        profile.add();
        MainWindow form{ui};
        form.show();

        // Export the price list and every SEO column.
        form.showPage(QStringLiteral("EXPORT"));
        emit control<DropDownComboBox>(form, "ComboBox3")->aboutToDropDown();
        control<DropDownComboBox>(form, "ComboBox3")->setCurrentIndex(0);
        QTest::mouseClick(control<QPushButton>(form, "SpeedButton8"), Qt::LeftButton);
        control<QLineEdit>(form, "Edit7")->setText(out);
        control<QListWidget>(form, "CheckListBox1")->item(0)->setCheckState(Qt::Checked);
        checkAll(control<QListWidget>(form, "CheckListBox3"));
        QVERIFY(clickAndWait(form, control<QPushButton>(form, "SpeedButton10")));
        checkAll(control<QListWidget>(form, "CheckListBox4"));
        control<QRadioButton>(form, "RadioButton1")->setChecked(true);
        QVERIFY(clickAndWait(form, control<QPushButton>(form, "SpeedButton20")));
        const QStringList files = QDir(out).entryList(QDir::Files, QDir::Name);
        QCOMPARE(files.size(), 3);
        QVERIFY2(ui.texts(QStringLiteral("error")).isEmpty(), qPrintable(ui.calls.join(u'\n')));

        // Edit: every number cell of the price list one more (prices, stock, publication),
        // and every text of the SEO lists with a word added.
        for (const QString& name : files) {
            QByteArray bytes = folder.read(QStringLiteral("out/") + name);
            const qsizetype bodyStart = bytes.indexOf('\n') + 1;
            QString body = QString::fromUtf8(bytes.mid(bodyStart));
            if (name.startsWith(QStringLiteral("Seo")))
                body.replace(QRegularExpression(QStringLiteral("\"([^\";\\r\\n]+)\"")),
                             QStringLiteral("\"\\1 new\""));
            else
                body.replace(QRegularExpression(QStringLiteral(";(\\d+)(\\.\\d+)?(?=;)")),
                             QStringLiteral(";1\\1\\2"));
            folder.write(QStringLiteral("out/") + name, bytes.left(bodyStart) + body.toUtf8());
        }
        const QStringList before = dump(store);

        // Import and run.
        control<DropDownComboBox>(form, "ComboBox8")->addItem(profile.name);
        control<DropDownComboBox>(form, "ComboBox8")->setCurrentIndex(0);
        control<QLineEdit>(form, "Edit9")->setText(out);
        QTest::mouseClick(control<QPushButton>(form, "SpeedButton13"), Qt::LeftButton);
        checkAll(control<QListWidget>(form, "CheckListBox2"));
        ui.confirmAnswers << true;
        QVERIFY(clickAndWait(form, control<QPushButton>(form, "SpeedButton16")));
        QVERIFY2(ui.texts(QStringLiteral("error")).isEmpty(), qPrintable(ui.calls.join(u'\n')));
        const QStringList after = dump(store);
        QSet<QString> changedTables;
        for (int i = 0; i < before.size(); ++i)
            if (before[i] != after.value(i))
                changedTables << before[i].section(u'|', 0, 0);
        QCOMPARE(QStringList(changedTables.begin(), changedTables.end()).size(),
                 4); // products, prices and both text tables

        // Undo by the manual start.
        const QStringList undo =
            QDir(folder.path()).entryList({QStringLiteral("ScriptForUndo-*.sql")}, QDir::Files);
        QCOMPARE(undo.size(), 1);
        ui.fileAnswers << folder.filePath(undo[0]);
        QVERIFY(clickAndWait(form, control<QPushButton>(form, "SpeedButton19")));
        QVERIFY2(ui.texts(QStringLiteral("error")).isEmpty(), qPrintable(ui.calls.join(u'\n')));
        QCOMPARE(dump(store), before);
    }

private:
    static void checkAll(QListWidget* list)
    {
        for (int i = 0; i < list->count(); ++i)
            list->item(i)->setCheckState(Qt::Checked);
    }

    // Every row of every store table, every column as its bytes.
    static QStringList dump(TestStore& store)
    {
        QStringList rows;
        for (const QString& table :
             store.column(QStringLiteral("SELECT table_name FROM information_schema.tables WHERE "
                                         "table_schema = DATABASE() ORDER BY 1"))) {
            const QStringList columns = store.column(
                QStringLiteral(
                    "SELECT CONCAT('IFNULL(HEX(`', column_name, '`), ''NULL'')') FROM "
                    "information_schema.columns "
                    "WHERE table_schema = DATABASE() AND table_name = '%1' ORDER BY ordinal_position")
                    .arg(table));
            rows +=
                store.column(QStringLiteral("SELECT CONCAT('%1|', CONCAT_WS('|', %2)) FROM `%1` ORDER BY 1")
                                 .arg(table, columns.join(u',')));
        }
        return rows;
    }
};

QTEST_MAIN(TestUndoRoundTrip)
#include "UndoRoundTripTest.moc"
