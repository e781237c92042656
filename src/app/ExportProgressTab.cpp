#include "ExportProgressTab.h"

#include "ClickableLabel.h"
#include "Main.h"

#include <QCoreApplication>
#include <QEvent>
#include <QLabel>
#include <QScreen>
#include <QTabWidget>

ExportProgressTab::ExportProgressTab(TForm1& form) : m_form(form)
{
    const qreal rate = m_form.screen() ? m_form.screen()->refreshRate() : 0;
    m_nextFrame.setSingleShot(true);
    m_nextFrame.setInterval(rate > 0 ? qRound(1000 / rate) : 16);
    connect(&m_nextFrame, &QTimer::timeout, this, &ExportProgressTab::showCounters);
    // A window paints after an update request, and a label also when it is uncovered.
    m_form.installEventFilter(this);
    m_form.Label24->installEventFilter(this);
    m_form.Label25->installEventFilter(this);
}

ExportProgressTab::~ExportProgressTab()
{
    showCounters();
    pinCounterSizes(false);
}

void ExportProgressTab::setPathText(const QString& text)
{
    m_form.Label23->setText(text);
}

void ExportProgressTab::setFileText(const QString& text)
{
    m_fileText = text;
    counterChanged();
}

void ExportProgressTab::setRowText(const QString& text)
{
    m_rowText = text;
    counterChanged();
}

void ExportProgressTab::setBrandText(const QString& text)
{
    m_form.Label44->setText(text);
}

void ExportProgressTab::showProgressTab()
{
    m_form.PageControl1->setCurrentIndex(2);
    pinCounterSizes(true);
}

void ExportProgressTab::processEvents()
{
    QCoreApplication::processEvents();
}

bool ExportProgressTab::goOn() const
{
    return m_form.exportGoOn;
}

bool ExportProgressTab::eventFilter(QObject* watched, QEvent* event)
{
    if ((watched == &m_form && event->type() == QEvent::UpdateRequest) ||
        (watched != &m_form && event->type() == QEvent::Paint))
        showCounters();
    return false;
}

void ExportProgressTab::counterChanged()
{
    m_countersPending = true;
    if (!m_nextFrame.isActive())
        m_nextFrame.start();
}

void ExportProgressTab::showCounters()
{
    if (!m_countersPending)
        return;
    m_countersPending = false;
    if (!m_fileText.isNull())
        m_form.Label24->setText(m_fileText);
    if (!m_rowText.isNull())
        m_form.Label25->setText(m_rowText);
}

void ExportProgressTab::pinCounterSizes(bool pinned)
{
    if (pinned == m_countersPinned)
        return;
    m_countersPinned = pinned;
    for (QLabel* label : {m_form.Label24, m_form.Label25}) {
        if (pinned) {
            label->setFixedSize(label->size());
        } else {
            label->setMinimumSize(0, 0);
            label->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        }
    }
}
