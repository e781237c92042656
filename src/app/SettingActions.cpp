#include "DropDownComboBox.h"
#include "MainWindow.h"
#include "Ui.h"
#include "store/ConnectionProfile.h"
#include "store/ConnectionTest.h"
#include "store/ProfileList.h"
#include "platform/ScopeExit.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>

namespace {

void fillProfileNames(QComboBox* combo)
{
    combo->clear();
    combo->addItems(readProfileNames(readStoredProfileList()));
    combo->setCurrentIndex(-1);
}

} // namespace

void MainWindow::fillSettingProfiles()
{
    fillProfileNames(m_profileChooser);
}

void MainWindow::fillExportProfiles()
{
    m_brandList->clear();
    fillProfileNames(m_exportProfileChooser);
}

void MainWindow::fillImportProfiles()
{
    fillProfileNames(m_importProfileChooser);
}

void MainWindow::showChosenProfile()
{
    if (m_profileChooser->currentText().trimmed().isEmpty() || m_profileChooser->currentIndex() < 0)
        return;
    const ConnectionProfile p = ConnectionProfile::load(m_profileChooser->currentText());
    m_profileNameEdit->setText(p.name);
    m_storeTypeCombo->setCurrentIndex(p.storeType >= 0 && p.storeType < m_storeTypeCombo->count() ? p.storeType : -1);
    m_serverEdit->setText(p.server);
    m_portEdit->setText(p.port);
    m_databaseEdit->setText(p.database);
    m_prefixEdit->setText(p.prefix);
    m_userEdit->setText(p.user);
    m_passwordEdit->setText(p.password);
    // Saving the profile again must keep a password it holds.
    m_savePasswordCheck->setChecked(!p.password.isEmpty());
}

ConnectionProfile MainWindow::profileFromFields() const
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
    return p;
}

void MainWindow::addProfile()
{
    const ConnectionProfile profile = profileFromFields();
    profile.checkForAdding();
    if (m_ui.confirm(QStringLiteral("Add new connection in list ?")))
        profile.add();
}

void MainWindow::saveProfileChanges()
{
    const ConnectionProfile profile = profileFromFields();
    if (profile.checkForSaving() && m_ui.confirm(QStringLiteral("Edit data of connection ?")))
        profile.saveChanges();
}

void MainWindow::removeProfile()
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

void MainWindow::testConnection()
{
    if (jobRunning())
        return;
    m_connectionTestLog->clear();
    ConnectionProfile profile = profileFromFields();
    // The password asked for stays in its field, whatever the test found.
    const ScopeExit keepPassword([&] { m_passwordEdit->setText(profile.password); });
    ::testConnection(profile, m_connection, m_query, [this] { return askDatabasePassword(); },
                     [this](const QString& line) { m_connectionTestLog->addItem(line); });
}
