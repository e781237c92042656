#include "DropDownComboBox.h"
#include "ExportPageInputs.h"
#include "ExportProgressTab.h"
#include "MainWindow.h"
#include "Ui.h"
#include "seo/SeoRun.h"
#include "seo/SeoSampleFiles.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>

namespace {

bool ticked(const QListWidgetItem* item)
{
    return item->checkState() == Qt::Checked;
}

} // namespace

void MainWindow::startSeoRun()
{
    if (jobRunning())
        return;
    SeoRunRequest request;
    request.generate = m_seoGenerateRadio->isChecked();
    for (int i = 0; i < m_seoColumnList->count(); ++i)
        request.columns.ticked.at(i) = ticked(m_seoColumnList->item(i));
    const std::array<QCheckBox*, AllSeoTemplateFiles.size()> boxes = {
        m_productShortDescTemplateCheck, m_productMetaDescTemplateCheck, m_productCustomTitleTemplateCheck,
        m_categoryMetaDescTemplateCheck, m_categoryCustomTitleTemplateCheck};
    for (std::size_t i = 0; i < boxes.size(); ++i)
        request.useTemplate[i] = boxes[i]->isChecked();
    request.connectionName = m_exportProfileChooser->currentText();
    request.csv = csvSettingsTexts();
    // The list may be emptied while the run lets the window work; the run keeps its copy.
    request.brands = ExportPageInputs::brandEntries(m_brandList);

    ExportProgressTab progress(exportProgressControls(), *this, m_connection);
    m_seoRun.run(std::move(request), m_session.schema, progress);
}

void MainWindow::openTemplateFiles()
{
    openSeoTemplateFiles([this](const QString& path) { m_ui.openWithDesktop(path); });
}
