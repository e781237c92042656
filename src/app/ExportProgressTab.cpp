#include "ExportProgressTab.h"

#include "ClickableLabel.h"
#include "JobThread.h"

#include <QLabel>
#include <QTabWidget>
#include <QThread>

ExportProgressTab::ExportProgressTab(const Controls& controls, JobThread& jobs)
    : m_controls(controls), m_jobs(jobs)
{
}

void ExportProgressTab::show(Key key, std::function<void()> update)
{
    if (QThread::currentThread() == m_controls.tabs->thread())
        update();
    else
        m_jobs.report(key, std::move(update));
}

void ExportProgressTab::setPathText(const QString& text)
{
    show(Path, [this, text] { m_controls.path->setText(text); });
}

void ExportProgressTab::setFileText(const QString& text)
{
    show(FileNumber, [this, text] { m_controls.fileNumber->setText(text); });
}

void ExportProgressTab::setRowText(const QString& text)
{
    show(RowNumber, [this, text] { m_controls.rowNumber->setText(text); });
}

void ExportProgressTab::setBrandText(const QString& text)
{
    show(Brand, [this, text] { m_controls.brand->setText(text); });
}

void ExportProgressTab::showProgressTab()
{
    show(Tab, [this] {
        m_controls.tabs->setCurrentIndex(2);
        pinCounterSizes(true);
    });
}

void ExportProgressTab::processEvents()
{
    m_jobs.yield();
}

void ExportProgressTab::runEnded()
{
    pinCounterSizes(false);
}

void ExportProgressTab::pinCounterSizes(bool pinned)
{
    for (QLabel* label : {m_controls.fileNumber, m_controls.rowNumber}) {
        if (pinned) {
            label->setFixedSize(label->size());
        } else {
            label->setMinimumSize(0, 0);
            label->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        }
    }
}
