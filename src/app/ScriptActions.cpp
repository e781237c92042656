#include "Main.h"
#include "db/ConnectionExecutor.h"
#include "db/ScriptRunner.h"
#include "import/UpdateScript.h"
#include "platform/AppError.h"
#include "platform/ProgramFolder.h"
#include "platform/ScopeExit.h"
#include "platform/Ui.h"

#include <QCoreApplication>
#include <QProgressBar>

void TForm1::runScriptFile(const QString& path)
{
    scriptRunning = true;
    ProgressBar1->setValue(0);
    const ScopeExit closing([this] {
        ProgressBar1->setValue(0);
        scriptRunning = false;
    });
    ConnectionExecutor executor(UniConnection1);
    ScriptRunner().restoreFromFile(
        path, executor, [this](int percent) { UniDump1RestoreProgress(percent); },
        [](const AppError& error) { Ui::instance().errorBox(errorBoxText(error.message())); });
}

void TForm1::UniDump1RestoreProgress(int percent)
{
    ProgressBar1->setValue(percent);
    if (restoreEvents.due())
        QCoreApplication::processEvents();
}

void TForm1::startUpdateScript()
{
    runScriptFile(UpdateScript::defaultPath());
}

void TForm1::SpeedButton19Click()
{
    if (jobRunning())
        return;
    ProgressBar1->setValue(0);
    if (const auto file = Ui::instance().chooseOpenFile(QStringLiteral("*.sql|*.sql"), ProgramFolder::path()))
        runScriptFile(*file);
}
