#pragma once

#include "MainWindow.h"

#include <QAbstractButton>
#include <QTest>

// The window's jobs run on a thread of their own: a test that starts one waits until it is
// over, its closing steps on the window (the question after an import, the script run it may
// start) included. False when it takes longer than two minutes.
inline bool waitForJobs(const MainWindow& form)
{
    return QTest::qWaitFor([&] { return !form.jobRunning(); }, 120000);
}

// Clicks a button that may start a job, and waits for it.
inline bool clickAndWait(const MainWindow& form, QAbstractButton* button)
{
    QTest::mouseClick(button, Qt::LeftButton);
    return waitForJobs(form);
}
