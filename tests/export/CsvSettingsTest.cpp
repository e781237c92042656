#include "export/CsvSettings.h"

#include "TestFolder.h"
#include "platform/CheckFailure.h"

#include <QDir>
#include <QTest>
#include <optional>

class CsvSettingsTest : public QObject
{
    Q_OBJECT

private slots:
    void pathChecks_data();
    void pathChecks();
    void values_data();
    void values();
};

// "<dir>" in a path text stands for the test folder.
void CsvSettingsTest::pathChecks_data()
{
    QTest::addColumn<QString>("pathText");
    QTest::addColumn<QString>("folder");  // what a started run uses
    QTest::addColumn<QString>("message"); // what a refused run shows

    QTest::newRow("empty") << ""
                           << ""
                           << "Path for export not specified !";
    QTest::newRow("blanks") << "   "
                            << ""
                            << "Path for export not specified !";
    QTest::newRow("missing folder") << "<dir>/missing"
                                    << ""
                                    << "path to the specified folder [<dir>/missing/] does not exist !";
    QTest::newRow("a file, not a folder")
        << "<dir>/file.txt"
        << ""
        << "path to the specified folder [<dir>/file.txt/] does not exist !";
    QTest::newRow("trailing blank kept") << "<dir> "
                                         << ""
                                         << "path to the specified folder [<dir> /] does not exist !";
    QTest::newRow("folder") << "<dir>"
                            << "<dir>/"
                            << "";
    QTest::newRow("folder with separator") << "<dir>/"
                                           << "<dir>/"
                                           << "";
}

void CsvSettingsTest::pathChecks()
{
    QFETCH(QString, pathText);
    QFETCH(QString, folder);
    QFETCH(QString, message);
    TestFolder dir;
    dir.write("file.txt", "x");
    const auto expand = [&](QString text) { return text.replace("<dir>", dir.path()); };

    std::optional<CsvSettings> settings;
    QString refusal;
    try {
        settings = CsvSettings::read({expand(pathText), "10000", ";", "."});
    } catch (const CheckFailure& failure) {
        refusal = failure.message();
    }

    QCOMPARE(settings.has_value(), message.isEmpty());
    QCOMPARE(refusal, expand(message));
    if (settings)
        QCOMPARE(settings->folder, expand(folder));
}

void CsvSettingsTest::values_data()
{
    QTest::addColumn<QString>("rowLimitText");
    QTest::addColumn<QString>("separatorText");
    QTest::addColumn<QString>("decimalText");
    QTest::addColumn<int>("rowLimit");
    QTest::addColumn<QString>("separator");
    QTest::addColumn<QString>("decimalSeparator");

    QTest::newRow("as chosen") << "25"
                               << ","
                               << "," << 25 << ","
                               << ",";
    QTest::newRow("semicolon and point") << "10000"
                                         << ";"
                                         << "." << 10000 << ";"
                                         << ".";
    QTest::newRow("TAB is the tab character") << "1"
                                              << "TAB"
                                              << "." << 1 << "\t"
                                              << ".";
    QTest::newRow("zero and below are kept") << "0"
                                             << ";"
                                             << "." << 0 << ";"
                                             << ".";
    QTest::newRow("negative") << "-3"
                              << ";"
                              << "." << -3 << ";"
                              << ".";
    QTest::newRow("letters") << "abc"
                             << ";"
                             << "." << 10000 << ";"
                             << ".";
    QTest::newRow("empty limit") << ""
                                 << ";"
                                 << "." << 10000 << ";"
                                 << ".";
    QTest::newRow("digits then letters") << "12x"
                                         << ";"
                                         << "." << 10000 << ";"
                                         << ".";
    QTest::newRow("nothing chosen") << "10000"
                                    << ""
                                    << "" << 10000 << ";"
                                    << ".";
    QTest::newRow("blank entries") << "10000"
                                   << "  "
                                   << " " << 10000 << ";"
                                   << ".";
}

void CsvSettingsTest::values()
{
    QFETCH(QString, rowLimitText);
    QFETCH(QString, separatorText);
    QFETCH(QString, decimalText);
    QFETCH(int, rowLimit);
    QFETCH(QString, separator);
    QFETCH(QString, decimalSeparator);
    TestFolder dir;

    const CsvSettings settings = CsvSettings::read({dir.path(), rowLimitText, separatorText, decimalText});

    QCOMPARE(settings.rowLimit, rowLimit);
    QCOMPARE(settings.separator, separator);
    QCOMPARE(settings.decimalSeparator, decimalSeparator);
}

QTEST_GUILESS_MAIN(CsvSettingsTest)
#include "CsvSettingsTest.moc"
