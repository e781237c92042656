#include "DropDownComboBox.h"
#include "Main.h"
#include "Widgets.h"
#include "import/PriceListFolder.h"
#include "platform/ScopeExit.h"
#include "platform/Ui.h"

#include <QLineEdit>
#include <QListWidget>
#include <QTabWidget>

void TForm1::SpeedButton13Click()
{
    if (!readSessionProfile(ComboBox8, [] {}))
        return;
    const ScopeExit closing([this] {
        SpeedButton18Click();
        PageControl2->setCurrentIndex(1);
        UniQuery1.close();
    });
    session.open(UniConnection1, UniQuery1);
}

void TForm1::SpeedButton14Click()
{
    if (const auto folder = Ui::instance().chooseFolder(QStringLiteral("Choose a directory")))
        Edit9->setText(*folder);
}

void TForm1::SpeedButton18Click()
{
    const auto files = listPriceListFiles(Edit9->text());
    if (!files)
        return;
    CheckListBox2->clear();
    for (const QString& file : *files)
        Widgets::addCheckItem(CheckListBox2, file);
}

void TForm1::SpeedButton15Click()
{
    Widgets::toggleAllChecks(CheckListBox2);
}
