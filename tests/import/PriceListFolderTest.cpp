#include "import/PriceListFolder.h"
#include "TestFolder.h"

#include <QTest>

class TestPriceListFolder : public QObject
{
    Q_OBJECT
private slots:
    // One folder always gives one script: the files come in the natural order of their names.
    void filesComeInNaturalOrder()
    {
        TestFolder folder;
        const QStringList names = {"list10.csv", "list2.csv",   "List1.xlsx", "list2b.csv",
                                   "a.csv",      "list002.csv", "list1.csv"};
        for (const QString& name : names)
            folder.write(name, "x");
        const auto files = listPriceListFiles(folder.path());
        QVERIFY(files);
        QStringList found;
        for (const QString& file : *files)
            found << QFileInfo(file).fileName();
        QCOMPARE(found, QStringList({"a.csv", "list1.csv", "List1.xlsx", "list002.csv", "list2.csv",
                                     "list2b.csv", "list10.csv"}));
    }
};

QTEST_MAIN(TestPriceListFolder)
#include "PriceListFolderTest.moc"
