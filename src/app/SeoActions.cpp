#include "DropDownComboBox.h"
#include "ExportPageInputs.h"
#include "ExportProgressTab.h"
#include "Main.h"
#include "platform/ScopeExit.h"
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

void TForm1::SpeedButton20Click()
{
    if (jobRunning())
        return;
    SeoRunRequest request;
    request.generate = RadioButton2->isChecked();
    for (int i = 0; i < CheckListBox4->count(); ++i)
        request.columns.ticked.at(i) = ticked(CheckListBox4->item(i));
    const std::array<QCheckBox*, AllSeoTemplateFiles.size()> boxes = {CheckBox2, CheckBox3, CheckBox5,
                                                                      CheckBox4, CheckBox6};
    for (std::size_t i = 0; i < boxes.size(); ++i)
        request.useTemplate[i] = boxes[i]->isChecked();
    request.connectionName = ComboBox3->currentText();
    request.csv = ExportPageInputs::csvSettingsTexts(*this);
    // The list may be emptied while the run lets the window work; the run keeps its copy.
    request.brands = ExportPageInputs::brandEntries(CheckListBox1);

    ExportProgressTab progress(*this);
    SeoRun run(std::move(request), UniQuery1, UniQuery2, session.schema, progress);
    seoRunning = true;
    exportGoOn = true;
    const ScopeExit idle([this] {
        seoRunning = false;
        exportGoOn = false;
    });
    run.run();
}

void TForm1::Label40Click()
{
    openSeoTemplateFiles();
}
