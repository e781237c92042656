#include "JobThread.h"

#include <QGuiApplication>
#include <QScopeGuard>
#include <QScreen>
#include <algorithm>
#include <atomic>

namespace {

std::atomic<bool> lockStep = false;
std::function<void()> yieldWatcher; // the window's thread's alone

int frameMilliseconds()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    const qreal rate = screen && screen->refreshRate() > 0 ? screen->refreshRate() : 60;
    return std::max(1, qRound(1000 / rate));
}

} // namespace

JobThread::JobThread(QObject* parent) : QObject(parent)
{
    connect(&m_frame, &QTimer::timeout, this, &JobThread::takeUp);
}

JobThread::~JobThread()
{
    stopAndWait();
}

void JobThread::setLockStep(bool value)
{
    lockStep = value;
}

void JobThread::setYieldWatcher(std::function<void()> watcher)
{
    yieldWatcher = std::move(watcher);
}

bool JobThread::start(Job& job, std::function<void()> work, std::function<void(std::exception_ptr)> onDone)
{
    if (m_running)
        return false;
    m_running = true;
    m_job = &job;
    m_onDone = std::move(onDone);
    {
        const std::lock_guard lock(m_mutex);
        m_finished = false;
        m_abandoned = false;
        m_error = nullptr;
    }
    // In lock step the window takes up every call as soon as it can.
    m_frame.start(lockStep ? 0 : frameMilliseconds());
    m_thread = std::thread([this, work = std::move(work)] {
        std::exception_ptr error;
        try {
            work();
        } catch (...) {
            error = std::current_exception();
        }
        const std::lock_guard lock(m_mutex);
        m_error = error;
        m_finished = true;
    });
    return true;
}

void JobThread::report(int key, std::function<void()> show)
{
    auto call = std::make_shared<Call>();
    call->key = key;
    call->run = std::move(show);
    post(std::move(call), false);
}

void JobThread::yield()
{
    if (!lockStep)
        return;
    auto call = std::make_shared<Call>();
    call->key = 0;
    call->yield = true;
    call->run = [] {
        if (yieldWatcher)
            yieldWatcher();
    };
    post(std::move(call), true);
}

void JobThread::post(std::shared_ptr<Call> call, bool wait)
{
    std::unique_lock lock(m_mutex);
    if (m_abandoned)
        return;
    if (call->key != 0) {
        const auto same = std::find_if(m_calls.begin(), m_calls.end(),
                                       [&](const std::shared_ptr<Call>& c) { return c->key == call->key; });
        if (same != m_calls.end() && !wait) {
            (*same)->run = std::move(call->run);
            return;
        }
    }
    m_calls.push_back(call);
    if (wait)
        m_taken.wait(lock, [&] { return call->done || m_abandoned; });
}

void JobThread::takeUp()
{
    // A question's dialog runs an event loop of its own, in which the timer comes again.
    if (m_takingUp)
        return;
    m_takingUp = true;
    const auto takenUp = qScopeGuard([this] { m_takingUp = false; });
    std::deque<std::shared_ptr<Call>> calls;
    bool finished = false;
    std::exception_ptr error;
    {
        const std::lock_guard lock(m_mutex);
        calls.swap(m_calls);
        finished = m_finished;
        error = m_error;
    }
    // Each call is marked done as it ends, and a job's thread that waits for it goes on then.
    for (const std::shared_ptr<Call>& call : calls) {
        try {
            call->run();
        } catch (...) {
            // What a call shows is the window's: a failure there must not hold the job.
        }
        const std::lock_guard lock(m_mutex);
        call->done = true;
        m_taken.notify_all();
    }
    if (!finished || !m_running || !calls.empty())
        return;
    {
        const std::lock_guard lock(m_mutex);
        if (!m_calls.empty())
            return;
    }
    m_frame.stop();
    m_thread.join();
    m_running = false;
    m_job = nullptr;
    if (auto onDone = std::exchange(m_onDone, nullptr))
        onDone(error);
}

void JobThread::stopAndWait()
{
    if (!m_running)
        return;
    // The job learns of its end before it is let go from a wait: it must not start on another row.
    if (m_job)
        m_job->abandon();
    {
        const std::lock_guard lock(m_mutex);
        m_abandoned = true;
        m_calls.clear();
        m_taken.notify_all();
    }
    if (m_thread.joinable())
        m_thread.join();
    m_frame.stop();
    m_running = false;
    m_job = nullptr;
    m_onDone = nullptr;
}
