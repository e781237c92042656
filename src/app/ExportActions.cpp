#include "DropDownComboBox.h"
#include "Main.h"
#include "Widgets.h"
#include "platform/ScopeExit.h"
#include "platform/Ui.h"
#include "store/BrandQuery.h"

#include <QLineEdit>
#include <QListWidget>
#include <QTabWidget>

void TForm1::SpeedButton8Click()
{
    if (!readSessionProfile(ComboBox3, [this] { CheckListBox1->clear(); }))
        return;
    const ScopeExit closing([this] {
        PageControl1->setCurrentIndex(1);
        UniQuery1.close();
    });
    if (session.open(UniConnection1, UniQuery1))
        loadBrandList();
}

bool TForm1::readSessionProfile(QComboBox* profiles, const std::function<void()>& onChosen)
{
    if (jobRunning())
        return false;
    if (profiles->currentText().trimmed().isEmpty() || profiles->currentIndex() < 0) {
        Ui::instance().message(QStringLiteral("Not select connection !!!"));
        return false;
    }
    const QString name = profiles->currentText();
    onChosen();
    session.readProfile(name);
    session.askPasswordIfEmpty();
    return true;
}

void TForm1::loadBrandList()
{
    std::vector<Brand> brands = loadBrands(UniQuery1, session.schema);
    sortBrands(brands);
    for (const Brand& brand : brands)
        Widgets::addCheckItem(CheckListBox1, brand.name, brand.id);
}

void TForm1::SpeedButton9Click()
{
    if (const auto folder = Ui::instance().chooseFolder(QStringLiteral("Choose a directory")))
        Edit7->setText(*folder);
}

void TForm1::SpeedButton11Click()
{
    Widgets::toggleAllChecks(CheckListBox1);
}

void TForm1::CheckListBox3ClickCheck()
{
    if (CheckListBox3->item(0)->checkState() != Qt::Checked)
        CheckListBox3->item(0)->setCheckState(Qt::Checked);
}

void TForm1::CheckListBox4ClickCheck()
{
    for (int identifier : {0, 9})
        if (CheckListBox4->item(identifier)->checkState() != Qt::Checked)
            CheckListBox4->item(identifier)->setCheckState(Qt::Checked);
}

void TForm1::UniConnection1AfterDisconnect()
{
    CheckListBox1->clear();
}
