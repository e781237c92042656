#include "export/CsvField.h"
#include "export/CsvSettings.h"

#include <QTest>

class CsvFieldTest : public QObject
{
    Q_OBJECT

private slots:
    void kinds_data();
    void kinds();
    void decimal_data();
    void decimal();
};

void CsvFieldTest::kinds_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("written");

    QTest::newRow("plain") << "plain"
                           << "a\"b;c"
                           << "a\"b;c";
    QTest::newRow("quoted doubles quotes") << "quoted"
                                           << "a\"bc"
                                           << "\"a\"\"bc\"";
    QTest::newRow("quoted keeps separators") << "quoted"
                                             << "Pad, front"
                                             << "\"Pad, front\"";
    QTest::newRow("quoted keeps line breaks") << "quoted"
                                              << "one\r\ntwo"
                                              << "\"one\r\ntwo\"";
    QTest::newRow("quoted empty") << "quoted"
                                  << ""
                                  << "\"\"";
    QTest::newRow("quoted quotes at both ends") << "quoted"
                                                << "\"a\""
                                                << "\"\"\"a\"\"\"";
    QTest::newRow("quoted keeps UTF-8") << "quoted"
                                        << "Brzdová \"€\""
                                        << "\"Brzdová \"\"€\"\"\"";
    QTest::newRow("verbatim") << "verbatim"
                              << "EUR"
                              << "\"EUR\"";
    QTest::newRow("verbatim empty") << "verbatim"
                                    << ""
                                    << "\"\"";
    QTest::newRow("verbatim never doubles") << "verbatim"
                                            << "a\"b"
                                            << "\"a\"b\"";
    QTest::newRow("trade number") << "trade"
                                  << "AB 12/7"
                                  << "\"'AB 12/7\"";
    QTest::newRow("trade number never doubles") << "trade"
                                                << "A\"1"
                                                << "\"'A\"1\"";
    QTest::newRow("trade number empty") << "trade"
                                        << ""
                                        << "\"'\"";
}

void CsvFieldTest::kinds()
{
    QFETCH(QString, kind);
    QFETCH(QString, text);
    QFETCH(QString, written);

    // Appended behind what the line already holds, in UTF-8.
    QByteArray line = "x;";
    if (kind == "plain")
        CsvField::appendPlain(line, text.toUtf8());
    else if (kind == "quoted")
        CsvField::appendQuoted(line, text.toUtf8());
    else if (kind == "verbatim")
        CsvField::appendQuotedVerbatim(line, text.toUtf8());
    else
        CsvField::appendTradeNumber(line, text.toUtf8());
    QCOMPARE(QString::fromUtf8(line), "x;" + written);
    if (kind == "quoted")
        QCOMPARE(CsvField::quoted(text), written);
    if (kind == "verbatim")
        QCOMPARE(CsvField::quotedVerbatim(text), written);
}

void CsvFieldTest::decimal_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("decimalSeparator");
    QTest::addColumn<QString>("separator");
    QTest::addColumn<QString>("written");

    QTest::newRow("comma to point") << "12,5"
                                    << "."
                                    << ";"
                                    << "12.5";
    QTest::newRow("point to comma") << "1.25"
                                    << ","
                                    << ";"
                                    << "1,25";
    QTest::newRow("point stays point") << "12.50000"
                                       << "."
                                       << ";"
                                       << "12.50000";
    QTest::newRow("comma stays comma") << "12,5"
                                       << ","
                                       << ";"
                                       << "12,5";
    QTest::newRow("integer") << "7"
                             << ","
                             << ";"
                             << "7";
    QTest::newRow("NULL") << ""
                          << "."
                          << ";"
                          << "";
    QTest::newRow("tab separator") << "1.25"
                                   << ","
                                   << "\t"
                                   << "1,25";
    QTest::newRow("comma in a comma list is quoted") << "1.25"
                                                     << ","
                                                     << ","
                                                     << "\"1,25\"";
    QTest::newRow("point in a comma list") << "1,25"
                                           << "."
                                           << ","
                                           << "1.25";
}

void CsvFieldTest::decimal()
{
    QFETCH(QString, text);
    QFETCH(QString, decimalSeparator);
    QFETCH(QString, separator);
    QFETCH(QString, written);
    CsvSettings settings;
    settings.decimalSeparator = decimalSeparator;
    settings.separator = separator;

    QByteArray line = "x;";
    CsvField::appendDecimal(line, text.toUtf8(), settings);
    QCOMPARE(QString::fromUtf8(line), "x;" + written);
}

QTEST_GUILESS_MAIN(CsvFieldTest)
#include "CsvFieldTest.moc"
