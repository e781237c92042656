#include "seo/SubstitutePlaceholders.h"

#include <QTest>

class SubstitutePlaceholdersTest : public QObject
{
    Q_OBJECT

private slots:
    void substitution_data();
    void substitution();
};

void SubstitutePlaceholdersTest::substitution_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("values"); // in placeholder order
    QTest::addColumn<QString>("result");

    const QStringList category{"57", "Acme", "AB 12/7", "Brake pad", "12", "Pads", "audi-a4"};
    const QStringList product{"57", "Acme", "AB 12/7", "Brake pad", "", "", ""};

    QTest::newRow("all seven")
        << "{IDPART}|{BRAND}|{TRADENUMBER}|{NAMEPART}|{IDCATEGORY}|{CATEGORYNAME}|{DATACAR}" << category
        << "57|Acme|AB 12/7|Brake pad|12|Pads|audi-a4";
    QTest::newRow("any letter case") << "{brand}, {Brand}, {BRAND}, {bRaNd}, {tradeNumber}" << product
                                     << "Acme, Acme, Acme, Acme, AB 12/7";
    QTest::newRow("every occurrence")
        << "{NAMEPART}/{NAMEPART}\r\n{NAMEPART}" << product << "Brake pad/Brake pad\r\nBrake pad";
    QTest::newRow("category placeholders in a product template")
        << "{NAMEPART} in {CATEGORYNAME} for {DATACAR}." << product << "Brake pad in  for .";
    QTest::newRow("value holding a later placeholder")
        << "{NAMEPART}!" << QStringList{"57", "Acme", "AB", "Pad {DATACAR}", "", "", ""} << "Pad !";
    QTest::newRow("value holding an earlier placeholder")
        << "{BRAND}!" << QStringList{"57", "X {IDPART}", "AB", "Pad", "", "", ""} << "X {IDPART}!";
    QTest::newRow("values inserted as they are")
        << "{BRAND}" << QStringList{"1", "a\"b & $1 \\1 %2", "", "", "", "", ""} << "a\"b & $1 \\1 %2";
    QTest::newRow("other braces stay")
        << "{MODEL} {BRAND {brand} {IDPART }" << product << "{MODEL} {BRAND Acme {IDPART }";
    QTest::newRow("empty template") << "" << category << "";
}

void SubstitutePlaceholdersTest::substitution()
{
    QFETCH(QString, text);
    QFETCH(QStringList, values);
    QFETCH(QString, result);
    const PlaceholderValues row{values[0], values[1], values[2], values[3], values[4], values[5], values[6]};

    QCOMPARE(substitutePlaceholders(text, row), result);
}

QTEST_GUILESS_MAIN(SubstitutePlaceholdersTest)
#include "SubstitutePlaceholdersTest.moc"
