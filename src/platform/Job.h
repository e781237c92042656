#pragma once

// The running state and stop request of one long job. A run marks its job running for its
// length through a RunScope; a stop requested meanwhile is seen by the run at its next look
// and forgotten when the run ends, so the next run starts afresh.
class Job
{
public:
    bool isRunning() const { return m_running; }
    bool stopRequested() const { return m_stopRequested; }
    // Does nothing while the job is idle.
    void requestStop() { m_stopRequested = m_running; }

protected:
    Job() = default;
    ~Job() = default;
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
    bool m_running = false;
    bool m_stopRequested = false;
};
