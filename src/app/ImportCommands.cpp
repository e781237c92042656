#include "CommandFailures.h"
#include "CommandLine.h"
#include "CommandOptions.h"
#include "CommandSession.h"
#include "Commands.h"
#include "Console.h"
#include "ConsoleCreationProgress.h"
#include "export/CsvField.h"
#include "import/PriceListFolder.h"
#include "import/PriceListImport.h"
#include "import/UpdateScript.h"
#include "settings/PageSettings.h"
#include "settings/SettingsFile.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <algorithm>

using namespace Commands;

namespace {

const QString Folder = QStringLiteral("folder");
const QString Files = QStringLiteral("files");
const QString Out = QStringLiteral("out");
const QString CodePage = QStringLiteral("code-page");
const QString MatchBy = QStringLiteral("match-by");
const QString MaxChange = QStringLiteral("max-change");

// The named files of the folder in the order named, or all of them in the folder's order,
// the one the window lists them in.
QStringList chosenFiles(const QString& folder, const QStringList& given)
{
    const auto listed = listPriceListFiles(folder);
    if (!listed)
        throw UsageError(QStringLiteral("Missing option: --folder"));
    if (given.isEmpty())
        return *listed;
    QStringList chosen;
    for (const QString& name : given) {
        const auto found = std::find_if(listed->begin(), listed->end(), [&](const QString& file) {
            return QFileInfo(file).fileName() == name;
        });
        if (found == listed->end())
            throw UsageError(QStringLiteral("Unknown file: ") + name);
        chosen << *found;
    }
    return chosen;
}

// The import run of a command: its log on standard error, nothing asked. scriptPath empty:
// a preview, which writes nothing.
ImportOutcome runImport(const CommandOptions& options, const QString& scriptPath)
{
    const QString profile = options.required(Profile);
    const QString folder = options.required(Folder);
    CommandSession session(profile);
    ImportRequest request;
    request.files = chosenFiles(folder, options.list(Files));
    request.scriptPath = scriptPath;
    const PageSettings page = PageSettings::load(SettingsFile::open());
    request.legacyCodePage = page.codePageOfOlderFiles;
    request.rules.matchBy =
        ImportRules::matchByNamed(page.matchRowsBy).value_or(ImportRules::MatchBy::IdPart);
    request.rules.warnAbovePercent = page.warnPriceChangePercent;
    request.rules.warnWhenPriceBecomesZero = page.warnPriceBecomesZero;
    if (options.isSet(MatchBy)) {
        const auto matchBy = ImportRules::matchByNamed(options.required(MatchBy));
        if (!matchBy)
            throw UsageError(QStringLiteral("Unknown --match-by: %1 (idpart or tradenumber)")
                                 .arg(options.required(MatchBy)));
        request.rules.matchBy = *matchBy;
    }
    if (options.isSet(MaxChange)) {
        bool ok = false;
        request.rules.warnAbovePercent = options.required(MaxChange).toInt(&ok);
        if (!ok || request.rules.warnAbovePercent <= 0)
            throw UsageError(QStringLiteral("--max-change takes a whole percent above 0: ") +
                             options.required(MaxChange));
    }
    if (options.isSet(CodePage)) {
        request.legacyCodePage = options.required(CodePage).toLatin1();
        if (!QStringDecoder(request.legacyCodePage.constData()).isValid())
            throw UsageError(QStringLiteral("Unknown code page: ") + options.required(CodePage));
    }

    session.open(options.isSet(PasswordFromInput));
    PriceListImport import(session.connection(), session.query());
    ConsoleCreationProgress progress;
    return *import.run(request, session.schema(), progress);
}

// A run that nobody watches must not take texts read in a doubtful code page for good ones,
// unless the code page was named for this run.
bool failed(const CommandOptions& options, const ImportOutcome& outcome)
{
    return outcome.endedByFailure() || (!outcome.encodingDoubts.empty() && !options.isSet(CodePage));
}

// A CSV field of the preview: enclosed in double quotes when it holds a comma, a quote or a
// line break.
QString previewField(const QString& text)
{
    const bool plain = std::none_of(
        text.begin(), text.end(), [](QChar c) { return c == u',' || c == u'"' || c == u'\r' || c == u'\n'; });
    return plain ? text : CsvField::quoted(text);
}

QString previewLine(const QStringList& fields)
{
    QStringList line;
    for (const QString& field : fields)
        line << previewField(field);
    return line.join(u',');
}

} // namespace

int Commands::createScript(const QStringList& arguments)
{
    const QString strict = QStringLiteral("strict");
    const CommandOptions options(arguments, {Profile, Folder, Files, Out, CodePage, MatchBy, MaxChange},
                                 {PasswordFromInput, strict});
    const QString path = QFileInfo(options.isSet(Out) ? options.required(Out) : UpdateScript::defaultPath())
                             .absoluteFilePath();
    const ImportOutcome outcome = runImport(options, path);
    // A change beyond the limit the run was given leaves no script that could be run by mistake.
    if (options.isSet(MaxChange) && outcome.priceGuard.any()) {
        for (const QString& line : outcome.priceGuard.rowLines())
            Console::progress(line);
        QFile::remove(path);
        if (!outcome.review.undoPath.isEmpty())
            QFile::remove(outcome.review.undoPath);
        Console::progress(QStringLiteral("No script was written: prices change beyond --max-change."));
        return CommandLine::JobFailed;
    }
    Console::progress(QStringLiteral("The script was created for update, path to the script [") + path +
                      u']');
    Console::result(path);
    const bool refused = options.isSet(strict) && outcome.review.columns.count() > 0;
    return failed(options, outcome) || refused ? CommandLine::JobFailed : CommandLine::Done;
}

int Commands::preview(const QStringList& arguments)
{
    const CommandOptions options(arguments, {Profile, Folder, Files, CodePage, MatchBy, MaxChange},
                                 {PasswordFromInput});
    const ImportOutcome outcome = runImport(options, QString());
    Console::result(previewLine(ChangePreview::columnNames()));
    for (const ChangePreview::ChangedRow& row : outcome.review.preview.rows)
        Console::result(previewLine(
            {StoreField::all()[std::size_t(row.field)].label, QString::number(row.id), row.oldValue,
             row.newValue,
             row.percent ? QString::number(ChangePreview::shownPercent(*row.percent)) : QString()}));
    return outcome.endedByFailure() ? CommandLine::JobFailed : CommandLine::Done;
}
