#pragma once

#include "Ui.h"

class MainWindow;
class QAbstractButton;
#include "export/CsvSettings.h"
#include "store/ConnectionProfile.h"

#include <QElapsedTimer>
#include <QString>
#include <QTimer>
#include <functional>

// Answers the dialog seam without a person, so that a run that went wrong does not pass for
// a figure: messages and password prompts are complaints, error boxes are counted (the first
// few printed), confirmations are Yes unless answer says otherwise, the open-file dialog
// gives fileToOpen.
class BenchUi : public Ui
{
public:
    int complaints = 0;
    int errors = 0;
    std::function<bool(const QString& question)> answer;
    std::optional<QString> fileToOpen;

    void message(const QString& text) override;
    bool confirm(const QString& text) override { return answer ? answer(text) : true; }
    bool confirm(const QString& text, DefaultAnswer) override { return confirm(text); }
    QString promptPassword(const QString&, const QString&) override;
    std::optional<QString> chooseFolder(const QString&) override { return std::nullopt; }
    std::optional<QString> chooseOpenFile(const QString&, const QString&) override { return fileToOpen; }
    void errorBox(const QString& text) override;
    bool errorBoxOfRun(const QString& text) override
    {
        errorBox(text);
        return false;
    }
    void openWithDesktop(const QString&) override {}
};

// The profile "Demo store" for the store that scripts/demo-store.sh describes in connectionIni,
// with its password saved.
ConnectionProfile demoProfile(const QString& connectionIni);

// The data rows of the CSV files baseName*.csv in folder (lines after each file's header).
qint64 csvDataRows(const QString& folder, const QString& baseName);

// This process's peak memory (VmHWM) and its processor time so far.
QString peakMemory();
double cpuSeconds();
// This process's resident memory now (VmRSS), in kB.
qint64 residentKilobytes();

// The export settings as the EXPORT page holds them, the folder replaced.
CsvSettings exportSettings(MainWindow& form, const QString& folder);

// Clicks a button of the window that starts a job, and runs the window's event loop until the
// job is over, its closing steps on the window included.
void clickAndWait(MainWindow& form, QAbstractButton* button);

// Runs work on a thread of its own while the window's event loop runs, as a job of the window
// runs; passes on what it throws.
void runBesideWindow(const std::function<void()>& work);

// The figures of one timed run, printed as KEY=VALUE lines: its time, this process's processor
// time, the server's (from /proc of the pid in BENCH_SERVER_PID), and the longest frame: the
// longest stretch in which the window processed no events, found by a zero-interval timer that
// notes every pass of the event loop.
class RunMeter
{
public:
    RunMeter();
    void start();
    void stop();
    double seconds() const { return m_seconds; }
    // Prints the figures, then peak memory in kB.
    void print() const;

private:
    void tick();

    QElapsedTimer m_clock;
    QTimer m_watchdog;
    QElapsedTimer m_sinceTick;
    qint64 m_longestFrame = 0;
    double m_seconds = 0;
    double m_cpu = 0;
    double m_serverCpu = 0;
};
