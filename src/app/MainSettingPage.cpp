#include "DropDownComboBox.h"
#include "PageFrame.h"
#include "MainWindow.h"
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

QWidget* MainWindow::buildSettingPage()
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

    m_profileChooser = new DropDownComboBox(content);
    m_profileChooser->setObjectName(QStringLiteral("ComboBox1"));
    m_profileChooser->setAccessibleName(QStringLiteral("Connection name"));
    QFont bold = m_profileChooser->font();
    bold.setBold(true);
    m_profileChooser->setFont(bold);
    m_removeProfileButton = Widgets::imageButton(content, QStringLiteral("SpeedButton6"), QStringLiteral("remove"),
                                        QStringLiteral("Remove the selected connection"),
                                        QStringLiteral("Remove the selected connection"), 34);
    addField(QStringLiteral("Label3"), QStringLiteral("Connection name"), m_profileChooser, m_removeProfileButton);

    auto* line = new QFrame(content);
    line->setFrameShape(QFrame::HLine);
    grid->addWidget(line, row++, 0, 1, 3);

    m_profileNameEdit = Widgets::edit(content, QStringLiteral("Edit10"), QStringLiteral("Name connection"));
    addField(QStringLiteral("Label4"), QStringLiteral("Name connection"), m_profileNameEdit);
    m_storeTypeCombo = new QComboBox(content);
    m_storeTypeCombo->setObjectName(QStringLiteral("ComboBox2"));
    m_storeTypeCombo->setAccessibleName(QStringLiteral("Type Store"));
    m_storeTypeCombo->addItem(ConnectionProfile::VirtueMart2TypeText);
    m_storeTypeCombo->setCurrentIndex(0);
    addField(QStringLiteral("Label5"), QStringLiteral("Type Store"), m_storeTypeCombo);
    m_serverEdit = Widgets::edit(content, QStringLiteral("Edit1"), QStringLiteral("Server"));
    addField(QStringLiteral("Label6"), QStringLiteral("Server"), m_serverEdit);
    m_portEdit = Widgets::edit(content, QStringLiteral("Edit2"), QStringLiteral("Port"), QStringLiteral("3306"));
    addField(QStringLiteral("Label7"), QStringLiteral("Port"), m_portEdit);
    m_databaseEdit = Widgets::edit(content, QStringLiteral("Edit11"), QStringLiteral("DataBase name"));
    addField(QStringLiteral("Label8"), QStringLiteral("DataBase name"), m_databaseEdit);
    m_prefixEdit = Widgets::edit(content, QStringLiteral("Edit3"), QStringLiteral("Prefix table"));
    addField(QStringLiteral("Label9"), QStringLiteral("Prefix table"), m_prefixEdit);
    m_userEdit = Widgets::edit(content, QStringLiteral("Edit4"), QStringLiteral("UserName"));
    addField(QStringLiteral("Label10"), QStringLiteral("UserName"), m_userEdit);
    m_passwordEdit = Widgets::edit(content, QStringLiteral("Edit5"), QStringLiteral("PassWord"));
    m_passwordEdit->setEchoMode(QLineEdit::Password);
    m_savePasswordCheck = Widgets::checkBox(content, QStringLiteral("CheckBox1"), QStringLiteral("Save password"));
    addField(QStringLiteral("Label11"), QStringLiteral("PassWord"), m_passwordEdit, m_savePasswordCheck);

    auto* buttons = new QHBoxLayout;
    m_addProfileButton = Widgets::imageButton(content, QStringLiteral("SpeedButton5"), QStringLiteral("add"), QString(),
                                        QStringLiteral("Add new connection"), 44);
    m_saveProfileButton = Widgets::imageButton(content, QStringLiteral("SpeedButton4"), QStringLiteral("save"), QString(),
                                        QStringLiteral("Save changes of connection"), 44);
    buttons->addWidget(m_addProfileButton);
    buttons->addWidget(m_saveProfileButton);
    buttons->addStretch(1);
    grid->addLayout(buttons, row++, 1);
    grid->setColumnStretch(1, 1);
    grid->setColumnMinimumWidth(1, px(380));

    auto* top = new QHBoxLayout;
    top->addLayout(grid);
    top->addStretch(1);
    outer->addLayout(top);

    auto* test = new QHBoxLayout;
    m_testConnectionButton = Widgets::imageButton(content, QStringLiteral("SpeedButton7"), QStringLiteral("test"),
                                        QStringLiteral("Test connection ..."), QStringLiteral("Test connection ..."));
    test->addWidget(m_testConnectionButton, 0, Qt::AlignTop);
    m_connectionTestLog = new QListWidget(content);
    m_connectionTestLog->setObjectName(QStringLiteral("ListBox1"));
    m_connectionTestLog->setAccessibleName(QStringLiteral("Connection test log"));
    test->addWidget(m_connectionTestLog, 1);
    outer->addLayout(test, 1);
    return page;
}
