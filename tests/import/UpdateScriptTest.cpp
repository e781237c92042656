#include "import/UpdateScript.h"
#include "SmallFileSystem.h"
#include "TestFolder.h"
#include "UserFolders.h"
#include "import/EscapeSqlText.h"
#include "platform/AppError.h"

#include <QFile>
#include <QTest>

class TestUpdateScript : public QObject
{
    Q_OBJECT
private slots:
    void escapesForSingleQuotedStrings_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("escaped");
        QTest::newRow("plain") << "Brake pad"
                               << "Brake pad";
        QTest::newRow("apostrophe") << "O'Neil"
                                    << "O\\'Neil";
        QTest::newRow("double quote") << "12\" rim"
                                      << "12\\\" rim";
        QTest::newRow("backslash first") << "a\\'b"
                                         << "a\\\\\\'b";
        QTest::newRow("line break") << "a\r\nb"
                                    << "a\\r\\nb";
        QTest::newRow("nul and ctrl-z") << QString("a") + QChar(0) + "b" + QChar(26) << "a\\0b\\Z";
        QTest::newRow("letters beyond ASCII") << "Škoda Фара €"
                                              << "Škoda Фара €";
    }

    void escapesForSingleQuotedStrings()
    {
        QFETCH(QString, text);
        QFETCH(QString, escaped);
        QCOMPARE(escapeSqlText(text), escaped);
    }

    void numberTextUsesAPointAndFifteenDigits_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("half") << 12.5 << "12.5";
        QTest::newRow("whole") << 100.0 << "100";
        QTest::newRow("zero") << 0.0 << "0";
        QTest::newRow("tenth") << 0.1 << "0.1";
        QTest::newRow("large") << 1e20 << "1e+20";
    }

    void numberTextUsesAPointAndFifteenDigits()
    {
        QFETCH(double, value);
        QFETCH(QString, text);
        QCOMPARE(UpdateScript::numberText(value), text);
    }

    void blocksAreWrittenLineByLine()
    {
        TestFolder folder;
        const QString path = folder.filePath(UpdateScript::fileName());
        {
            UpdateScript script(path, StoreSchema{QStringLiteral("jos_"), QStringLiteral("_en_gb")});
            script.writePublication(57, 1);
            script.writePrice(57, 12.5);
            script.writeStock(57, 3);
            script.writeProductSeo(57, {{QStringLiteral("metadesc"), QStringLiteral("It's €")},
                                        {QStringLiteral("slug"), QString()}});
            script.writeCategorySeo(4, {{QStringLiteral("metakey"), QStringLiteral("a\r\nb")}});
            script.commit();
        }
        const QByteArray bytes = folder.read(UpdateScript::fileName());
        QVERIFY(bytes.startsWith("\xEF\xBB\xBF"));
        QCOMPARE(QString::fromUtf8(bytes.mid(3)),
                 QStringLiteral("UPDATE jos_virtuemart_products as Pmain \r\n"
                                "SET Pmain.published = 1\r\n"
                                "WHERE Pmain.virtuemart_product_id = 57;\r\n"
                                "  \r\n"
                                "UPDATE jos_virtuemart_product_prices as Price \r\n"
                                "SET Price.product_price = 12.5\r\n"
                                "WHERE Price.virtuemart_product_id = 57;\r\n"
                                "  \r\n"
                                "UPDATE jos_virtuemart_products as Pmain \r\n"
                                "SET Pmain.product_in_stock = 3\r\n"
                                "WHERE Pmain.virtuemart_product_id = 57;\r\n"
                                "  \r\n"
                                "UPDATE jos_virtuemart_products_en_gb as Pmain SET \r\n"
                                "Pmain.metadesc = 'It\\'s €', \r\n"
                                "Pmain.slug = ''\r\n"
                                "WHERE Pmain.virtuemart_product_id = 57;\r\n"
                                "  \r\n"
                                "UPDATE jos_virtuemart_categories_en_gb as Pmain SET \r\n"
                                "Pmain.metakey = 'a\\r\\nb'\r\n"
                                "WHERE Pmain.virtuemart_category_id = 4;\r\n"
                                "  \r\n"
                                "COMMIT;\r\n"));
    }

    // A script whose blocks could not all be written is never closed as complete.
    void aFailedWriteSpoilsTheScript()
    {
        SmallFileSystem disk;
        SKIP_UNLESS_MOUNTED(disk);
        const QString path = disk.filePath(UpdateScript::fileName());
        UpdateScript script(path, StoreSchema{});
        bool failed = false;
        try {
            for (int i = 0; i < 100000; ++i)
                script.writePublication(i, 1);
        } catch (const AppError& e) {
            failed = true;
            QCOMPARE(e.message(), QStringLiteral("Cannot write file \"%1\". Disk full").arg(path));
        }
        QVERIFY(failed);
        QVERIFY_THROWS_EXCEPTION(AppError, script.commit());
        QVERIFY(!QFile::exists(path));
    }

    // The script may be read by its owner alone.
    void isCreatedForItsOwnerAlone()
    {
        TestFolder folder;
        UpdateScript script(folder.filePath(UpdateScript::fileName()), StoreSchema{});
        script.commit();
        QCOMPARE(fileMode(folder.filePath(UpdateScript::fileName())), 0600);
    }

    // The script the creation run writes and the run button runs.
    void defaultPathIsWhereTheProgramMayWrite_data()
    {
        QTest::addColumn<bool>("programFolderWritable");
        QTest::newRow("writable program folder") << true;
        QTest::newRow("read-only program folder") << false;
    }

    void defaultPathIsWhereTheProgramMayWrite()
    {
        QFETCH(bool, programFolderWritable);
        TestFolder folder;
        UserFolders user(programFolderWritable ? UserFolders::ProgramFolder::Writable
                                               : UserFolders::ProgramFolder::ReadOnly);
        const QString expected =
            (programFolderWritable ? folder.path() : user.dataFolder()) + "/ScriptForUpdatePrices.sql";

        QCOMPARE(UpdateScript::defaultPath(), expected);
        UpdateScript script(UpdateScript::defaultPath(),
                            StoreSchema{QStringLiteral("jos_"), QStringLiteral("_en_gb")});
        script.writePrice(1, 2.5);
        script.commit();
        QVERIFY(QFile::exists(expected));
        QCOMPARE(QFile::exists(folder.filePath(UpdateScript::fileName())), programFolderWritable);
    }
};

QTEST_GUILESS_MAIN(TestUpdateScript)
#include "UpdateScriptTest.moc"
