#include "DropDownComboBox.h"
#include "ImportProgressTab.h"
#include "MainWindow.h"
#include "Ui.h"
#include "import/UpdateScript.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTabWidget>

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
    m_importTabs->setCurrentIndex(2);
    std::exception_ptr failure;
    try {
        ImportProgressTab progress(m_importStatus, m_importLog, *this);
        m_scriptCreation.setLegacyCodePage(m_codePageCombo->currentText().toLatin1());
        m_scriptCreation.run(checked, m_session.schema, script, progress);
    } catch (...) {
        failure = std::current_exception();
    }

    // Closing steps, however the run ended.
    m_query.close();
    m_importStatus->setText(restingStatus);
    try {
        script.commit();
    } catch (...) {
        if (!failure)
            failure = std::current_exception();
        std::rethrow_exception(failure);
    }
    const QString question = QStringLiteral("The script was created for update, path to the script [")
                             + QDir::toNativeSeparators(UpdateScript::defaultPath())
                             + QStringLiteral("]\r\rStart updating the price list ?");
    if (!m_closing && m_ui.confirm(question))
        runScriptFile(UpdateScript::defaultPath());
    if (failure)
        std::rethrow_exception(failure);
}

void MainWindow::stopScriptCreation()
{
    if (m_scriptCreation.isRunning() &&
        m_ui.confirm(QStringLiteral("Stop the import of data (all first imported data will be saved) ?")))
        m_scriptCreation.requestStop();
}
