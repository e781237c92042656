#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <chrono>

// A helper program that runs beside this one for as long as the object lives, such as a
// tunnel. Unlike QProcess it belongs to no thread: it may be started on a job's thread and
// ended on the window's. What it writes to its error output is kept for reading at any time;
// no other file of ours reaches it, so that it cannot hold a connection of ours open.
class ChildProcess
{
public:
    // Starts program (looked up on PATH) with arguments; throws AppError when it cannot.
    ChildProcess(const QString& program, const QStringList& arguments);
    // Ends the program: asked first, killed when it does not end within a moment.
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // False once the program has ended.
    bool running();
    int processId() const { return m_pid; }
    // Everything the program wrote to its error output so far.
    QByteArray errorOutput() const;

    static constexpr std::chrono::milliseconds EndingGrace{2000};

private:
    int m_pid = -1;
    int m_errorFile = -1;
    bool m_ended = false;
};
