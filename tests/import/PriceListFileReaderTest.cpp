#include "import/PriceListFileReader.h"
#include "RecordedProgress.h"
#include "TestFolder.h"
#include "import/UpdateScript.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <QTest>

namespace {

class IdleJob : public Job
{
};

} // namespace

class PriceListFileReaderTest : public QObject
{
    Q_OBJECT

private slots:
    // The detector takes this short Czech list for ISO-8859-2; the code page of older files
    // reads it, and the log names both.
    void legacyListIsReadWithTheCodePageOfOlderFiles_data()
    {
        QTest::addColumn<QByteArray>("codePageOfOlderFiles");
        QTest::addColumn<QString>("description");
        const QString czech = QStringLiteral("Šťastný žluťoučký kůň");
        QTest::newRow("windows-1250") << QByteArray("windows-1250") << czech;
        QTest::newRow("windows-1252")
            << QByteArray("windows-1252")
            << QString(QStringDecoder("windows-1252").decode(QStringEncoder("windows-1250").encode(czech)));
    }

    void legacyListIsReadWithTheCodePageOfOlderFiles()
    {
        QFETCH(QByteArray, codePageOfOlderFiles);
        QFETCH(QString, description);
        TestFolder folder;
        folder.write("list.csv",
                     QStringEncoder("windows-1250")
                         .encode(QStringLiteral("IDPART;PRODUCT:metadesc\r\n7;Šťastný žluťoučký kůň\r\n")));
        const QString scriptPath = folder.filePath("script.sql");
        RecordedProgress progress;
        IdleJob job;
        {
            UpdateScript script(scriptPath, StoreSchema{QStringLiteral("jos_"), QStringLiteral("_cs_cz")});
            PriceListFileReader reader(100, script, progress, job, codePageOfOlderFiles);
            reader.read(folder.filePath("list.csv"));
            script.commit();
        }

        QVERIFY(
            QString::fromUtf8(folder.read("script.sql")).contains(QStringLiteral("'") + description + u'\''));
        QVERIFY(progress.lines.contains(
            QStringLiteral(
                "         Code page of the file : %1 (not UTF-8); the detector suggests ISO-8859-2: "
                "check the setting \"Code page of older files\"")
                .arg(QString::fromLatin1(codePageOfOlderFiles))));
    }

    // A list of product and category texts is read twice, the products first; the second
    // pass reads the file again from its start.
    void productAndCategoryTextsOfOneListInTwoPasses()
    {
        TestFolder folder;
        folder.write("list.csv",
                     "IDPART;PRODUCT:metakey;IDCATEGORY;CATEGORY:metakey\r\n7;p7;3;c3\r\n8;p8;4;c4\r\n");
        RecordedProgress progress;
        IdleJob job;
        {
            UpdateScript script(folder.filePath("script.sql"), StoreSchema{QStringLiteral("jos_"), {}});
            PriceListFileReader reader(100, script, progress, job, "windows-1250");
            reader.read(folder.filePath("list.csv"));
            script.commit();
        }
        const QString script = QString::fromUtf8(folder.read("script.sql"));
        QStringList order;
        for (const QString& where :
             {QStringLiteral("Pmain.metakey = 'p7'\r\nWHERE Pmain.virtuemart_product_id = 7;"),
              QStringLiteral("Pmain.metakey = 'p8'\r\nWHERE Pmain.virtuemart_product_id = 8;"),
              QStringLiteral("Pmain.metakey = 'c3'\r\nWHERE Pmain.virtuemart_category_id = 3;"),
              QStringLiteral("Pmain.metakey = 'c4'\r\nWHERE Pmain.virtuemart_category_id = 4;")})
            order << QString::number(script.indexOf(where));
        QStringList sorted = order;
        std::sort(sorted.begin(), sorted.end(),
                  [](const QString& a, const QString& b) { return a.toInt() < b.toInt(); });
        QVERIFY2(!order.contains(QStringLiteral("-1")) && order == sorted, qPrintable(script));
    }

    void utf8ListNamesNoCodePage()
    {
        TestFolder folder;
        folder.write("list.csv",
                     QStringLiteral("IDPART;PRODUCT:metadesc\r\n7;Šťastný žluťoučký kůň\r\n").toUtf8());
        RecordedProgress progress;
        IdleJob job;
        UpdateScript script(folder.filePath("script.sql"), StoreSchema{QStringLiteral("jos_"), {}});
        PriceListFileReader reader(100, script, progress, job, "windows-1250");
        reader.read(folder.filePath("list.csv"));
        QVERIFY(!progress.lines.join(u'\n').contains(QStringLiteral("Code page")));
        script.commit();
    }
};

QTEST_GUILESS_MAIN(PriceListFileReaderTest)
#include "PriceListFileReaderTest.moc"
