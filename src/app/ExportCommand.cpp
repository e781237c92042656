#include "CommandLine.h"
#include "CommandOptions.h"
#include "CommandSession.h"
#include "Commands.h"
#include "ConsoleExportProgress.h"
#include "ExportChoices.h"
#include "export/PriceExportRun.h"
#include "export/PriceFileLayout.h"
#include "settings/PageSettings.h"

using namespace Commands;

int Commands::priceExport(const QStringList& arguments)
{
    const CommandOptions options(arguments,
                                 {Profile, QStringLiteral("folder"), ExportChoices::BrandList,
                                  ExportChoices::BrandName, QStringLiteral("columns")},
                                 {PasswordFromInput});
    const QString profile = options.required(Profile);
    const QString folder = options.required(QStringLiteral("folder"));
    const PageSettings page = ExportChoices::storedPageSettings();
    const QStringList& names = PriceFileLayout::columnNames();
    const QList<bool> ticks =
        ExportChoices::ticks(QStringLiteral("column"), names, options.list(QStringLiteral("columns")),
                             QList<bool>(page.exportColumns.begin(), page.exportColumns.end()), {0});
    QStringList columns;
    for (qsizetype i = 0; i < names.size(); ++i)
        if (ticks[i])
            columns << names[i];
    CommandSession session(profile);
    const CsvSettings csv = CsvSettings::read(ExportChoices::csvTexts(page, folder));

    session.open(options.isSet(PasswordFromInput));
    const std::vector<BrandEntry> brands =
        ExportChoices::chosenBrands(session.query(), session.schema(), options.list(ExportChoices::BrandList),
                                    options.values(ExportChoices::BrandName));
    ConsoleExportProgress progress;
    PriceExportRun run(session.query());
    run.run(session.schema(), csv, brands, columns, progress);
    progress.showRowCount();
    return CommandLine::Done;
}
