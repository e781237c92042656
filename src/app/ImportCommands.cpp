#include "CommandFailures.h"
#include "CommandLine.h"
#include "CommandOptions.h"
#include "CommandSession.h"
#include "Commands.h"
#include "Console.h"
#include "ConsoleCreationProgress.h"
#include "import/PriceListFolder.h"
#include "import/ScriptCreation.h"
#include "import/UpdateScript.h"
#include "settings/PageSettings.h"
#include "settings/SettingsFile.h"

#include <QFileInfo>
#include <algorithm>

using namespace Commands;

namespace {

// The named files of the folder in the order named, or all of them in name order.
QStringList chosenFiles(const QString& folder, const QStringList& given)
{
    const auto listed = listPriceListFiles(folder);
    if (!listed)
        throw UsageError(QStringLiteral("Missing option: --folder"));
    QStringList files = *listed;
    if (given.isEmpty()) {
        std::sort(files.begin(), files.end());
        return files;
    }
    QStringList chosen;
    for (const QString& name : given) {
        const auto found = std::find_if(files.begin(), files.end(), [&](const QString& file) {
            return QFileInfo(file).fileName() == name;
        });
        if (found == files.end())
            throw UsageError(QStringLiteral("Unknown file: ") + name);
        chosen << *found;
    }
    return chosen;
}

} // namespace

int Commands::createScript(const QStringList& arguments)
{
    const QString out = QStringLiteral("out");
    const CommandOptions options(arguments, {Profile, QStringLiteral("folder"), QStringLiteral("files"), out},
                                 {PasswordFromInput});
    const QString profile = options.required(Profile);
    const QString folder = options.required(QStringLiteral("folder"));
    const QString path = QFileInfo(options.isSet(out) ? options.required(out) : UpdateScript::defaultPath())
                             .absoluteFilePath();
    CommandSession session(profile);
    const QStringList files = chosenFiles(folder, options.list(QStringLiteral("files")));

    session.open(options.isSet(PasswordFromInput));
    UpdateScript script(path, session.schema());
    ScriptCreation creation(session.query());
    creation.setLegacyCodePage(PageSettings::load(SettingsFile::open()).codePageOfOlderFiles);
    ConsoleCreationProgress progress;
    bool complete = false;
    std::exception_ptr failure;
    try {
        complete = creation.run(files, session.schema(), script, progress);
    } catch (...) {
        failure = std::current_exception();
    }
    // Closing steps, however the run ended: the script is finished as far as it got.
    session.query().close();
    try {
        script.commit();
    } catch (...) {
        std::rethrow_exception(failure ? failure : std::current_exception());
    }
    if (failure)
        std::rethrow_exception(failure);
    Console::progress(QStringLiteral("The script was created for update, path to the script [") + path +
                      u']');
    Console::result(path);
    if (!complete) {
        Console::progress(
            QStringLiteral("A price list could not be read: the script holds the files before it only"));
        return CommandLine::JobFailed;
    }
    return CommandLine::Done;
}
