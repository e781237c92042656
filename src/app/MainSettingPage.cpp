#include "DropDownComboBox.h"
#include "PageFrame.h"
#include "Main.h"
#include "Widgets.h"
#include "store/ConnectionProfile.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QToolButton>
#include <QVBoxLayout>

using Widgets::px;

namespace {
const QColor maroon(0x80, 0x00, 0x00);
}

QWidget* TForm1::buildSettingPage()
{
    auto* page = new QWidget;
    QWidget* content = pageFrame(page, QStringLiteral("Label1"), QStringLiteral("Configuring the connection to the database"));

    auto* outer = new QVBoxLayout(content);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(Widgets::band(content, QStringLiteral("Label2"), QStringLiteral("Setting"), Qt::white, maroon));

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(px(10));
    int row = 0;
    auto addField = [&](const QString& labelName, const QString& caption, QWidget* field, QWidget* extra = nullptr) {
        grid->addWidget(Widgets::label(content, labelName, caption), row, 0);
        grid->addWidget(field, row, 1);
        if (extra)
            grid->addWidget(extra, row, 2, Qt::AlignLeft);
        ++row;
    };

    ComboBox1 = new DropDownComboBox(content);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    ComboBox1->setAccessibleName(QStringLiteral("Connection name"));
    QFont bold = ComboBox1->font();
    bold.setBold(true);
    ComboBox1->setFont(bold);
    SpeedButton6 = Widgets::imageButton(content, QStringLiteral("SpeedButton6"), QStringLiteral("remove"),
                                        QStringLiteral("Remove the selected connection"),
                                        QStringLiteral("Remove the selected connection"), 34);
    addField(QStringLiteral("Label3"), QStringLiteral("Connection name"), ComboBox1, SpeedButton6);

    auto* line = new QFrame(content);
    line->setFrameShape(QFrame::HLine);
    grid->addWidget(line, row++, 0, 1, 3);

    Edit10 = Widgets::edit(content, QStringLiteral("Edit10"), QStringLiteral("Name connection"));
    addField(QStringLiteral("Label4"), QStringLiteral("Name connection"), Edit10);
    ComboBox2 = new QComboBox(content);
    ComboBox2->setObjectName(QStringLiteral("ComboBox2"));
    ComboBox2->setAccessibleName(QStringLiteral("Type Store"));
    ComboBox2->addItem(ConnectionProfile::VirtueMart2TypeText);
    ComboBox2->setCurrentIndex(0);
    addField(QStringLiteral("Label5"), QStringLiteral("Type Store"), ComboBox2);
    Edit1 = Widgets::edit(content, QStringLiteral("Edit1"), QStringLiteral("Server"));
    addField(QStringLiteral("Label6"), QStringLiteral("Server"), Edit1);
    Edit2 = Widgets::edit(content, QStringLiteral("Edit2"), QStringLiteral("Port"), QStringLiteral("3306"));
    addField(QStringLiteral("Label7"), QStringLiteral("Port"), Edit2);
    Edit11 = Widgets::edit(content, QStringLiteral("Edit11"), QStringLiteral("DataBase name"));
    addField(QStringLiteral("Label8"), QStringLiteral("DataBase name"), Edit11);
    Edit3 = Widgets::edit(content, QStringLiteral("Edit3"), QStringLiteral("Prefix table"));
    addField(QStringLiteral("Label9"), QStringLiteral("Prefix table"), Edit3);
    Edit4 = Widgets::edit(content, QStringLiteral("Edit4"), QStringLiteral("UserName"));
    addField(QStringLiteral("Label10"), QStringLiteral("UserName"), Edit4);
    Edit5 = Widgets::edit(content, QStringLiteral("Edit5"), QStringLiteral("PassWord"));
    Edit5->setEchoMode(QLineEdit::Password);
    CheckBox1 = Widgets::checkBox(content, QStringLiteral("CheckBox1"), QStringLiteral("Save password"));
    addField(QStringLiteral("Label11"), QStringLiteral("PassWord"), Edit5, CheckBox1);

    auto* buttons = new QHBoxLayout;
    SpeedButton5 = Widgets::imageButton(content, QStringLiteral("SpeedButton5"), QStringLiteral("add"), QString(),
                                        QStringLiteral("Add new connection"), 44);
    SpeedButton4 = Widgets::imageButton(content, QStringLiteral("SpeedButton4"), QStringLiteral("save"), QString(),
                                        QStringLiteral("Save changes of connection"), 44);
    buttons->addWidget(SpeedButton5);
    buttons->addWidget(SpeedButton4);
    buttons->addStretch(1);
    grid->addLayout(buttons, row++, 1);
    grid->setColumnStretch(1, 1);
    grid->setColumnMinimumWidth(1, px(380));

    auto* top = new QHBoxLayout;
    top->addLayout(grid);
    top->addStretch(1);
    outer->addLayout(top);

    auto* test = new QHBoxLayout;
    SpeedButton7 = Widgets::imageButton(content, QStringLiteral("SpeedButton7"), QStringLiteral("test"),
                                        QStringLiteral("Test connection ..."), QStringLiteral("Test connection ..."));
    test->addWidget(SpeedButton7, 0, Qt::AlignTop);
    ListBox1 = new QListWidget(content);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setAccessibleName(QStringLiteral("Connection test log"));
    test->addWidget(ListBox1, 1);
    outer->addLayout(test, 1);
    return page;
}
