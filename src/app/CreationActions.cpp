#include "ChangePreviewTab.h"
#include "DropDownComboBox.h"
#include "ImportProgressTab.h"
#include "MainWindow.h"
#include "Ui.h"
#include "import/UpdateScript.h"
#include "platform/AppError.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QTabWidget>

void MainWindow::startScriptCreation()
{
    // Refused before anything of the last run's log is cleared.
    if (m_import.isRunning() || jobRunning())
        return;
    m_importStatus->setText(PriceListImport::restingStatus());
    m_importLog->clear();
    if (m_importProfileChooser->currentText().trimmed().isEmpty() || !m_connection.connected())
        return;
    ImportRequest request;
    for (int i = 0; i < m_priceListFiles->count(); ++i)
        if (m_priceListFiles->item(i)->checkState() == Qt::Checked)
            request.files << m_priceListFiles->item(i)->text();
    request.scriptPath = UpdateScript::defaultPath();
    request.legacyCodePage = m_codePageCombo->currentText().toLatin1();
    request.rules = importRules();

    m_changePreview->clear();
    m_importTabs->setCurrentIndex(2);
    std::optional<ImportOutcome> outcome;
    {
        ImportProgressTab progress(m_importStatus, m_importLog, *this, [this](const QString& failure) {
            if (!m_closing)
                m_ui.errorBox(errorBoxText(failure));
        });
        outcome = m_import.run(request, m_session.schema, progress);
    }
    if (!outcome)
        return;
    const QString question = outcome->question();
    const bool advisedAgainst = outcome->advisesAgainst();
    m_changePreview->showOutcome(std::move(*outcome));
    m_importTabs->setCurrentIndex(3);
    if (m_ui.confirm(question, advisedAgainst ? Ui::DefaultAnswer::No : Ui::DefaultAnswer::Yes))
        runScriptFile(request.scriptPath);
}

ImportRules MainWindow::importRules() const
{
    ImportRules rules;
    rules.matchBy = ImportRules::matchByNamed(m_matchByCombo->currentText()).value_or(ImportRules::MatchBy::IdPart);
    rules.warnAbovePercent = m_warnPercentSpin->value();
    rules.warnWhenPriceBecomesZero = m_warnZeroCheck->isChecked();
    return rules;
}

void MainWindow::stopScriptCreation()
{
    if (m_import.isRunning() &&
        m_ui.confirm(QStringLiteral("Stop the import of data (all first imported data will be saved) ?")))
        m_import.requestStop();
}
