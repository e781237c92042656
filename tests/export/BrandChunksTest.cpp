#include "export/BrandChunks.h"

#include <QTest>

class BrandChunksTest : public QObject
{
    Q_OBJECT
private slots:
    void reads_data()
    {
        QTest::addColumn<QList<int>>("ticked"); // ids of the list 1 to 6 that are ticked
        QTest::addColumn<QList<QList<int>>>("reads");
        // Products per brand: 1 has 40, 2 has 70, 3 has 0, 4 has 100, 5 has 150, 6 none known.
        QTest::newRow("nothing ticked") << QList<int>{} << QList<QList<int>>{};
        QTest::newRow("all, up to 100 products a read")
            << QList<int>{1, 2, 3, 4, 5, 6} << QList<QList<int>>{{1}, {2, 3}, {4}, {5}, {6}};
        QTest::newRow("unticked ones between") << QList<int>{1, 3, 6} << QList<QList<int>>{{1, 3, 6}};
        QTest::newRow("one brand larger than a read") << QList<int>{5} << QList<QList<int>>{{5}};
        QTest::newRow("brands without products add nothing")
            << QList<int>{3, 4, 6} << QList<QList<int>>{{3, 4, 6}};
    }

    void reads()
    {
        QFETCH(QList<int>, ticked);
        QFETCH(QList<QList<int>>, reads);
        std::vector<BrandEntry> brands;
        for (int id = 1; id <= 6; ++id)
            brands.push_back({id, QString::number(id), ticked.contains(id)});
        const QHash<int, qint64> products = {{1, 40}, {2, 70}, {3, 0}, {4, 100}, {5, 150}};

        const BrandChunks chunks(brands, products, 100);

        QList<QList<int>> actual;
        for (const std::vector<int>& read : chunks.reads())
            actual << QList<int>(read.begin(), read.end());
        QCOMPARE(actual, reads);
        for (const std::vector<int>& read : chunks.reads()) {
            QCOMPARE(chunks.readBegunBy(read.front()), &read);
            for (std::size_t i = 1; i < read.size(); ++i)
                QVERIFY(!chunks.readBegunBy(read[i]));
        }
    }
};

QTEST_GUILESS_MAIN(BrandChunksTest)
#include "BrandChunksTest.moc"
