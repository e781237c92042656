#pragma once

#include "platform/Job.h"

#include <QObject>
#include <QTimer>
#include <condition_variable>
#include <deque>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

// Runs the window's long jobs, one at a time, on a thread of their own, so that the window's
// thread stays free to paint and to take a click on Stop. The job's thread reports to the
// window through report() and asks it through ask(); the window's thread takes both up once
// a display frame, so that a job reporting every row costs the window one update a frame.
// Everything crossing between the two threads goes through one mutex.
class JobThread : public QObject
{
public:
    explicit JobThread(QObject* parent = nullptr);
    ~JobThread() override;

    // Starts work on the job's thread, for job (whose stop request ends it). Once work has
    // returned, its reports are shown and onDone runs on the window's thread; an error work
    // threw is thrown again there, into onDone's caller's guard: onDone(error) gets it.
    // False, starting nothing, while another job runs.
    bool start(Job& job, std::function<void()> work, std::function<void(std::exception_ptr error)> onDone);
    // True from start() until onDone has run.
    bool running() const { return m_running; }

    // From the job's thread: show runs on the window's thread at its next frame. A report of
    // a key replaces one of the same key not yet shown, so that a counter is shown at its
    // latest; key 0 reports are all shown, in order.
    void report(int key, std::function<void()> show);
    // From the job's thread, where it would have let the window process its events (after a
    // row, a file, a statement): in lock step, waits until the window has taken up the reports
    // so far; otherwise nothing.
    void yield();
    // From the job's thread: runs question on the window's thread, after the reports before
    // it, and waits for its answer; whenAbandoned once the window is going away.
    template <typename T> T ask(std::function<T()> question, T whenAbandoned);

    // From the window's thread, when it closes: no more questions are asked, the running job
    // is abandoned (Job::abandon) and waited for; its onDone never runs.
    void stopAndWait();

    // Tests that act on what a job reports, such as a click on Stop at the third row, have the
    // job wait at every yield() until the window has taken up its reports: the job is then at
    // the row it reported when the window acts.
    static void setLockStep(bool lockStep);
    // In lock step, watcher runs on the window's thread at every yield() of a job, once the
    // reports before it are shown and before the job goes on: where a test looks at the window.
    static void setYieldWatcher(std::function<void()> watcher);

private:
    // A call for the window's thread: a report, or a question whose answer is waited for.
    struct Call
    {
        int key;
        std::function<void()> run;
        bool done = false;
        bool yield = false;
    };

    void post(std::shared_ptr<Call> call, bool wait);
    // On the window's thread: the calls that came, and the end of the job.
    void takeUp();

    std::mutex m_mutex;
    std::condition_variable m_taken;
    std::deque<std::shared_ptr<Call>> m_calls;
    bool m_finished = false;
    bool m_abandoned = false;
    std::exception_ptr m_error;

    Job* m_job = nullptr;
    bool m_running = false;
    bool m_takingUp = false;
    std::thread m_thread;
    std::function<void(std::exception_ptr)> m_onDone;
    QTimer m_frame;
};

template <typename T> T JobThread::ask(std::function<T()> question, T whenAbandoned)
{
    T answer = whenAbandoned;
    auto call = std::make_shared<Call>();
    call->key = 0;
    call->run = [&] { answer = question(); };
    post(call, true);
    return answer;
}

// An error a job threw, thrown again where its onDone runs.
inline void rethrowIfAny(const std::exception_ptr& error)
{
    if (error)
        std::rethrow_exception(error);
}
