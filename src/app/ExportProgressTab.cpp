#include "ExportProgressTab.h"

#include "ClickableLabel.h"
#include "FramePacer.h"
#include "db/DbConnection.h"

#include <QEvent>
#include <QLabel>
#include <QTabWidget>

ExportProgressTab::ExportProgressTab(const Controls& controls, QWidget& window, DbConnection& connection)
    : m_controls(controls), m_window(window), m_connection(connection), m_pacer(window)
{
    m_connection.setWhileWaiting([this] { processEvents(); });
    m_nextFrame.setSingleShot(true);
    m_nextFrame.setInterval(qRound(FramePacer::frameNanoseconds(window) / 1e6));
    connect(&m_nextFrame, &QTimer::timeout, this, &ExportProgressTab::showCounters);
    // A window paints after an update request, and a label also when it is uncovered.
    m_window.installEventFilter(this);
    m_controls.fileNumber->installEventFilter(this);
    m_controls.rowNumber->installEventFilter(this);
}

ExportProgressTab::~ExportProgressTab()
{
    m_connection.setWhileWaiting({});
    showCounters();
    pinCounterSizes(false);
}

void ExportProgressTab::setPathText(const QString& text)
{
    m_controls.path->setText(text);
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
    m_controls.brand->setText(text);
}

void ExportProgressTab::showProgressTab()
{
    m_controls.tabs->setCurrentIndex(2);
    pinCounterSizes(true);
}

void ExportProgressTab::processEvents()
{
    if (m_pacer.due())
        FramePacer::processEvents();
}

bool ExportProgressTab::eventFilter(QObject* watched, QEvent* event)
{
    if ((watched == &m_window && event->type() == QEvent::UpdateRequest) ||
        (watched != &m_window && event->type() == QEvent::Paint))
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
        m_controls.fileNumber->setText(m_fileText);
    if (!m_rowText.isNull())
        m_controls.rowNumber->setText(m_rowText);
}

void ExportProgressTab::pinCounterSizes(bool pinned)
{
    if (pinned == m_countersPinned)
        return;
    m_countersPinned = pinned;
    for (QLabel* label : {m_controls.fileNumber, m_controls.rowNumber}) {
        if (pinned) {
            label->setFixedSize(label->size());
        } else {
            label->setMinimumSize(0, 0);
            label->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        }
    }
}
