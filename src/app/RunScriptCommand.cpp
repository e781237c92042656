#include "CommandLine.h"
#include "CommandOptions.h"
#include "CommandSession.h"
#include "Commands.h"
#include "Console.h"
#include "db/ConnectionExecutor.h"
#include "db/ScriptRunner.h"
#include "platform/AppError.h"
#include "settings/PageSettings.h"
#include "settings/SettingsFile.h"

using namespace Commands;

int Commands::runScript(const QStringList& arguments)
{
    const CommandOptions options(arguments, {Profile}, {PasswordFromInput}, 1);
    CommandSession session(options.required(Profile));
    session.open(options.isSet(PasswordFromInput));

    ConnectionExecutor executor(session.connection());
    ScriptRunner runner;
    runner.setLegacyCodePage(PageSettings::load(SettingsFile::open()).codePageOfOlderFiles);
    int shown = -1;
    const auto show = [&](int percent) {
        if (percent != shown)
            Console::progress(QString::number(shown = percent) + QStringLiteral(" %"));
    };
    int failures = 0;
    // A failing statement does not end the run, as in the window, but it fails the command.
    const ScriptRunSummary summary =
        runner.restoreFromFile(options.positional().first(), executor, show, [&](const AppError& error) {
            ++failures;
            Console::progress(errorMessage(error));
        });
    // The last figure comes with the last statement, before the blanks after it.
    if (!executor.isConnectionLost())
        show(100);
    // Values the server changed are said, as in the window's log.
    if (summary.withWarnings > 0) {
        Console::progress(summary.text());
        for (const QString& warning : summary.firstWarnings)
            Console::progress(warning);
    }
    if (failures > 0) {
        Console::progress(QStringLiteral("The script run reported %1 error(s)").arg(failures));
        return CommandLine::JobFailed;
    }
    return CommandLine::Done;
}
