#include "DropDownComboBox.h"
#include "MainWindow.h"
#include "Ui.h"
#include "Widgets.h"
#include "platform/ScopeExit.h"
#include "platform/CheckFailure.h"
#include "store/BrandQuery.h"

#include <QLineEdit>
#include <QListWidget>
#include <QTabWidget>

void MainWindow::connectForExport()
{
    if (!readSessionProfile(m_exportProfileChooser, [this] { m_brandList->clear(); }))
        return;
    const ScopeExit closing([this] {
        m_exportTabs->setCurrentIndex(1);
        m_query.close();
    });
    if (m_session.open(m_connection, m_query))
        loadBrandList();
}

bool MainWindow::readSessionProfile(QComboBox* profiles, const std::function<void()>& onChosen)
{
    if (jobRunning())
        return false;
    if (profiles->currentText().trimmed().isEmpty() || profiles->currentIndex() < 0)
        throw CheckFailure(QStringLiteral("Not select connection !!!"));
    const QString name = profiles->currentText();
    onChosen();
    m_session.readProfile(name);
    m_session.askPasswordIfEmpty([this] { return askDatabasePassword(); });
    return true;
}

QString MainWindow::askDatabasePassword()
{
    return m_ui.promptPassword(QStringLiteral("Setting database"), QStringLiteral("Enter password for database"));
}

void MainWindow::loadBrandList()
{
    std::vector<Brand> brands = loadBrands(m_query, m_session.schema);
    sortBrands(brands);
    for (const Brand& brand : brands)
        Widgets::addCheckItem(m_brandList, brand.name, brand.id);
}

void MainWindow::chooseExportFolder()
{
    if (const auto folder = m_ui.chooseFolder(QStringLiteral("Choose a directory")))
        m_exportFolderEdit->setText(*folder);
}

void MainWindow::toggleAllBrands()
{
    Widgets::toggleAllChecks(m_brandList);
}

void MainWindow::keepIdColumnTicked()
{
    if (m_exportColumnList->item(0)->checkState() != Qt::Checked)
        m_exportColumnList->item(0)->setCheckState(Qt::Checked);
}

void MainWindow::keepSeoIdColumnsTicked()
{
    for (int identifier : {0, 9})
        if (m_seoColumnList->item(identifier)->checkState() != Qt::Checked)
            m_seoColumnList->item(identifier)->setCheckState(Qt::Checked);
}

void MainWindow::clearBrandList()
{
    m_brandList->clear();
}
