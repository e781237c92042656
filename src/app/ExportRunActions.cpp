#include "ClickableLabel.h"
#include "DropDownComboBox.h"
#include "ExportPageInputs.h"
#include "ExportProgressTab.h"
#include "Main.h"
#include "export/PriceExportRun.h"
#include "platform/ScopeExit.h"
#include "platform/Ui.h"

#include <QFileInfo>

void TForm1::SpeedButton10Click()
{
    if (jobRunning())
        return;
    ExportProgressTab progress(*this);
    progress.showRestingTexts();
    if (ComboBox3->currentText().trimmed().isEmpty())
        return;
    const auto settings = CsvSettings::read(ExportPageInputs::csvSettingsTexts(*this));
    if (!settings)
        return;
    exportRunning = true;
    exportGoOn = true;
    const ScopeExit idle([this] {
        exportRunning = false;
        exportGoOn = false;
    });
    PriceExportRun(UniQuery1, session.schema, progress)
        .run(*settings, ExportPageInputs::brandEntries(CheckListBox1),
             ExportPageInputs::tickedTexts(CheckListBox3));
}

void TForm1::SpeedButton12Click()
{
    if (!exportRunning && !seoRunning)
        return;
    if (Ui::instance().confirm(
            QStringLiteral("Stop the export of data (all first exported data will be saved) ?")))
        exportGoOn = false;
}

void TForm1::Label23Click()
{
    const QString path = Label23->text();
    if (QFileInfo(path).isDir())
        Ui::instance().openWithDesktop(path);
}
