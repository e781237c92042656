#include "platform/TextDecoding.h"
#include "platform/TextPlausibility.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <QTest>

// How a file in an older code page is judged: read in the wrong one, its texts carry control
// characters or words no language writes, and the detector's code page reads them better.
class TextDecodingTest : public QObject
{
    Q_OBJECT
private slots:
    void wordsThatLookMisread_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("oddWords");
        QTest::addColumn<bool>("controls");
        QTest::newRow("Czech") << QStringLiteral("Šťastný žluťoučký kůň úpěl") << 0 << false;
        QTest::newRow("German and French") << QStringLiteral("Größe Bremsbeläge, déjà-vu") << 0 << false;
        QTest::newRow("Russian") << QStringLiteral("Тормозные колодки для Škoda") << 0 << false;
        QTest::newRow("ASCII words never count") << QStringLiteral("iPhone McLaren PowerShot") << 0 << false;
        QTest::newRow("control character") << QStringLiteral("\u0160astn\u009D") << 1 << true;
        QTest::newRow("two scripts in a word") << QStringLiteral("\u0409\u045Castn\u044D") << 1 << false;
        QTest::newRow("capital after a small letter") << QStringLiteral("оПХБЕР") << 1 << false;
        QTest::newRow("mostly accented Latin") << QStringLiteral("Ïðèâåò ìèð") << 1 << false;
    }

    void wordsThatLookMisread()
    {
        QFETCH(QString, text);
        QFETCH(int, oddWords);
        QFETCH(bool, controls);
        // Fed in pieces of three characters, so that words are cut between pieces.
        TextPlausibility plausibility;
        for (qsizetype at = 0; at < text.size(); at += 3)
            plausibility.feed(QStringView(text).mid(at, 3));
        plausibility.finish();
        QCOMPARE(plausibility.oddWords(), oddWords);
        QCOMPARE(plausibility.hasControlCharacters(), controls);
    }

    void legacyFileReadInTheWrongCodePage_data()
    {
        QTest::addColumn<QByteArray>("writtenIn");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("readIn");
        QTest::addColumn<bool>("doubtful");
        const QString czech = QStringLiteral("1;Šťastný žluťoučký kůň úpěl ďábelské ódy\r\n");
        const QString russian =
            QStringLiteral("1;Тормозные колодки передние, комплект\r\n2;Масляный фильтр двигателя\r\n");
        QTest::newRow("Czech in its own code page")
            << QByteArray("windows-1250") << czech << QByteArray("windows-1250") << false;
        QTest::newRow("Czech read as Western")
            << QByteArray("windows-1250") << czech << QByteArray("windows-1252") << true;
        QTest::newRow("Russian in its own code page")
            << QByteArray("windows-1251") << russian << QByteArray("windows-1251") << false;
        QTest::newRow("Russian read as Western")
            << QByteArray("windows-1251") << russian << QByteArray("windows-1252") << true;
        QTest::newRow("Russian read as KOI8-R")
            << QByteArray("windows-1251") << russian << QByteArray("KOI8-R") << true;
        QTest::newRow("German in its own code page")
            << QByteArray("windows-1252") << QStringLiteral("1;Größe der Bremsbeläge\r\n")
            << QByteArray("windows-1252") << false;
    }

    void legacyFileReadInTheWrongCodePage()
    {
        QFETCH(QByteArray, writtenIn);
        QFETCH(QString, text);
        QFETCH(QByteArray, readIn);
        QFETCH(bool, doubtful);
        const QByteArray bytes = QStringEncoder(writtenIn.constData()).encode(text);
        const FileEncoding chosen = chooseFileEncoding(readingOf(bytes), readIn);
        QVERIFY(chosen.isLegacy());
        QCOMPARE(chosen.encoding.name, readIn);
        QVERIFY2(chosen.isDoubtful() == doubtful,
                 qPrintable(QStringLiteral("guess %1, controls %2, guess reads better %3")
                                .arg(QString::fromLatin1(chosen.detectorGuess))
                                .arg(chosen.hasControlCharacters)
                                .arg(chosen.guessReadsBetter)));
    }
};

QTEST_GUILESS_MAIN(TextDecodingTest)
#include "TextDecodingTest.moc"
