#pragma once

#include <atomic>

// The running state and stop request of one long job. A run marks its job running for its
// length through a RunScope; a stop requested meanwhile is seen by the run at its next look
// and forgotten when the run ends, so the next run starts afresh. The run may be on another
// thread than the one that asks it to stop.
class Job
{
public:
    bool isRunning() const { return m_running; }
    bool stopRequested() const { return m_stopRequested; }
    // Does nothing while the job is idle.
    void requestStop() { m_stopRequested = m_running.load(); }
    // Ends the run at its next look because whoever waits for its result is going away: by
    // default the same as a stop.
    virtual void abandon() { requestStop(); }

protected:
    Job() = default;
    virtual ~Job() = default;
    Job(const Job&) = delete;
    Job& operator=(const Job&) = delete;

    class RunScope
    {
    public:
        explicit RunScope(Job& job) : m_job(job)
        {
            m_job.m_running = true;
            m_job.m_stopRequested = false;
        }
        ~RunScope()
        {
            m_job.m_running = false;
            m_job.m_stopRequested = false;
        }
        RunScope(const RunScope&) = delete;
        RunScope& operator=(const RunScope&) = delete;

    private:
        Job& m_job;
    };

private:
    std::atomic<bool> m_running = false;
    std::atomic<bool> m_stopRequested = false;
};
