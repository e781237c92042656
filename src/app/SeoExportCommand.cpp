#include "CommandFailures.h"
#include "CommandLine.h"
#include "CommandOptions.h"
#include "CommandSession.h"
#include "Commands.h"
#include "ConsoleExportProgress.h"
#include "ExportChoices.h"
#include "seo/SeoColumns.h"
#include "seo/SeoRun.h"
#include "settings/PageSettings.h"

#include <algorithm>

using namespace Commands;

namespace {

// The SEO column each template file writes, in the order of AllSeoTemplateFiles; the window's
// template boxes are named the same way.
constexpr std::array<int, AllSeoTemplateFiles.size()> TemplateColumns = {
    SeoColumns::ProductShortDescription, SeoColumns::ProductMetaDescription, SeoColumns::ProductTitle,
    SeoColumns::CategoryMetaDescription, SeoColumns::CategoryTitle};

QStringList templateNames()
{
    QStringList names;
    for (int column : TemplateColumns)
        names << SeoColumns::names().at(column);
    return names;
}

} // namespace

int Commands::seoExport(const QStringList& arguments)
{
    const QString templates = QStringLiteral("templates");
    const QString generate = QStringLiteral("generate");
    const CommandOptions options(arguments,
                                 {Profile, QStringLiteral("folder"), ExportChoices::BrandList,
                                  ExportChoices::BrandName, QStringLiteral("columns"), templates},
                                 {PasswordFromInput, generate});
    const QString profile = options.required(Profile);
    const QString folder = options.required(QStringLiteral("folder"));
    if (options.isSet(templates) && !options.isSet(generate))
        throw UsageError(QStringLiteral("--templates goes with --generate"));
    const PageSettings page = ExportChoices::storedPageSettings();

    SeoRunRequest request;
    request.generate = options.isSet(generate);
    const QList<bool> columns = ExportChoices::ticks(
        QStringLiteral("column"), SeoColumns::names(), options.list(QStringLiteral("columns")),
        QList<bool>(page.seoColumns.begin(), page.seoColumns.end()),
        {SeoColumns::IdPart, SeoColumns::IdCategory});
    std::copy(columns.begin(), columns.end(), request.columns.ticked.begin());
    const QList<bool> useTemplate =
        ExportChoices::ticks(QStringLiteral("template"), templateNames(), options.list(templates),
                             QList<bool>(TemplateColumns.size(), false));
    std::copy(useTemplate.begin(), useTemplate.end(), request.useTemplate.begin());
    request.connectionName = profile;
    request.csv = ExportChoices::csvTexts(page, folder);
    CommandSession session(profile);
    // The run checks the folder again; here it is checked before the store is reached.
    CsvSettings::read(request.csv);

    session.open(options.isSet(PasswordFromInput));
    request.brands =
        ExportChoices::chosenBrands(session.query(), session.schema(), options.list(ExportChoices::BrandList),
                                    options.values(ExportChoices::BrandName));
    ConsoleExportProgress progress;
    SeoRun run(session.query(), session.secondQuery());
    run.run(std::move(request), session.schema(), progress);
    progress.showRowCount();
    return CommandLine::Done;
}
