#include "SharedStore.h"

#include "Ui.h"
#include "platform/CheckFailure.h"

#include <QComboBox>

bool SharedStore::readChosenProfile(QComboBox* profiles, Ui& ui, const std::function<void()>& onChosen)
{
    if (jobs.running())
        return false;
    if (profiles->currentText().trimmed().isEmpty() || profiles->currentIndex() < 0)
        throw CheckFailure(QStringLiteral("Not select connection !!!"));
    const QString name = profiles->currentText();
    onChosen();
    session.readProfile(name);
    session.askPasswordIfEmpty([&ui] { return askPassword(ui); });
    return true;
}

QString SharedStore::askPassword(Ui& ui)
{
    return ui.promptPassword(QStringLiteral("Setting database"),
                             QStringLiteral("Enter password for database"));
}
