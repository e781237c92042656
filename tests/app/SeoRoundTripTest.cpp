#include "DropDownComboBox.h"
#include "JobWaits.h"
#include "MainWindow.h"
#include "ScriptedUi.h"
#include "TestFolder.h"
#include "TestStore.h"
#include "WindowControls.h"

#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

// SEO files exported from the store and read back through the import leave every text as it
// was, byte for byte; an edited cell changes its own field and nothing else.
class TestSeoRoundTrip : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        m_store = std::make_unique<TestStore>(QStringLiteral("seo_round_trip"), QStringLiteral("rt_"),
                                              QStringLiteral("cs_cz"));
        m_store->execScript(QStringLiteral(R"(
INSERT INTO @PREFIX@virtuemart_manufacturers_@LANG@ (virtuemart_manufacturer_id, mf_name) VALUES (1, 'Škoda Díly');
INSERT INTO @PREFIX@virtuemart_products (virtuemart_product_id, product_sku) VALUES (1, 'AB-1'), (2, 'ΑΒ-2'), (3, 'X;3');
INSERT INTO @PREFIX@virtuemart_product_manufacturers (virtuemart_product_id, virtuemart_manufacturer_id) VALUES (1, 1), (2, 1), (3, 1);
INSERT INTO @PREFIX@virtuemart_products_@LANG@ (virtuemart_product_id, product_name, product_s_desc, metadesc, metakey, customtitle, slug) VALUES
 (1, 'Brzdové destičky', 'Přední brzdy; "originál"', 'Řídicí jednotka\r\nnový řádek', 'brzdy, škoda', 'Brzdy | Obchod', 'brzdove-desticky'),
 (2, 'Фара головная', 'Фара \\ левая', 'Ελληνικά κείμενα €', 'фара, φανός', 'Фара – 12 €', 'fara-golovnaya'),
 (3, 'Pump 🚗', 'Emoji 🚗 in text', '''quoted'' and "double"', 'a\tb', '  two blanks  ', 'pump-3');
INSERT INTO @PREFIX@virtuemart_categories_@LANG@ (virtuemart_category_id, category_name, metadesc, metakey, customtitle, slug) VALUES
 (5, 'Brzdy', 'Kategorie brzd – €', 'brzdy', 'Brzdy | Kategorie', 'brzdy'),
 (6, 'Освещение', 'Фары и фонари', 'свет', 'Свет 🚦', 'osveshchenie');
INSERT INTO @PREFIX@virtuemart_product_categories (virtuemart_product_id, virtuemart_category_id) VALUES (1, 5), (2, 6), (3, 5), (3, 6);
)"));
    }

    void exportedTextsComeBackUnchanged()
    {
        TestFolder folder;
        ScriptedUi ui;
        QDir(folder.path()).mkdir(QStringLiteral("out"));
        ConnectionProfile profile = m_store->profile(QStringLiteral("Store"));
        profile.savePassword = true;
        profile.add();
        MainWindow form{ui};
        form.show();

        // Export every SEO column of the brand.
        control<DropDownComboBox>(form, "ComboBox3")->addItem(profile.name);
        control<DropDownComboBox>(form, "ComboBox3")->setCurrentIndex(0);
        QTest::mouseClick(control<QPushButton>(form, "SpeedButton8"), Qt::LeftButton);
        QCOMPARE(control<QListWidget>(form, "CheckListBox1")->count(), 1);
        control<QListWidget>(form, "CheckListBox1")->item(0)->setCheckState(Qt::Checked);
        for (int i = 0; i < control<QListWidget>(form, "CheckListBox4")->count(); ++i)
            control<QListWidget>(form, "CheckListBox4")->item(i)->setCheckState(Qt::Checked);
        control<QRadioButton>(form, "RadioButton1")->setChecked(true);
        control<QLineEdit>(form, "Edit7")->setText(folder.filePath(QStringLiteral("out")));
        QVERIFY(clickAndWait(form, control<QPushButton>(form, "SpeedButton20")));
        QCOMPARE(QDir(folder.filePath(QStringLiteral("out"))).entryList(QDir::Files, QDir::Name),
                 QStringList({"SeoCategories1.csv", "SeoProduct1.csv"}));
        const QStringList before = snapshot();

        // Import the files unchanged.
        importFolder(form, ui, folder.filePath(QStringLiteral("out")));
        QVERIFY2(ui.texts(QStringLiteral("error")).isEmpty(),
                 qPrintable(ui.texts(QStringLiteral("error")).join(u'\n')));
        QCOMPARE(snapshot(), before);
        const QByteArray script = folder.read(QStringLiteral("ScriptForUpdatePrices.sql"));
        QCOMPARE(script.count("WHERE Pmain.virtuemart_product_id = "), 3);
        QCOMPARE(script.count("WHERE Pmain.virtuemart_category_id = "),
                 4); // one row per product and category

        // An edited cell changes only its own field.
        const QString products = folder.filePath(QStringLiteral("out/SeoProduct1.csv"));
        QFile file(products);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QByteArray bytes = file.readAll();
        file.close();
        QVERIFY(bytes.contains("\"фара, φανός\""));
        bytes.replace("\"фара, φανός\"", "\"фара, φανός, новое\"");
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
        file.close();
        importFolder(form, ui, folder.filePath(QStringLiteral("out")));
        QStringList expected = before;
        expected.replaceInStrings(QStringLiteral("фара, φανός"), QStringLiteral("фара, φανός, новое"));
        QCOMPARE(snapshot(), expected);
    }

private:
    // Every SEO text of the store, as its bytes.
    QStringList snapshot()
    {
        QStringList rows = m_store->column(QStringLiteral(
            "SELECT CONCAT_WS('|', virtuemart_product_id, HEX(product_s_desc), HEX(metadesc), HEX(metakey), "
            "HEX(customtitle), HEX(slug)) FROM @PREFIX@virtuemart_products_@LANG@ ORDER BY "
            "virtuemart_product_id"));
        rows += m_store->column(
            QStringLiteral("SELECT CONCAT_WS('|', virtuemart_category_id, HEX(metadesc), HEX(metakey), "
                           "HEX(customtitle), HEX(slug)) "
                           "FROM @PREFIX@virtuemart_categories_@LANG@ ORDER BY virtuemart_category_id"));
        QStringList texts;
        for (const QString& row : rows) {
            QStringList fields = row.split(u'|');
            for (int i = 1; i < fields.size(); ++i)
                fields[i] = QString::fromUtf8(QByteArray::fromHex(fields[i].toLatin1()));
            texts << fields.join(u'|');
        }
        return texts;
    }

    void importFolder(MainWindow& form, ScriptedUi& ui, const QString& path)
    {
        control<DropDownComboBox>(form, "ComboBox8")->clear();
        control<DropDownComboBox>(form, "ComboBox8")->addItem(QStringLiteral("Store"));
        control<DropDownComboBox>(form, "ComboBox8")->setCurrentIndex(0);
        control<QLineEdit>(form, "Edit9")->setText(path);
        QTest::mouseClick(control<QPushButton>(form, "SpeedButton13"), Qt::LeftButton);
        QCOMPARE(control<QListWidget>(form, "CheckListBox2")->count(), 2);
        for (int i = 0; i < control<QListWidget>(form, "CheckListBox2")->count(); ++i)
            control<QListWidget>(form, "CheckListBox2")->item(i)->setCheckState(Qt::Checked);
        ui.confirmAnswers << true;
        QVERIFY(clickAndWait(form, control<QPushButton>(form, "SpeedButton16")));
    }

    std::unique_ptr<TestStore> m_store;
};

QTEST_MAIN(TestSeoRoundTrip)
#include "SeoRoundTripTest.moc"
