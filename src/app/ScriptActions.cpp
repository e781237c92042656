#include "FramePacer.h"
#include "MainWindow.h"
#include "Ui.h"
#include "db/ConnectionExecutor.h"
#include "platform/AppError.h"
#include "platform/AppPlaces.h"
#include "platform/ScopeExit.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>

void MainWindow::runScriptFile(const QString& path)
{
    m_scriptProgress->setValue(0);
    const ScopeExit closing([this] { m_scriptProgress->setValue(0); });
    ConnectionExecutor executor(m_connection);
    // The window processes its events once a frame, not after every statement.
    FramePacer pacer(*this);
    m_scriptRunner.setLegacyCodePage(m_codePageCombo->currentText().toLatin1());
    // A script whose statements fail by the thousand need not hold the operator at a box each:
    // the log keeps every failure.
    bool showBoxes = true;
    const ScriptRunSummary summary = m_scriptRunner.restoreFromFile(
        path, executor,
        [&](int percent) {
            m_scriptProgress->setValue(percent);
            if (pacer.due())
                FramePacer::processEvents();
        },
        [&](const StatementFailure& failure) {
            m_importLog->appendPlainText(failure.logLine());
            if (showBoxes && !m_closing)
                showBoxes = !m_ui.errorBoxOfRun(errorBoxText(failure.message()) + QStringLiteral("\r\rStatement: ") +
                                                failure.firstLine());
        });
    m_importStatus->setText(summary.text());
    m_importLog->appendPlainText(summary.text());
    for (const QString& warning : summary.firstWarnings)
        m_importLog->appendPlainText(warning);
}

void MainWindow::chooseAndRunScript()
{
    if (jobRunning())
        return;
    m_scriptProgress->setValue(0);
    if (const auto file = m_ui.chooseOpenFile(QStringLiteral("*.sql|*.sql"), AppPlaces::dataFolder()))
        runScriptFile(*file);
}

void MainWindow::stopScriptRun()
{
    if (m_scriptRunner.isRunning() &&
        m_ui.confirm(QStringLiteral("Stop the script update (the statements that ran stay applied) ?")))
        m_scriptRunner.requestStop();
}
