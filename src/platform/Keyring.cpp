#include "Keyring.h"

#include <QEventLoop>
#include <QTimer>
#include <qt6keychain/keychain.h>

namespace {

// One request to the keyring, run to its end or until the keyring kept us waiting too long.
template <typename JobType> class Request
{
public:
    explicit Request(const QString& key) : m_job(new JobType(Keyring::Service))
    {
        m_job->setAutoDelete(false);
        m_job->setKey(key);
        m_job->setInsecureFallback(false); // never a plain file behind the operator's back
    }

    ~Request()
    {
        // A job still waiting for the keyring must outlive us: it ends itself when answered.
        if (m_finished)
            delete m_job;
        else
            m_job->setAutoDelete(true);
    }

    Request(const Request&) = delete;
    Request& operator=(const Request&) = delete;

    JobType& job() { return *m_job; }

    Keyring::Outcome run()
    {
        QEventLoop loop;
        // The loop is the context: an answer after the timeout finds no one listening.
        QObject::connect(m_job, &QKeychain::Job::finished, &loop, [&] {
            m_finished = true;
            loop.quit();
        });
        QTimer::singleShot(Keyring::AnswerTimeout, &loop, &QEventLoop::quit);
        m_job->start();
        // Clicks and keys wait for the answer: no handler of the window may start meanwhile.
        loop.exec(QEventLoop::ExcludeUserInputEvents);
        if (!m_finished)
            return Keyring::Outcome::Unavailable;
        switch (m_job->error()) {
        case QKeychain::NoError:
            return Keyring::Outcome::Done;
        case QKeychain::EntryNotFound:
            return Keyring::Outcome::NotFound;
        default:
            return Keyring::Outcome::Unavailable;
        }
    }

private:
    JobType* m_job;
    bool m_finished = false;
};

} // namespace

Keyring::Answer Keyring::read(const QString& key)
{
    Request<QKeychain::ReadPasswordJob> request(key);
    Answer answer;
    answer.outcome = request.run();
    if (answer.outcome == Outcome::Done)
        answer.secret = request.job().textData();
    return answer;
}

Keyring::Outcome Keyring::write(const QString& key, const QString& secret)
{
    Request<QKeychain::WritePasswordJob> request(key);
    request.job().setTextData(secret);
    return request.run();
}

Keyring::Outcome Keyring::remove(const QString& key)
{
    const Outcome outcome = Request<QKeychain::DeletePasswordJob>(key).run();
    // Nothing to remove is as good as removed.
    return outcome == Outcome::NotFound ? Outcome::Done : outcome;
}
