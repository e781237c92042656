#include "ExportProgressTab.h"

#include "ClickableLabel.h"
#include "Main.h"

#include <QCoreApplication>
#include <QLabel>
#include <QTabWidget>

void ExportProgressTab::setPathText(const QString& text)
{
    m_form.Label23->setText(text);
}

void ExportProgressTab::setFileText(const QString& text)
{
    m_form.Label24->setText(text);
}

void ExportProgressTab::setRowText(const QString& text)
{
    m_form.Label25->setText(text);
}

void ExportProgressTab::setBrandText(const QString& text)
{
    m_form.Label44->setText(text);
}

void ExportProgressTab::showProgressTab()
{
    m_form.PageControl1->setCurrentIndex(2);
}

void ExportProgressTab::processEvents()
{
    QCoreApplication::processEvents();
}

bool ExportProgressTab::goOn() const
{
    return m_form.exportGoOn;
}
