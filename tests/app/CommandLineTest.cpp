#include "CommandLine.h"
#include "ProgramCopy.h"
#include "SshServer.h"
#include "TestCatalog.h"
#include "TestFolder.h"
#include "TestStore.h"
#include "platform/ProgramFolder.h"
#include "settings/PageSettings.h"
#include "settings/SettingsFile.h"

#include <QDir>
#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <sys/stat.h>

namespace {

using Result = ProgramCopy::Result;

// The data lines of one export file: after its byte-order mark and header, without line ends.
QStringList dataLines(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {QStringLiteral("<missing ") + path + u'>'};
    QStringList lines = QString::fromUtf8(file.readAll().mid(3)).split(QStringLiteral("\r\n"));
    lines.removeFirst();
    lines.removeLast();
    return lines;
}

QString header(const QString& path)
{
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return QString::fromUtf8(file.readLine().mid(3)).trimmed();
}

QStringList firstFields(const QStringList& lines, QChar separator)
{
    QStringList fields;
    for (const QString& line : lines)
        fields << line.section(separator, 0, 0);
    return fields;
}

} // namespace

// The program run as a scheduled job would run it: the real executable, copied into a folder
// that holds its settings file, without a display, against the test server.
class TestCommandLine : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        m_store = std::make_unique<TestStore>(QStringLiteral("command_line"));
        TestCatalog::addBrand(*m_store, 1, QStringLiteral("Beta"));
        TestCatalog::addBrand(*m_store, 2, QStringLiteral("Alpha"));
        TestCatalog::addProducts(*m_store, 1, 10, 2, QStringLiteral("Beta part"));
        TestCatalog::addProducts(*m_store, 2, 1, 3, QStringLiteral("Alpha part"));
        m_store->exec(QStringLiteral(
            "CREATE TABLE received (n INT AUTO_INCREMENT PRIMARY KEY, v VARCHAR(20) NOT NULL)"));

        m_folder = std::make_unique<TestFolder>();
        m_program = std::make_unique<ProgramCopy>(QStringLiteral(VELMORA_EXECUTABLE), m_folder->path());
        QVERIFY(m_program->isReady());

        ConnectionProfile shop = m_store->profile(QStringLiteral("Shop"));
        shop.savePassword = true;
        shop.add();
        m_store->profile(QStringLiteral("Locked")).add(); // its password is not saved
        // A store whose brand names hold a comma or are shared.
        m_brandStore = std::make_unique<TestStore>(QStringLiteral("command_line_brands"));
        const QList<std::pair<int, QString>> brands = {
            {1, "Continental, Inc."}, {2, "Delphi"}, {3, "Delphi"}, {4, "Bosch"}};
        for (const auto& [id, name] : brands) {
            TestCatalog::addBrand(*m_brandStore, id, name);
            TestCatalog::addProducts(*m_brandStore, id, id, 1);
        }
        ConnectionProfile brandProfile = m_brandStore->profile(QStringLiteral("Brands"));
        brandProfile.savePassword = true;
        brandProfile.add();
        ConnectionProfile down = shop;
        down.name = QStringLiteral("Down");
        down.port = QStringLiteral("1"); // nothing listens there
        down.add();

        // The EXPORT page as the operator left it: TAB between fields, three lines a file,
        // QUANTITY and the product's name ticked.
        PageSettings page;
        page.listSeparator = 2;
        page.maxRowInCsv = QStringLiteral("3");
        page.exportColumns[4] = true;
        page.seoColumns[3] = true;
        page.tickIdentifierColumns();
        IniFile file = SettingsFile::open();
        page.save(file);
    }

    void cleanupTestCase()
    {
        m_folder.reset();
        m_brandStore.reset();
        m_store.reset();
    }

    void priceExportWritesTheNamedBrandsWithThePageSettings()
    {
        QTemporaryDir out;
        const Result r = velmora({"export", "--profile", "shop", "--brands", "alpha", "--columns",
                                  "price,namepart", "--folder", out.path()});
        QCOMPARE(r.code, int(CommandLine::Done));
        QCOMPARE(header(out.filePath("F1.csv")).section(u'\t', 0, 2),
                 QStringLiteral("\"IDPART\"\tNAMEPART\tPRICE"));
        QCOMPARE(firstFields(dataLines(out.filePath("F1.csv")), u'\t'), QStringList({"1", "2"}));
        QCOMPARE(firstFields(dataLines(out.filePath("F2.csv")), u'\t'), QStringList({"3"}));
        QCOMPARE(dataLines(out.filePath("F2.csv")).first().split(u'\t').size(), 3);
        QVERIFY(!QFile::exists(out.filePath("F3.csv")));
        QVERIFY2(r.err.contains("processing  brand [Alpha]\n") && !r.err.contains("Beta"), qPrintable(r.err));
        QVERIFY2(r.err.contains("Number export file : 2\n"), qPrintable(r.err));
        QVERIFY2(r.err.endsWith("Number export row : 3\n"), qPrintable(r.err));
    }

    // The password of a profile without one comes from the environment or standard input.
    void priceExportDefaultsToEveryBrandAndThePageColumns_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QByteArray>("environment");
        QTest::addColumn<QByteArray>("input");
        QTest::newRow("saved password") << QStringList{"--profile", "Shop"} << QByteArray() << QByteArray();
        QTest::newRow("password from the environment")
            << QStringList{"--profile", "Locked"} << m_store->profile("x").password.toUtf8() << QByteArray();
        QTest::newRow("password from standard input")
            << QStringList{"--profile", "Locked", "--password-stdin"} << QByteArray("wrong")
            << m_store->profile("x").password.toUtf8() + "\n";
    }

    void priceExportDefaultsToEveryBrandAndThePageColumns()
    {
        QFETCH(QStringList, options);
        QFETCH(QByteArray, environment);
        QFETCH(QByteArray, input);
        QTemporaryDir out;
        const Result r = velmora(QStringList{"export", "--folder", out.path()} + options, input, environment);
        QCOMPARE(r.code, int(CommandLine::Done));
        QVERIFY(header(out.filePath("F1.csv")).startsWith(QStringLiteral("\"IDPART\"\tQUANTITY\t\"note")));
        QCOMPARE(firstFields(dataLines(out.filePath("F1.csv")) + dataLines(out.filePath("F2.csv")) +
                                 dataLines(out.filePath("F3.csv")),
                             u'\t'),
                 QStringList({"1", "2", "3", "10", "11"}));
        QVERIFY2(r.err.indexOf("brand [Alpha]") < r.err.indexOf("brand [Beta]"), qPrintable(r.err));
    }

    // A brand name that holds a comma is named whole with --brand; a name that several brands
    // share takes them all, and says so.
    void brandsNamedOneByOne_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("code");
        QTest::addColumn<QStringList>("ids");
        QTest::addColumn<QString>("said");
        const QString shared =
            QStringLiteral("The brand name [delphi] stands for 2 brands: all of them are exported");
        QTest::newRow("price export")
            << QStringList{"export", "--brand", "Continental, Inc.", "--brands", "delphi"}
            << int(CommandLine::Done) << QStringList({"1", "2", "3"}) << shared;
        QTest::newRow("SEO export") << QStringList{"seo-export", "--brand", "Continental, Inc.", "--brand",
                                                   "delphi"}
                                    << int(CommandLine::Done) << QStringList({"1", "2", "3"}) << shared;
        QTest::newRow("one brand of a shared name")
            << QStringList{"export", "--brand", "Bosch"} << int(CommandLine::Done) << QStringList{"4"}
            << QString();
        QTest::newRow("comma list cuts the name")
            << QStringList{"export", "--brands", "Continental, Inc."} << int(CommandLine::BadArguments)
            << QStringList() << QStringLiteral("Unknown brand: Continental");
        QTest::newRow("unknown whole name")
            << QStringList{"export", "--brand", "Continental"} << int(CommandLine::BadArguments)
            << QStringList() << QStringLiteral("Unknown brand: Continental");
    }

    void brandsNamedOneByOne()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, code);
        QFETCH(QStringList, ids);
        QFETCH(QString, said);
        QTemporaryDir out;
        const Result r = velmora(arguments + QStringList{"--profile", "Brands", "--folder", out.path()});
        QCOMPARE(r.code, code);
        const QString base =
            arguments.first() == u"export" ? QStringLiteral("F") : QStringLiteral("SeoProduct");
        QStringList lines;
        for (int n = 1; QFile::exists(out.filePath(base + QString::number(n) + ".csv")); ++n)
            lines += dataLines(out.filePath(base + QString::number(n) + ".csv"));
        QStringList exported = firstFields(lines, u'\t');
        std::sort(exported.begin(), exported.end());
        QCOMPARE(exported, ids);
        QVERIFY2(said.isEmpty() ? !r.err.contains("stands for") : r.err.contains(said), qPrintable(r.err));
    }

    void seoExportWritesTheStoredTexts()
    {
        QTemporaryDir out;
        const Result r =
            velmora({"seo-export", "--profile", "Shop", "--brands", "Beta", "--folder", out.path()});
        QCOMPARE(r.code, int(CommandLine::Done));
        QCOMPARE(header(out.filePath("SeoProduct1.csv")), QStringLiteral("\"IDPART\"\t\"NAMEPART\""));
        QCOMPARE(dataLines(out.filePath("SeoProduct1.csv")),
                 QStringList({"10\t\"Beta part 10\"", "11\t\"Beta part 11\""}));
        QVERIFY2(r.err.contains("processing  brand [Beta]"), qPrintable(r.err));
    }

    void seoGenerationUsesTheNamedTemplates()
    {
        QTemporaryDir out;
        m_folder->write(QStringLiteral("GetData_product_metadesc.txt"), "Buy {BRAND} {NAMEPART}");
        const Result r =
            velmora({"seo-export", "--profile", "Shop", "--brands", "Alpha", "--generate", "--templates",
                     "product:metadesc", "--columns", "PRODUCT:metadesc", "--folder", out.path()});
        QCOMPARE(r.code, int(CommandLine::Done));
        QCOMPARE(dataLines(out.filePath("SeoProduct1.csv")).first(),
                 QStringLiteral("1\t\"Buy Alpha Alpha part 1\""));
    }

    // A scheduled run: the script, the undo script beside it with what it will change on
    // standard error, the run, and the undo script putting the store back.
    void createdScriptIsRunOnTheStoreAndUndone()
    {
        QTemporaryDir lists;
        QFile csv(lists.filePath("prices.csv"));
        QVERIFY(csv.open(QIODevice::WriteOnly));
        csv.write("IDPART;QUANTITY\r\n2;41\r\n11;42\r\n99;7\r\n");
        csv.close();
        QTemporaryDir scripts;
        const QString script = scripts.filePath("update.sql");
        QFile older(script); // one that others could read: the script is the owner's alone all the same
        QVERIFY(
            older.open(QIODevice::WriteOnly) &&
            older.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther));
        older.close();
        const QString stockBefore = "SELECT product_in_stock FROM @PREFIX@virtuemart_products WHERE "
                                    "virtuemart_product_id IN (2, 11) ORDER BY virtuemart_product_id";
        const QStringList before = m_store->column(stockBefore);
        Result r = velmora({"create-script", "--profile", "Shop", "--folder", lists.path(), "--out", script});
        QCOMPARE(r.code, int(CommandLine::Done));
        QCOMPARE(r.out, script + u'\n');
        QVERIFY2(r.err.contains("[+] Open file (" + lists.filePath("prices.csv") + ") ..."),
                 qPrintable(r.err));
        const QStringList undo = QDir(scripts.path()).entryList({"ScriptForUndo-*.sql"}, QDir::Files);
        QCOMPARE(undo.size(), 1);
        const QString undoPath = scripts.filePath(undo.first());
        QCOMPARE(QFile::permissions(script),
                 QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser);
        QCOMPARE(QFile::permissions(undoPath), QFile::permissions(script));
        QVERIFY2(r.err.contains("\nstock: 2 change, 0 stay equal, 0 not in the store.\nUndo script: [" +
                                undoPath + "]\nThe script was created for update, path to the script [" +
                                script + "]\n"),
                 qPrintable(r.err));
        QVERIFY2(r.err.contains("         1 ids above the store's largest id, skipped\n"), qPrintable(r.err));

        r = velmora({"run-script", "--profile", "Shop", script});
        QCOMPARE(r.code, int(CommandLine::Done));
        QVERIFY2(r.err.endsWith("100 %\n"), qPrintable(r.err));
        QCOMPARE(m_store->column(stockBefore), QStringList({"41", "42"}));
        r = velmora({"run-script", "--profile", "Shop", undoPath});
        QCOMPARE(r.code, int(CommandLine::Done));
        QCOMPARE(m_store->column(stockBefore), before);
    }

    // A price the column cannot hold is said on standard error; --strict fails the command.
    void strictCreationFailsOnValuesThatDoNotFit()
    {
        TestFolder lists;
        lists.write("a.csv", "IDPART;PRICE\r\n2;12345678901\r\n");
        const QString said =
            "Value the server would change: price of product 2: 12345678901 is beyond decimal(15,5)\n";
        for (const bool strict : {false, true}) {
            QTemporaryDir out;
            QStringList arguments{"create-script", "--profile",          "Shop", "--folder", lists.path(),
                                  "--out",         out.filePath("u.sql")};
            if (strict)
                arguments << "--strict";
            const Result r = velmora(arguments);
            QCOMPARE(r.code, int(strict ? CommandLine::JobFailed : CommandLine::Done));
            QVERIFY2(r.err.contains(said), qPrintable(r.err));
            QVERIFY(r.err.contains("1 values would be cut, clamped or rounded by the server"));
        }
    }

    // Nobody reads a scheduled run's question: a list whose texts look read in the wrong code
    // page fails it, unless the code page is named for the run.
    void doubtfulCodePageFailsUnlessNamed_data()
    {
        QTest::addColumn<QStringList>("codePage");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("stored");
        QTest::newRow("the page's setting") << QStringList() << int(CommandLine::JobFailed) << QString();
        QTest::newRow("named") << QStringList{"--code-page", "windows-1250"} << int(CommandLine::Done)
                               << QStringLiteral("Šťastný žluťoučký kůň");
        QTest::newRow("unknown") << QStringList{"--code-page", "no-such-page"}
                                 << int(CommandLine::BadArguments) << QString();
    }

    void doubtfulCodePageFailsUnlessNamed()
    {
        QFETCH(QStringList, codePage);
        QFETCH(int, code);
        QFETCH(QString, stored);
        TestFolder lists;
        lists.write("cz.csv",
                    QStringEncoder("windows-1250")
                        .encode(QStringLiteral("IDPART;PRODUCT:metakey\r\n3;Šťastný žluťoučký kůň\r\n")));
        QTemporaryDir out;
        const Result r = velmora(QStringList{"create-script", "--profile", "Shop", "--folder", lists.path(),
                                             "--out", out.filePath("u.sql")} +
                                 codePage);
        QCOMPARE(r.code, code);
        if (code == int(CommandLine::BadArguments))
            return;
        QVERIFY2(r.err.contains(QStringLiteral("The file [%1] was read in ").arg(lists.filePath("cz.csv"))) ==
                     codePage.isEmpty(),
                 qPrintable(r.err));
        if (!stored.isEmpty()) {
            QFile script(out.filePath("u.sql"));
            QVERIFY(script.open(QIODevice::ReadOnly));
            QVERIFY(QString::fromUtf8(script.readAll())
                        .contains(QStringLiteral("Pmain.metakey = '") + stored + u'\''));
        }
    }

    // A supplier's list by trade number; a price beyond --max-change leaves no script.
    void supplierListByTradeNumberWithALimit_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("said");
        QTest::newRow("within the limit")
            << QStringList{"--max-change", "5000"} << int(CommandLine::Done)
            << QStringLiteral("1 rows not matched by trade number: they change nothing.");
        QTest::newRow("beyond the limit")
            << QStringList{"--max-change", "100"} << int(CommandLine::JobFailed)
            << QStringLiteral("Price to check: id 2 2.00000 -> 55 (+2650 %)\n"
                              "No script was written: prices change beyond --max-change.");
        QTest::newRow("limit of nothing")
            << QStringList{"--max-change", "0"} << int(CommandLine::BadArguments)
            << QStringLiteral("--max-change takes a whole percent above 0: 0");
    }

    void supplierListByTradeNumberWithALimit()
    {
        QFETCH(QStringList, options);
        QFETCH(int, code);
        QFETCH(QString, said);
        TestFolder lists;
        lists.write("supplier.csv", "TRADENUMBER;PRICE\r\nSKU-2;55\r\nSKU-99;1\r\n");
        QTemporaryDir out;
        const Result r = velmora(QStringList{"create-script", "--profile", "Brands", "--folder", lists.path(),
                                             "--out", out.filePath("u.sql"), "--match-by", "tradenumber"} +
                                 options);
        QCOMPARE(r.code, code);
        QVERIFY2(r.err.contains(said), qPrintable(r.err));
        QCOMPARE(QFile::exists(out.filePath("u.sql")), code == int(CommandLine::Done));
        QCOMPARE(QDir(out.path()).entryList({"ScriptForUndo-*"}).size(),
                 code == int(CommandLine::Done) ? 1 : 0);
    }

    // The changed values as CSV, and no file written anywhere.
    void previewPrintsTheChangesAndWritesNothing()
    {
        TestFolder lists;
        lists.write("a.csv", "IDPART;PRICE\r\n2;2.5\r\n3;3\r\n");
        lists.write("b.csv", "IDPART;PRODUCT:metadesc\r\n2;\"Fast, \"\"new\"\"\"\r\n");
        const QStringList programFolder = QDir(m_folder->path()).entryList(QDir::Files);
        const Result r = velmora({"preview", "--profile", "Shop", "--folder", lists.path()});
        QCOMPARE(r.code, int(CommandLine::Done));
        QCOMPARE(r.out.split(u'\n'),
                 QStringList({"Kind,Id,Old value,New value,Change %", "price,2,2.00000,2.5,25",
                              "product metadesc,2,NULL,\"Fast, \"\"new\"\"\",", ""}));
        QCOMPARE(QDir(lists.path()).entryList(QDir::Files), QStringList({"a.csv", "b.csv"}));
        QCOMPARE(QDir(m_folder->path()).entryList(QDir::Files), programFolder);
        QVERIFY2(!r.err.contains("Undo script"), qPrintable(r.err));
    }

    // Through a tunnel the jobs give what they give without one, and the tunnel ends with them.
    void jobsThroughAnSshTunnel()
    {
        SshServer ssh;
        if (!ssh.failure().isEmpty())
            QSKIP(qPrintable(ssh.failure()));
        ProgramFolder::setOverride(m_folder->path()); // where the program copy keeps its settings
        ConnectionProfile tunneled = ConnectionProfile::load(QStringLiteral("Shop"));
        tunneled.name = QStringLiteral("Tunneled");
        tunneled.storeTypeText = ConnectionProfile::VirtueMart2TypeText;
        tunneled.savePassword = true;
        tunneled.throughSsh = true;
        tunneled.sshHost = ssh.route().host;
        tunneled.sshPort = QString::number(ssh.port());
        tunneled.sshKeyFile = ssh.acceptedKey();
        tunneled.add();
        TestFolder lists;
        lists.write("a.csv", "IDPART;PRICE\r\n2;2.5\r\n");
        for (const QStringList& job : {QStringList{"export", "--brands", "alpha", "--folder", "@out"},
                                       QStringList{"seo-export", "--brands", "alpha", "--folder", "@out"},
                                       QStringList{"preview", "--folder", lists.path()}}) {
            QTemporaryDir direct;
            QTemporaryDir through;
            const Result d = velmora(QStringList(job).replaceInStrings("@out", direct.path()) +
                                     QStringList{"--profile", "Shop"});
            const Result t = velmora(QStringList(job).replaceInStrings("@out", through.path()) +
                                     QStringList{"--profile", "Tunneled"});
            QVERIFY2(t.code == int(CommandLine::Done), qPrintable(t.err));
            QCOMPARE(t.code, d.code);
            QCOMPARE(t.out, d.out);
            const QStringList files = QDir(direct.path()).entryList(QDir::Files);
            QCOMPARE(QDir(through.path()).entryList(QDir::Files), files);
            for (const QString& name : files) {
                QFile a(direct.filePath(name));
                QFile b(through.filePath(name));
                QVERIFY(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
                QCOMPARE(b.readAll(), a.readAll());
            }
            QCOMPARE(ssh.tunnelsRunning(), 0);
        }

        // The import: the same script, run through the tunnel and undone through it.
        QTemporaryDir direct;
        QTemporaryDir through;
        QCOMPARE(velmora({"create-script", "--profile", "Shop", "--folder", lists.path(), "--out",
                          direct.filePath("u.sql")})
                     .code,
                 int(CommandLine::Done));
        QCOMPARE(velmora({"create-script", "--profile", "Tunneled", "--folder", lists.path(), "--out",
                          through.filePath("u.sql")})
                     .code,
                 int(CommandLine::Done));
        QFile directScript(direct.filePath("u.sql"));
        QFile script(through.filePath("u.sql"));
        QVERIFY(directScript.open(QIODevice::ReadOnly) && script.open(QIODevice::ReadOnly));
        QCOMPARE(script.readAll(), directScript.readAll());
        const QString price = "SELECT product_price FROM @PREFIX@virtuemart_product_prices "
                              "WHERE virtuemart_product_id = 2";
        const QString before = m_store->value(price);
        QCOMPARE(velmora({"run-script", "--profile", "Tunneled", script.fileName()}).code,
                 int(CommandLine::Done));
        QCOMPARE(m_store->value("SELECT COUNT(*) FROM @PREFIX@virtuemart_product_prices "
                                "WHERE virtuemart_product_id = 2 AND product_price = 2.5"),
                 QStringLiteral("1"));
        const QStringList undo = QDir(through.path()).entryList({"ScriptForUndo-*.sql"}, QDir::Files);
        QCOMPARE(undo.size(), 1);
        QCOMPARE(velmora({"run-script", "--profile", "Tunneled", through.filePath(undo.first())}).code,
                 int(CommandLine::Done));
        QCOMPARE(m_store->value(price), before);
        QCOMPARE(ssh.tunnelsRunning(), 0);
    }

    // The window goes on after a failing statement; so does the command, but it fails.
    void failingStatementFailsTheScriptRun()
    {
        QTemporaryDir dir;
        QFile file(dir.filePath("three.sql"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("INSERT INTO received (v) VALUES ('a');\r\nINSERT INTO received (v) VALUES (NULL);\r\n"
                   "INSERT INTO received (v) VALUES ('c');\r\n");
        file.close();
        const Result r = velmora({"run-script", "--profile", "Shop", file.fileName()});
        QCOMPARE(r.code, int(CommandLine::JobFailed));
        QCOMPARE(m_store->column("SELECT v FROM received ORDER BY n"), QStringList({"a", "c"}));
        QVERIFY2(r.err.contains("cannot be null") && r.err.endsWith("The script run reported 1 error(s)\n"),
                 qPrintable(r.err));
    }

    void unreadablePriceListFailsTheCreation()
    {
        QTemporaryDir lists;
        QFile xls(lists.filePath("old.xls"));
        QVERIFY(xls.open(QIODevice::WriteOnly));
        xls.write(QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1") + QByteArray(600, '\0'));
        xls.close();
        const QString script = lists.filePath("update.sql");
        const Result r =
            velmora({"create-script", "--profile", "Shop", "--folder", lists.path(), "--out", script}, {}, {},
                    "/nonexistent");
        QCOMPARE(r.code, int(CommandLine::JobFailed));
        QVERIFY2(
            r.err.contains(
                " : LibreOffice is needed to read this file's format (.xls), but it is not installed !\n"),
            qPrintable(r.err));
        QVERIFY2(
            r.err.contains("\nThe creation ended by a failure: the script holds only the files before it.\n"),
            qPrintable(r.err));
    }

    void failures_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("message");
        const int bad = CommandLine::BadArguments;
        const int connection = CommandLine::ConnectionFailed;
        const int job = CommandLine::JobFailed;
        QTest::newRow("unknown command")
            << QStringList{"frobnicate"} << bad << QStringLiteral("Unknown command: frobnicate");
        QTest::newRow("unknown option")
            << QStringList{"export", "--profile", "Shop", "--folder", "@OUT@", "--colour", "red"} << bad
            << QStringLiteral("Unknown option 'colour'.");
        QTest::newRow("missing value") << QStringList{"export", "--folder", "@OUT@", "--profile"} << bad
                                       << QStringLiteral("Missing value after '--profile'.");
        QTest::newRow("missing profile") << QStringList{"export", "--folder", "@OUT@"} << bad
                                         << QStringLiteral("Missing option: --profile");
        QTest::newRow("missing folder") << QStringList{"seo-export", "--profile", "Shop"} << bad
                                        << QStringLiteral("Missing option: --folder");
        QTest::newRow("unknown profile") << QStringList{"export", "--profile", "Nowhere", "--folder", "@OUT@"}
                                         << bad << QStringLiteral("Unknown profile: Nowhere");
        QTest::newRow("unknown brand")
            << QStringList{"export", "--profile", "Shop", "--brands", "Alpha,Delta", "--folder", "@OUT@"}
            << bad << QStringLiteral("Unknown brand: Delta");
        QTest::newRow("unknown column")
            << QStringList{"export", "--profile", "Shop", "--columns", "COLOUR", "--folder", "@OUT@"} << bad
            << QStringLiteral("Unknown column: COLOUR (columns: IDPART,BRAND,");
        QTest::newRow("unknown template")
            << QStringList{"seo-export",  "--profile",       "Shop",     "--generate",
                           "--templates", "PRODUCT:metakey", "--folder", "@OUT@"}
            << bad << QStringLiteral("Unknown template: PRODUCT:metakey");
        QTest::newRow("templates without generation")
            << QStringList{"seo-export", "--profile", "Shop", "--templates", "all", "--folder", "@OUT@"}
            << bad << QStringLiteral("--templates goes with --generate");
        QTest::newRow("unknown price list")
            << QStringList{"create-script", "--profile", "Shop", "--folder", "@OUT@", "--files", "a.csv"}
            << bad << QStringLiteral("Unknown file: a.csv");
        QTest::newRow("script run without a file") << QStringList{"run-script", "--profile", "Shop"} << bad
                                                   << QStringLiteral("Expected 1 file argument(s), got 0");
        QTest::newRow("server not reached")
            << QStringList{"export", "--profile", "Down", "--folder", "@OUT@"} << connection
            << QStringLiteral("Can't connect to server on '127.0.0.1'");
        QTest::newRow("password refused") << QStringList{"run-script", "--profile", "Locked", "@OUT@/x.sql"}
                                          << connection << QStringLiteral("Access denied for user");
        QTest::newRow("export folder missing")
            << QStringList{"export", "--profile", "Shop", "--folder", "@OUT@/none"} << job
            << QStringLiteral("path to the specified folder [@OUT@/none/] does not exist !");
        QTest::newRow("SEO folder missing")
            << QStringList{"seo-export", "--profile", "Shop", "--folder", "@OUT@/none"} << job
            << QStringLiteral("path to the specified folder [@OUT@/none/] does not exist !");
        QTest::newRow("price-list folder missing")
            << QStringList{"create-script", "--profile", "Shop", "--folder", "@OUT@/none"} << job
            << QStringLiteral("path to the specified folder [@OUT@/none/] does not exist !");
        QTest::newRow("script file missing")
            << QStringList{"run-script", "--profile", "Shop", "@OUT@/none.sql"} << job
            << QStringLiteral("@OUT@/none.sql");
        QTest::newRow("SEO columns without texts")
            << QStringList{"seo-export", "--profile", "Shop", "--columns", "IDPART", "--folder", "@OUT@"}
            << job << QStringLiteral("You have not selected items except values : IDPART, IDCATEGORY !!!");
    }

    void failures()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, code);
        QFETCH(QString, message);
        QTemporaryDir out;
        arguments.replaceInStrings(QStringLiteral("@OUT@"), out.path());
        const Result r = velmora(arguments);
        QCOMPARE(r.code, code);
        QVERIFY2(r.err.contains(message.replace(QStringLiteral("@OUT@"), out.path())), qPrintable(r.err));
        QCOMPARE(r.out, QString());
        QCOMPARE(QDir(out.path()).entryList(QDir::Files), QStringList());
    }

    // Only regular files are read or written: a pipe would hold the run for ever. A folder that
    // cannot be read fails the run rather than giving a script of nothing.
    void pipesAndUnreadableFoldersFail_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("message");
        QTest::newRow("script is a pipe")
            << QStringList{"run-script", "--profile", "Shop", "@OUT@/pipe"}
            << QStringLiteral("Cannot open file \"@OUT@/pipe\". not a regular file");
        QTest::newRow("script written onto a pipe")
            << QStringList{"create-script", "--profile", "Shop",      "--folder",
                           "@OUT@/lists",   "--out",     "@OUT@/pipe"}
            << QStringLiteral("Cannot create file \"@OUT@/pipe\". not a regular file");
        QTest::newRow("folder that cannot be read")
            << QStringList{"create-script", "--profile", "Shop",       "--folder",
                           "@OUT@/locked",  "--out",     "@OUT@/u.sql"}
            << QStringLiteral("cannot read the folder [@OUT@/locked/] !");
    }

    void pipesAndUnreadableFoldersFail()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, message);
        QTemporaryDir out;
        QVERIFY(QDir(out.path()).mkdir("lists") && QDir(out.path()).mkdir("locked"));
        QVERIFY(QFile::setPermissions(out.filePath("locked"), {}));
        QCOMPARE(::mkfifo(QFile::encodeName(out.filePath("pipe")).constData(), 0600), 0);
        arguments.replaceInStrings(QStringLiteral("@OUT@"), out.path());
        const Result r = m_program->runBoundByFileModes(arguments);
        QFile::setPermissions(out.filePath("locked"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QCOMPARE(r.code, int(CommandLine::JobFailed));
        QVERIFY2(r.err.contains(message.replace(QStringLiteral("@OUT@"), out.path())), qPrintable(r.err));
        QCOMPARE(r.out, QString());
        QVERIFY(!QFile::exists(out.filePath("u.sql")));
    }

    void helpAndVersion_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("output");
        QTest::newRow("help") << QStringList{"--help"}
                              << QStringLiteral("Exit codes:\n  0  done\n  2  bad arguments");
        QTest::newRow("help of a command")
            << QStringList{"run-script", "-h"} << QStringLiteral("run-script --profile NAME FILE");
        QTest::newRow("version") << QStringList{"--version"}
                                 << QStringLiteral("velmora " VELMORA_VERSION "\n");
    }

    void helpAndVersion()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, output);
        const Result r = velmora(arguments);
        QCOMPARE(r.code, int(CommandLine::Done));
        QVERIFY2(r.out.contains(output), qPrintable(r.out));
        QCOMPARE(r.err, QString());
    }

private:
    Result velmora(const QStringList& arguments, const QByteArray& input = {},
                   const QByteArray& password = {}, const QString& path = {}) const
    {
        return m_program->run(arguments, input, password, path);
    }

    std::unique_ptr<TestStore> m_store;
    std::unique_ptr<TestStore> m_brandStore;
    std::unique_ptr<TestFolder> m_folder;
    std::unique_ptr<ProgramCopy> m_program;
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "CommandLineTest.moc"
