#include "seo/MakeSeoSlug.h"

#include <QTest>

class MakeSeoSlugTest : public QObject
{
    Q_OBJECT

private slots:
    void slug_data();
    void slug();
};

void MakeSeoSlugTest::slug_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("slug");

    QTest::newRow("brand and trade number") << "Acme-AB 12/7"
                                            << "acme-ab-12%2f7";
    QTest::newRow("blanks become dashes") << "Brake  pad "
                                          << "brake--pad-";
    QTest::newRow("kept as they are") << "a!$'()*-._@z09"
                                      << "a!$'()*-._@z09";
    QTest::newRow("other ASCII") << "a+b&c=d#e%f\"g,h;i:j?k/l~m"
                                 << "a%2bb%26c%3dd%23e%25f%22g%2ch%3bi%3aj%3fk%2fl%7em";
    QTest::newRow("controls") << "a\tb\r\n"
                              << "a%09b%0d%0a";
    QTest::newRow("letters beyond ASCII") << QString::fromUtf8("Škoda Žiguli") << "%c5%a0koda-%c5%bdiguli";
    QTest::newRow("cyrillic and euro") << QString::fromUtf8("Ж€") << "%d0%96%e2%82%ac";
    QTest::newRow("empty") << ""
                           << "";
}

void MakeSeoSlugTest::slug()
{
    QFETCH(QString, text);
    QFETCH(QString, slug);

    QCOMPARE(makeSeoSlug(text), slug);
}

QTEST_GUILESS_MAIN(MakeSeoSlugTest)
#include "MakeSeoSlugTest.moc"
