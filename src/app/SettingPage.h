#pragma once

#include "Page.h"
#include "store/ConnectionProfile.h"

class DropDownComboBox;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QToolButton;
struct SharedStore;

// SETTING: the editor of the connection profiles and the test of a connection.
class SettingPage : public Page
{
public:
    SettingPage(Ui& ui, SharedStore& store, QWidget* parent = nullptr);

private:
    void fillProfiles();
    void showChosenProfile();
    void addProfile();
    void saveProfileChanges();
    void removeProfile();
    void testConnection();
    void chooseCaFile();
    void chooseSshKeyFile();
    void showSshFields(bool throughSsh);
    ConnectionProfile profileFromFields() const;

    SharedStore& m_store;

    DropDownComboBox* m_profileChooser = nullptr;
    QToolButton* m_removeProfileButton = nullptr;
    QLineEdit* m_profileNameEdit = nullptr;
    QComboBox* m_storeTypeCombo = nullptr;
    QLineEdit* m_serverEdit = nullptr;
    QLineEdit* m_portEdit = nullptr;
    QLineEdit* m_databaseEdit = nullptr;
    QLineEdit* m_prefixEdit = nullptr;
    QLineEdit* m_userEdit = nullptr;
    QLineEdit* m_passwordEdit = nullptr;
    QCheckBox* m_savePasswordCheck = nullptr;
    QComboBox* m_encryptionCombo = nullptr;
    QLineEdit* m_caFileEdit = nullptr;
    QPushButton* m_chooseCaFileButton = nullptr;
    QCheckBox* m_throughSshCheck = nullptr;
    QLineEdit* m_sshHostEdit = nullptr;
    QLineEdit* m_sshPortEdit = nullptr;
    QLineEdit* m_sshUserEdit = nullptr;
    QLineEdit* m_sshKeyFileEdit = nullptr;
    QPushButton* m_chooseSshKeyFileButton = nullptr;
    QToolButton* m_addProfileButton = nullptr;
    QToolButton* m_saveProfileButton = nullptr;
    QToolButton* m_testConnectionButton = nullptr;
    QListWidget* m_connectionTestLog = nullptr;
};
