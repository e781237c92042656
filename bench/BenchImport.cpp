// Drives the import page of the real window against a demo store and prints figures.
//   bench_import pricelist CONNECTION_INI FILE        - writes an edited price list of every product
//                                                      in the price export's CSV form
//   bench_import import CONNECTION_INI LIST FOLDER    - creates the update script from LIST in FOLDER
//                                                      (the program's folder), answering No at the end
//   bench_import run CONNECTION_INI SCRIPT FOLDER     - runs SCRIPT through the manual start
//   bench_import read LIST                            - opens LIST as the import does and reads every
//                                                      row: the reader's own time, without a store
//   bench_import create CONNECTION_INI LIST FOLDER    - creates the update script from LIST in FOLDER
//                                                      without the window and its review: the time to
//                                                      the finished script and the memory it took
//   bench_import match CONNECTION_INI LIST FOLDER     - creates the script from LIST once by IDPART and
//                                                      once by TRADENUMBER (and BRAND): the cost of
//                                                      reading the store's trade numbers and matching
#include "BenchSupport.h"
#include "DemoStore.h"
#include "DropDownComboBox.h"
#include "MainWindow.h"
#include "WindowControls.h"
#include "db/DbConnection.h"
#include "db/DbQuery.h"
#include "export/PriceFileLayout.h"
#include "import/CreationProgress.h"
#include "import/ScriptCreation.h"
#include "import/TradeNumberIndex.h"
#include "import/UpdateScript.h"
#include "platform/AppError.h"
#include "platform/Job.h"
#include "platform/ProgramFolder.h"
#include "platform/TextDecoding.h"
#include "settings/IniFile.h"
#include "sheets/SpreadsheetReader.h"
#include "store/StoreSchema.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <cmath>
#include <cstdio>
#include <optional>

namespace {

// Every product with its values edited as an operator would in a spreadsheet program:
// prices up by 5 %, stock recounted, every ninth product's publication switched.
bool writePriceList(const DemoStore& store, const QString& path)
{
    DbConnection connection(QStringLiteral("bench"));
    store.connect(connection);
    const StoreSchema schema = store.schema();
    DbQuery query(QStringLiteral("bench"), connection);
    query.sql << QStringLiteral("SELECT Pmain.virtuemart_product_id as IDPART, M2.mf_name as BRAND, "
                                "Pmain.product_sku as TRADENUMBER, Pdesc.product_name as NAMEPART, "
                                "Pmain.product_in_stock as QUANTITY, Price.product_price as PRICE, "
                                "Currenc.currency_code_3 as CURRENCY, Pmain.published as PUBLISHED")
              << QStringLiteral("FROM ") + schema.productManufacturers() + QStringLiteral(" as M1")
              << QStringLiteral("JOIN ") + schema.products() +
                     QStringLiteral(" as Pmain ON Pmain.virtuemart_product_id = M1.virtuemart_product_id")
              << QStringLiteral("LEFT JOIN ") + schema.productTexts() +
                     QStringLiteral(" as Pdesc ON Pdesc.virtuemart_product_id = Pmain.virtuemart_product_id")
              << QStringLiteral("LEFT JOIN ") + schema.productPrices() +
                     QStringLiteral(" as Price ON Price.virtuemart_product_id = Pmain.virtuemart_product_id")
              << QStringLiteral("LEFT JOIN ") + schema.currencies() +
                     QStringLiteral(" as Currenc ON Currenc.virtuemart_currency_id = Price.product_currency")
              << QStringLiteral("LEFT JOIN ") + schema.manufacturers() +
                     QStringLiteral(" as M2 ON M2.virtuemart_manufacturer_id = M1.virtuemart_manufacturer_id")
              << QStringLiteral("ORDER BY M2.mf_name, Pmain.virtuemart_product_id");
    query.open();

    CsvSettings settings;
    settings.separator = QStringLiteral(";");
    settings.decimalSeparator = QStringLiteral(".");
    const PriceFileLayout layout(PriceFileLayout::columnNames(), settings);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QByteArray bytes = QByteArrayLiteral("\xEF\xBB\xBF") + layout.headerLine().toUtf8() + "\r\n";
    const QStringList& names = PriceFileLayout::columnNames();
    QByteArray line;
    QByteArray scratch;
    for (; !query.eof(); query.next()) {
        const int id = query.fieldByName(QStringLiteral("IDPART")).toInt();
        const auto value = [&](int index) -> QByteArrayView {
            const QString& column = names[index];
            const QString text = query.fieldByName(column);
            if (column == u"PRICE" && !text.isEmpty())
                scratch = QByteArray::number(std::round(text.toDouble() * 105) / 100, 'f', 2);
            else if (column == u"QUANTITY" && !text.isEmpty())
                scratch = QByteArray::number((text.toInt() * 7 + 3) % 60);
            else if (column == u"PUBLISHED" && id % 9 == 0)
                scratch = text == u"True" ? "False" : "True";
            else
                scratch = text.toUtf8();
            return scratch;
        };
        layout.fillDataLine(line, value);
        bytes += line + "\r\n";
    }
    return file.write(bytes) == bytes.size() && file.flush();
}

// The window connected on the IMPORT page, the list folder chosen and only the given file ticked.
void connectImportPage(MainWindow& form, const QString& listFile)
{
    form.show();
    form.showPage(QStringLiteral("IMPORT"));
    if (!listFile.isEmpty())
        control<QLineEdit>(form, "Edit9")->setText(QFileInfo(listFile).absolutePath());
    emit control<DropDownComboBox>(form, "ComboBox8")->aboutToDropDown();
    control<DropDownComboBox>(form, "ComboBox8")
        ->setCurrentIndex(
            control<DropDownComboBox>(form, "ComboBox8")->findText(QStringLiteral("Demo store")));
    control<QPushButton>(form, "SpeedButton13")->click();
    const QString wanted = QFileInfo(listFile).absoluteFilePath();
    for (int i = 0; i < control<QListWidget>(form, "CheckListBox2")->count(); ++i) {
        QListWidgetItem* item = control<QListWidget>(form, "CheckListBox2")->item(i);
        item->setCheckState(QFileInfo(item->text()).absoluteFilePath() == wanted ? Qt::Checked
                                                                                 : Qt::Unchecked);
    }
}

qsizetype statementCount(const QString& script)
{
    QFile file(script);
    return file.open(QIODevice::ReadOnly) ? file.readAll().count("\r\nWHERE ") : -1;
}

// A creation run that shows nothing.
class SilentProgress : public CreationProgress
{
public:
    void setStatus(const QString&) override {}
    void setCountStatus(const QString&, qint64, const QString&) override {}
    void log(const QString&) override {}
    void processEvents() override {}
    void failed(const QString& message) override { std::fprintf(stderr, "%s\n", qPrintable(message)); }
};

// A job nobody stops.
class UnstoppedJob : public Job
{
};

// The script creation alone, as the window runs it, from the largest product id to the
// written script.
int createScript(const DemoStore& store, const QString& list, const QString& folder)
{
    DbConnection connection(QStringLiteral("bench"));
    store.connect(connection);
    const StoreSchema schema = store.schema();
    DbQuery query(QStringLiteral("bench"), connection);
    UnstoppedJob job;
    ScriptCreation creation(query, job, localeLegacyCodePage());
    SilentProgress progress;
    const QString scriptPath = QDir(folder).filePath(UpdateScript::fileName());
    const qint64 idleKilobytes = residentKilobytes();
    const double cpuBefore = cpuSeconds();
    QElapsedTimer clock;
    clock.start();
    UpdateScript script(scriptPath, schema);
    try {
        creation.run({list}, schema, script, progress);
    } catch (const std::exception& error) {
        progress.failed(errorMessage(error));
        return 1;
    }
    script.commit();
    const double seconds = clock.nsecsElapsed() / 1e9;
    const double cpu = cpuSeconds() - cpuBefore;
    const qint64 peak = peakMemory().section(u' ', 0, 0).toLongLong();
    std::printf("create_seconds=%.3f\ncreate_cpu_seconds=%.3f\ncreate_statements=%lld\n"
                "create_peak_above_idle_memory=%lld kB\n",
                seconds, cpu, qint64(statementCount(scriptPath)), peak - idleKilobytes);
    return 0;
}

// The same list by IDPART and by trade number, each to its finished script.
int matchTradeNumbers(const DemoStore& store, const QString& list, const QString& folder)
{
    DbConnection connection(QStringLiteral("bench"));
    store.connect(connection);
    const StoreSchema schema = store.schema();
    DbQuery query(QStringLiteral("bench"), connection);
    UnstoppedJob job;
    SilentProgress progress;
    std::optional<TradeNumberIndex> index;
    double indexSeconds = 0;
    const auto create = [&](bool byTradeNumber, const QString& name, qint64& unmatched) {
        ScriptCreation creation(query, job, localeLegacyCodePage());
        if (byTradeNumber)
            creation.matchByTradeNumber([&]() -> const TradeNumberIndex& {
                if (!index) {
                    QElapsedTimer clock;
                    clock.start();
                    index = TradeNumberIndex::read(schema, connection);
                    indexSeconds = clock.nsecsElapsed() / 1e9;
                }
                return *index;
            });
        QElapsedTimer clock;
        clock.start();
        UpdateScript script(QDir(folder).filePath(name), schema);
        creation.run({list}, schema, script, progress);
        script.commit();
        unmatched = creation.unmatchedRows().count();
        return clock.nsecsElapsed() / 1e9;
    };
    qint64 unmatched = 0;
    const double byId = create(false, QStringLiteral("by-idpart.sql"), unmatched);
    const double byTradeNumber = create(true, QStringLiteral("by-tradenumber.sql"), unmatched);
    QFile a(QDir(folder).filePath(QStringLiteral("by-idpart.sql")));
    QFile b(QDir(folder).filePath(QStringLiteral("by-tradenumber.sql")));
    const bool same =
        a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly) && a.readAll() == b.readAll();
    std::printf("match_by_idpart_seconds=%.3f\nmatch_by_tradenumber_seconds=%.3f\n"
                "match_reading_trade_numbers_seconds=%.3f\nmatch_unmatched_rows=%lld\nmatch_same_script=%s\n",
                byId, byTradeNumber, indexSeconds, unmatched, same ? "yes" : "no");
    return 0;
}

// The spreadsheet reader alone: opening (with its extent) and reading every row.
int readList(const QString& list)
{
    QElapsedTimer clock;
    clock.start();
    const std::unique_ptr<SpreadsheetReader> reader = openSpreadsheet(list);
    const double openSeconds = clock.nsecsElapsed() / 1e9;
    clock.restart();
    const std::unique_ptr<SheetRows> rows = reader->rows();
    QList<SpreadsheetCell> cells;
    qint64 values = 0;
    while (rows->next(cells))
        values += cells.size();
    const double rowSeconds = clock.nsecsElapsed() / 1e9;
    std::printf("open_seconds=%.3f\nrows_seconds=%.3f\nrows=%d\ncells=%lld\npeak_memory=%s\n", openSeconds,
                rowSeconds, reader->extent().rows, values, qPrintable(peakMemory()));
    return 0;
}

int usage()
{
    std::fprintf(stderr, "usage: bench_import pricelist CONNECTION_INI FILE\n"
                         "       bench_import import|run|create|match CONNECTION_INI FILE PROGRAM_FOLDER\n"
                         "       bench_import read FILE\n");
    return 2;
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 3 && args[1] == u"read")
        return readList(args[2]);
    if (args.size() < 4)
        return usage();
    const QString& mode = args[1];
    const DemoStore store{IniFile(args[2])};
    if (mode == u"pricelist")
        return writePriceList(store, args[3]) ? 0 : 1;
    if (args.size() != 5 || (mode != u"import" && mode != u"run" && mode != u"create" && mode != u"match"))
        return usage();
    if (mode == u"create")
        return createScript(store, args[3], args[4]);
    if (mode == u"match")
        return matchTradeNumbers(store, args[3], args[4]);

    ProgramFolder::setOverride(args[4]);
    BenchUi ui;
    QElapsedTimer clock;
    double questionSeconds = -1;
    // No to the closing question of the script creation, noting when it came.
    ui.answer = [&](const QString& text) {
        if (!text.startsWith(QStringLiteral("The script was created")))
            return true;
        questionSeconds = clock.nsecsElapsed() / 1e9;
        return false;
    };
    demoProfile(args[2]).add();
    MainWindow form{ui};
    const bool importing = mode == u"import";
    connectImportPage(form, importing ? args[3] : QString());
    if (ui.complaints > 0 || !form.connection().connected())
        return 1;
    ui.fileToOpen = args[3];

    if (!importing) {
        RunMeter meter;
        meter.start();
        clickAndWait(form, control<QPushButton>(form, "SpeedButton19"));
        meter.stop();
        if (ui.complaints > 0)
            return 1;
        meter.print();
        std::printf("failed_statements=%d\n", ui.errors);
        return 0;
    }
    const double cpuBefore = cpuSeconds();
    clock.start();
    clickAndWait(form, control<QPushButton>(form, "SpeedButton16"));
    const double cpu = cpuSeconds() - cpuBefore;
    if (ui.complaints > 0 || questionSeconds < 0 || ui.errors > 0)
        return 1;
    std::printf(
        "import_seconds=%.3f\nimport_cpu_seconds=%.3f\nimport_statements=%lld\nimport_peak_memory=%s\n",
        questionSeconds, cpu, qint64(statementCount(UpdateScript::defaultPath())), qPrintable(peakMemory()));
    return 0;
}
