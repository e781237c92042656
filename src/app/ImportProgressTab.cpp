#include "ImportProgressTab.h"

#include <QLabel>
#include <QPlainTextEdit>

ImportProgressTab::ImportProgressTab(QLabel* status, QPlainTextEdit* log, const QWidget& window,
                                     FailureHandler onFailure)
    : m_status(status), m_log(log), m_pacer(window), m_onFailure(std::move(onFailure)),
      m_statusText(status->text())
{
    m_status->setFixedSize(m_status->size());
}

ImportProgressTab::~ImportProgressTab()
{
    showStatus();
    m_status->setMinimumSize(0, 0);
    m_status->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
}

void ImportProgressTab::setStatus(const QString& text)
{
    m_statusText = text;
    m_count.reset();
}

void ImportProgressTab::setCountStatus(const QString& before, qint64 number, const QString& after)
{
    m_statusText = before;
    m_count = number;
    m_statusEnd = after;
}

void ImportProgressTab::log(const QString& line)
{
    m_log->appendPlainText(QString(line).replace(u'\r', u'\n'));
}

void ImportProgressTab::processEvents()
{
    if (!m_pacer.due())
        return;
    showStatus();
    FramePacer::processEvents();
}

void ImportProgressTab::failed(const QString& message)
{
    showStatus();
    m_onFailure(message);
}

void ImportProgressTab::showStatus()
{
    m_status->setText(m_count ? m_statusText + QString::number(*m_count) + m_statusEnd : m_statusText);
}
