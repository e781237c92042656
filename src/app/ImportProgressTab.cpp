#include "ImportProgressTab.h"

#include "JobThread.h"

#include <QLabel>
#include <QPlainTextEdit>

ImportProgressTab::ImportProgressTab(QLabel* status, QPlainTextEdit* log, JobThread& jobs,
                                     FailureHandler onFailure)
    : m_status(status), m_log(log), m_jobs(jobs), m_onFailure(std::move(onFailure))
{
}

void ImportProgressTab::setStatus(const QString& text)
{
    m_jobs.report(Status, [this, text] { m_status->setText(text); });
}

void ImportProgressTab::setCountStatus(const QString& before, qint64 number, const QString& after)
{
    // Rows change it by the hundred thousand: the text is put together only when it is shown.
    m_jobs.report(Status, [this, before, number, after] {
        m_status->setText(before + QString::number(number) + after);
    });
}

void ImportProgressTab::log(const QString& line)
{
    m_jobs.report(0, [this, line] { m_log->appendPlainText(QString(line).replace(u'\r', u'\n')); });
}

void ImportProgressTab::failed(const QString& message)
{
    m_jobs.ask<bool>(
        [&] {
            m_onFailure(message);
            return true;
        },
        false);
}

void ImportProgressTab::processEvents()
{
    m_jobs.yield();
}
