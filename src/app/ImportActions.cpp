#include "DropDownComboBox.h"
#include "MainWindow.h"
#include "Ui.h"
#include "Widgets.h"
#include "import/PriceListFolder.h"
#include "platform/ScopeExit.h"

#include <QLineEdit>
#include <QListWidget>
#include <QTabWidget>

void MainWindow::connectForImport()
{
    if (!readSessionProfile(m_importProfileChooser, [] {}))
        return;
    const ScopeExit closing([this] {
        // Its failed check is shown on the spot, the connection's error after it.
        guarded([this] { refreshPriceLists(); });
        m_importTabs->setCurrentIndex(1);
        m_query.close();
    });
    m_session.open(m_connection, m_query);
}

void MainWindow::chooseImportFolder()
{
    if (const auto folder = m_ui.chooseFolder(QStringLiteral("Choose a directory")))
        m_importFolderEdit->setText(*folder);
}

void MainWindow::refreshPriceLists()
{
    const auto files = listPriceListFiles(m_importFolderEdit->text());
    if (!files)
        return;
    m_priceListFiles->clear();
    for (const QString& file : *files)
        Widgets::addCheckItem(m_priceListFiles, file);
}

void MainWindow::toggleAllPriceLists()
{
    Widgets::toggleAllChecks(m_priceListFiles);
}
