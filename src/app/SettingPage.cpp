#include "SettingPage.h"

#include "DropDownComboBox.h"
#include "PageFrame.h"
#include "ProfileNames.h"
#include "SharedStore.h"
#include "Ui.h"
#include "Widgets.h"
#include "platform/ScopeExit.h"
#include "settings/SettingsFile.h"
#include "store/ConnectionProfile.h"
#include "store/ConnectionTest.h"
#include "store/ProfilePassword.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

using Widgets::px;

namespace {
const QColor maroon(0x80, 0x00, 0x00);
} // namespace

SettingPage::SettingPage(Ui& ui, SharedStore& store, QWidget* parent) : Page(ui, parent), m_store(store)
{
    QWidget* content = pageFrame(this, QStringLiteral("Label1"),
                                 QStringLiteral("Configuring the connection to the database"));

    auto* outer = new QVBoxLayout(content);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(
        Widgets::band(content, QStringLiteral("Label2"), QStringLiteral("Setting"), Qt::white, maroon));

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(px(10));
    int row = 0;
    auto addField = [&](const QString& labelName, const QString& caption, QWidget* field,
                        QWidget* extra = nullptr) {
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
    m_removeProfileButton =
        Widgets::imageButton(content, QStringLiteral("SpeedButton6"), QStringLiteral("remove"),
                             QStringLiteral("Remove the selected connection"),
                             QStringLiteral("Remove the selected connection"), 34);
    addField(QStringLiteral("Label3"), QStringLiteral("Connection name"), m_profileChooser,
             m_removeProfileButton);

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
    m_portEdit =
        Widgets::edit(content, QStringLiteral("Edit2"), QStringLiteral("Port"), QStringLiteral("3306"));
    addField(QStringLiteral("Label7"), QStringLiteral("Port"), m_portEdit);
    m_databaseEdit = Widgets::edit(content, QStringLiteral("Edit11"), QStringLiteral("DataBase name"));
    addField(QStringLiteral("Label8"), QStringLiteral("DataBase name"), m_databaseEdit);
    m_prefixEdit = Widgets::edit(content, QStringLiteral("Edit3"), QStringLiteral("Prefix table"));
    addField(QStringLiteral("Label9"), QStringLiteral("Prefix table"), m_prefixEdit);
    m_userEdit = Widgets::edit(content, QStringLiteral("Edit4"), QStringLiteral("UserName"));
    addField(QStringLiteral("Label10"), QStringLiteral("UserName"), m_userEdit);
    m_passwordEdit = Widgets::edit(content, QStringLiteral("Edit5"), QStringLiteral("PassWord"));
    m_passwordEdit->setEchoMode(QLineEdit::Password);
    m_savePasswordCheck =
        Widgets::checkBox(content, QStringLiteral("CheckBox1"), QStringLiteral("Save password"));
    addField(QStringLiteral("Label11"), QStringLiteral("PassWord"), m_passwordEdit, m_savePasswordCheck);
    auto* passwordPlace = Widgets::label(
        content, QStringLiteral("LabelPasswordPlace"),
        ProfilePassword::keyringAvailable()
            ? QStringLiteral("A saved password is kept in the desktop keyring.")
            : QStringLiteral("No desktop keyring is running: a saved password is kept in the settings "
                             "file, readable only by you."));
    passwordPlace->setWordWrap(true);
    grid->addWidget(passwordPlace, row++, 1, 1, 2);
    const QString encryptionCaption = QStringLiteral("Encryption");
    m_encryptionCombo = Widgets::pickList(content, QStringLiteral("ComboBoxEncryption"), encryptionCaption,
                                          ConnectionSecurity::encryptionNames());
    addField(QStringLiteral("LabelEncryption"), encryptionCaption, m_encryptionCombo);
    const QString caCaption = QStringLiteral("CA file");
    m_caFileEdit = Widgets::edit(content, QStringLiteral("EditCaFile"), caCaption);
    m_caFileEdit->setPlaceholderText(QStringLiteral("the system's authorities"));
    m_chooseCaFileButton =
        Widgets::button(content, QStringLiteral("SpeedButtonCaFile"), QStringLiteral("..."));
    m_chooseCaFileButton->setAccessibleName(QStringLiteral("Choose the CA file"));
    addField(QStringLiteral("LabelCaFile"), caCaption, m_caFileEdit, m_chooseCaFileButton);
    m_throughSshCheck =
        Widgets::checkBox(content, QStringLiteral("CheckBoxSsh"), QStringLiteral("Through SSH"));
    grid->addWidget(m_throughSshCheck, row++, 1);
    m_sshHostEdit = Widgets::edit(content, QStringLiteral("EditSshHost"), QStringLiteral("SSH host"));
    addField(QStringLiteral("LabelSshHost"), QStringLiteral("SSH host"), m_sshHostEdit);
    m_sshPortEdit = Widgets::edit(content, QStringLiteral("EditSshPort"), QStringLiteral("SSH port"),
                                  SettingsFile::DefaultSshPort);
    addField(QStringLiteral("LabelSshPort"), QStringLiteral("SSH port"), m_sshPortEdit);
    m_sshUserEdit = Widgets::edit(content, QStringLiteral("EditSshUser"), QStringLiteral("SSH user"));
    m_sshUserEdit->setPlaceholderText(QStringLiteral("as in ~/.ssh/config"));
    addField(QStringLiteral("LabelSshUser"), QStringLiteral("SSH user"), m_sshUserEdit);
    m_sshKeyFileEdit =
        Widgets::edit(content, QStringLiteral("EditSshKeyFile"), QStringLiteral("SSH key file"));
    m_sshKeyFileEdit->setPlaceholderText(QStringLiteral("the SSH agent's keys"));
    m_chooseSshKeyFileButton =
        Widgets::button(content, QStringLiteral("SpeedButtonSshKeyFile"), QStringLiteral("..."));
    m_chooseSshKeyFileButton->setAccessibleName(QStringLiteral("Choose the SSH key file"));
    addField(QStringLiteral("LabelSshKeyFile"), QStringLiteral("SSH key file"), m_sshKeyFileEdit,
             m_chooseSshKeyFileButton);
    showSshFields(false);

    auto* buttons = new QHBoxLayout;
    m_addProfileButton = Widgets::imageButton(content, QStringLiteral("SpeedButton5"), QStringLiteral("add"),
                                              QString(), QStringLiteral("Add new connection"), 44);
    m_saveProfileButton =
        Widgets::imageButton(content, QStringLiteral("SpeedButton4"), QStringLiteral("save"), QString(),
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
    m_testConnectionButton =
        Widgets::imageButton(content, QStringLiteral("SpeedButton7"), QStringLiteral("test"),
                             QStringLiteral("Test connection ..."), QStringLiteral("Test connection ..."));
    test->addWidget(m_testConnectionButton, 0, Qt::AlignTop);
    m_connectionTestLog = new QListWidget(content);
    m_connectionTestLog->setObjectName(QStringLiteral("ListBox1"));
    m_connectionTestLog->setAccessibleName(QStringLiteral("Connection test log"));
    test->addWidget(m_connectionTestLog, 1);
    outer->addLayout(test, 1);

    on(m_profileChooser, &DropDownComboBox::aboutToDropDown, &SettingPage::fillProfiles);
    on(m_profileChooser, &QComboBox::activated, &SettingPage::showChosenProfile);
    on(m_addProfileButton, &QToolButton::clicked, &SettingPage::addProfile);
    on(m_saveProfileButton, &QToolButton::clicked, &SettingPage::saveProfileChanges);
    on(m_removeProfileButton, &QToolButton::clicked, &SettingPage::removeProfile);
    on(m_testConnectionButton, &QToolButton::clicked, &SettingPage::testConnection);
    on(m_chooseCaFileButton, &QPushButton::clicked, &SettingPage::chooseCaFile);
    on(m_chooseSshKeyFileButton, &QPushButton::clicked, &SettingPage::chooseSshKeyFile);
    connect(m_throughSshCheck, &QCheckBox::toggled, this, &SettingPage::showSshFields);
}

void SettingPage::fillProfiles()
{
    fillProfileNames(m_profileChooser);
}

void SettingPage::showChosenProfile()
{
    if (m_profileChooser->currentText().trimmed().isEmpty() || m_profileChooser->currentIndex() < 0)
        return;
    const ConnectionProfile p = ConnectionProfile::load(m_profileChooser->currentText());
    m_profileNameEdit->setText(p.name);
    m_storeTypeCombo->setCurrentIndex(
        p.storeType >= 0 && p.storeType < m_storeTypeCombo->count() ? p.storeType : -1);
    m_serverEdit->setText(p.server);
    m_portEdit->setText(p.port);
    m_databaseEdit->setText(p.database);
    m_prefixEdit->setText(p.prefix);
    m_userEdit->setText(p.user);
    m_passwordEdit->setText(p.password);
    // Saving the profile again must keep a password it holds.
    m_savePasswordCheck->setChecked(!p.password.isEmpty());
    m_encryptionCombo->setCurrentIndex(int(p.security.encryption));
    m_caFileEdit->setText(p.security.caFile);
    m_throughSshCheck->setChecked(p.throughSsh);
    m_sshHostEdit->setText(p.sshHost);
    m_sshPortEdit->setText(p.sshPort);
    m_sshUserEdit->setText(p.sshUser);
    m_sshKeyFileEdit->setText(p.sshKeyFile);
}

ConnectionProfile SettingPage::profileFromFields() const
{
    ConnectionProfile p;
    p.name = m_profileNameEdit->text();
    p.storeType = m_storeTypeCombo->currentIndex();
    p.storeTypeText = m_storeTypeCombo->currentText();
    p.server = m_serverEdit->text();
    p.port = m_portEdit->text();
    p.database = m_databaseEdit->text();
    p.prefix = m_prefixEdit->text();
    p.user = m_userEdit->text();
    p.password = m_passwordEdit->text();
    p.savePassword = m_savePasswordCheck->isChecked();
    p.security.encryption = ConnectionSecurity::Encryption(std::max(0, m_encryptionCombo->currentIndex()));
    p.security.caFile = m_caFileEdit->text().trimmed();
    p.throughSsh = m_throughSshCheck->isChecked();
    p.sshHost = m_sshHostEdit->text().trimmed();
    p.sshPort = m_sshPortEdit->text();
    p.sshUser = m_sshUserEdit->text().trimmed();
    p.sshKeyFile = m_sshKeyFileEdit->text().trimmed();
    return p;
}

void SettingPage::addProfile()
{
    const ConnectionProfile profile = profileFromFields();
    profile.checkForAdding();
    if (m_ui.confirm(QStringLiteral("Add new connection in list ?")))
        profile.add();
}

void SettingPage::saveProfileChanges()
{
    const ConnectionProfile profile = profileFromFields();
    if (profile.checkForSaving() && m_ui.confirm(QStringLiteral("Edit data of connection ?")))
        profile.saveChanges();
}

void SettingPage::removeProfile()
{
    const QString name = m_profileChooser->currentText();
    if (name.trimmed().isEmpty() || !m_ui.confirm(QStringLiteral("Delete connection in list ?")))
        return;
    bool clearSelector = false;
    ConnectionProfile::remove(name, clearSelector);
    if (clearSelector) {
        m_profileChooser->clear();
        m_profileChooser->setEditText(QString());
    }
}

void SettingPage::chooseCaFile()
{
    if (const auto file = m_ui.chooseOpenFile(QStringLiteral("*.pem;*.crt|*.pem;*.crt"), QString()))
        m_caFileEdit->setText(*file);
}

void SettingPage::chooseSshKeyFile()
{
    if (const auto file =
            m_ui.chooseOpenFile(QStringLiteral("*|*"), QDir::home().filePath(QStringLiteral(".ssh"))))
        m_sshKeyFileEdit->setText(*file);
}

// The SSH fields mean something only for a profile that goes through SSH.
void SettingPage::showSshFields(bool throughSsh)
{
    QWidget* const fields[] = {m_sshHostEdit, m_sshPortEdit, m_sshUserEdit, m_sshKeyFileEdit,
                               m_chooseSshKeyFileButton};
    for (QWidget* field : fields)
        field->setEnabled(throughSsh);
}

void SettingPage::testConnection()
{
    // The connection is a running job's.
    if (m_store.jobs.running())
        return;
    m_connectionTestLog->clear();
    ConnectionProfile profile = profileFromFields();
    // The password asked for stays in its field, whatever the test found.
    const ScopeExit keepPassword([&] { m_passwordEdit->setText(profile.password); });
    ::testConnection(
        profile, m_store.connection, m_store.query, [this] { return SharedStore::askPassword(m_ui); },
        [this](const QString& line) { m_connectionTestLog->addItem(line); });
}
