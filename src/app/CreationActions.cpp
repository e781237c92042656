#include "ChangePreviewTab.h"
#include "DropDownComboBox.h"
#include "ImportProgressTab.h"
#include "MainWindow.h"
#include "Ui.h"
#include "import/ScriptReview.h"
#include "import/UpdateScript.h"
#include "platform/AppError.h"

#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <optional>

namespace {

const QString restingStatus = QStringLiteral(".......");

} // namespace

void MainWindow::startScriptCreation()
{
    if (m_scriptCreation.isRunning())
        return;
    m_importStatus->setText(restingStatus);
    m_importLog->clear();
    if (m_importProfileChooser->currentText().trimmed().isEmpty() || !m_connection.connected() || jobRunning())
        return;
    QStringList checked;
    for (int i = 0; i < m_priceListFiles->count(); ++i)
        if (m_priceListFiles->item(i)->checkState() == Qt::Checked)
            checked << m_priceListFiles->item(i)->text();

    UpdateScript script(UpdateScript::defaultPath(), m_session.schema);
    const QString undoPath = UpdateScript::undoPath(QDateTime::currentDateTime());
    m_changePreview->clear();
    m_importTabs->setCurrentIndex(2);
    std::optional<QString> failure;
    try {
        ImportProgressTab progress(m_importStatus, m_importLog, *this);
        m_scriptCreation.setLegacyCodePage(m_codePageCombo->currentText().toLatin1());
        m_scriptCreation.run(checked, m_session.schema, script, progress);
    } catch (const std::exception& error) {
        failure = errorMessage(error);
    }

    // Closing steps, however the run ended.
    m_query.close();
    m_importStatus->setText(restingStatus);
    // A failure is said first: the question after it must not pass for the end of a good run.
    if (failure) {
        m_importLog->appendPlainText(*failure);
        if (!m_closing)
            m_ui.errorBox(errorBoxText(*failure));
    }
    script.commit();
    if (m_closing)
        return;

    ScriptReview review = ScriptReview::of(script.planned(), m_session.schema, m_connection, undoPath);
    for (const QString& line : review.logLines())
        m_importLog->appendPlainText(line);
    const QString details = review.questionDetails(failure.has_value());
    m_changePreview->showReview(std::move(review));
    m_importTabs->setCurrentIndex(3);
    askToRunScript(details, failure.has_value());
}

void MainWindow::askToRunScript(const QString& details, bool endedByFailure)
{
    const QString question = QStringLiteral("The script was created for update, path to the script [")
                             + QDir::toNativeSeparators(UpdateScript::defaultPath())
                             + QStringLiteral("]\r\rStart updating the price list ?") + QStringLiteral("\r\r") + details;
    if (m_ui.confirm(question, endedByFailure ? Ui::DefaultAnswer::No : Ui::DefaultAnswer::Yes))
        runScriptFile(UpdateScript::defaultPath());
}

void MainWindow::stopScriptCreation()
{
    if (m_scriptCreation.isRunning() &&
        m_ui.confirm(QStringLiteral("Stop the import of data (all first imported data will be saved) ?")))
        m_scriptCreation.requestStop();
}
