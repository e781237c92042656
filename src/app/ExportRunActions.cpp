#include "Main.h"
#include "platform/Ui.h"

void TForm1::SpeedButton10Click() {}

void TForm1::SpeedButton12Click()
{
    if (!exportRunning && !seoRunning)
        return;
    if (Ui::instance().confirm(
            QStringLiteral("Stop the export of data (all first exported data will be saved) ?")))
        exportGoOn = false;
}

void TForm1::Label23Click() {}
