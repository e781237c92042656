#include "ClickableLabel.h"
#include "DropDownComboBox.h"
#include "ExportPageInputs.h"
#include "ExportProgressTab.h"
#include "MainWindow.h"
#include "Ui.h"

#include <QComboBox>
#include <QFileInfo>
#include <QLineEdit>

void MainWindow::startPriceExport()
{
    if (jobRunning())
        return;
    ExportProgressTab progress(exportProgressControls(), *this, m_connection);
    progress.showRestingTexts();
    if (m_exportProfileChooser->currentText().trimmed().isEmpty())
        return;
    const CsvSettings settings = CsvSettings::read(csvSettingsTexts());
    m_priceExport.run(m_session.schema, settings, ExportPageInputs::brandEntries(m_brandList),
                      ExportPageInputs::tickedTexts(m_exportColumnList), progress);
}

void MainWindow::stopExport()
{
    Job& job = m_seoRun.isRunning() ? static_cast<Job&>(m_seoRun) : m_priceExport;
    if (job.isRunning() &&
        m_ui.confirm(QStringLiteral("Stop the export of data (all first exported data will be saved) ?")))
        job.requestStop();
}

void MainWindow::openExportFolder()
{
    const QString path = m_exportPathLabel->text();
    if (QFileInfo(path).isDir())
        m_ui.openWithDesktop(path);
}

ExportProgressTab::Controls MainWindow::exportProgressControls() const
{
    return {m_exportTabs, m_exportPathLabel, m_exportFileNumberLabel, m_exportRowNumberLabel, m_exportBrandLabel};
}

CsvSettings::Texts MainWindow::csvSettingsTexts() const
{
    return {m_exportFolderEdit->text(), m_maxRowsEdit->text(), m_listSeparatorCombo->currentText(),
            m_decimalSeparatorCombo->currentText()};
}
