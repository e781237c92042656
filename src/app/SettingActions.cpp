#include "DropDownComboBox.h"
#include "Main.h"
#include "store/ConnectionProfile.h"
#include "store/ConnectionTest.h"
#include "store/ProfileList.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>

namespace {

void fillProfileNames(QComboBox* combo)
{
    combo->clear();
    combo->addItems(ReadProfileNames(readStoredProfileList()));
    combo->setCurrentIndex(-1);
}

} // namespace

void TForm1::ComboBox1DropDown()
{
    fillProfileNames(ComboBox1);
}

void TForm1::ComboBox3DropDown()
{
    CheckListBox1->clear();
    fillProfileNames(ComboBox3);
}

void TForm1::ComboBox8DropDown()
{
    fillProfileNames(ComboBox8);
}

void TForm1::ComboBox1Change()
{
    if (ComboBox1->currentText().trimmed().isEmpty() || ComboBox1->currentIndex() < 0)
        return;
    const ConnectionProfile p = ConnectionProfile::load(ComboBox1->currentText());
    Edit10->setText(p.name);
    ComboBox2->setCurrentIndex(p.storeType >= 0 && p.storeType < ComboBox2->count() ? p.storeType : -1);
    Edit1->setText(p.server);
    Edit2->setText(p.port);
    Edit11->setText(p.database);
    Edit3->setText(p.prefix);
    Edit4->setText(p.user);
    Edit5->setText(p.password);
}

ConnectionProfile TForm1::profileFromFields() const
{
    ConnectionProfile p;
    p.name = Edit10->text();
    p.storeType = ComboBox2->currentIndex();
    p.storeTypeText = ComboBox2->currentText();
    p.server = Edit1->text();
    p.port = Edit2->text();
    p.database = Edit11->text();
    p.prefix = Edit3->text();
    p.user = Edit4->text();
    p.password = Edit5->text();
    p.savePassword = CheckBox1->isChecked();
    return p;
}

void TForm1::SpeedButton5Click()
{
    profileFromFields().add();
}

void TForm1::SpeedButton4Click()
{
    profileFromFields().saveChanges();
}

void TForm1::SpeedButton6Click()
{
    bool clearSelector = false;
    ConnectionProfile::remove(ComboBox1->currentText(), clearSelector);
    if (clearSelector) {
        ComboBox1->clear();
        ComboBox1->setEditText(QString());
    }
}

void TForm1::SpeedButton7Click()
{
    if (jobRunning())
        return;
    ListBox1->clear();
    ConnectionProfile profile = profileFromFields();
    testConnection(profile, UniConnection1, UniQuery1, [this](const QString& line) { ListBox1->addItem(line); });
    Edit5->setText(profile.password);
}
