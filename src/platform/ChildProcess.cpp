#include "ChildProcess.h"

#include "AppError.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <spawn.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

ChildProcess::ChildProcess(const QString& program, const QStringList& arguments)
{
    // Kept in memory rather than read through a pipe: a pipe nobody drains would stop the
    // program once full.
    m_errorFile = ::memfd_create("child-errors", MFD_CLOEXEC);
    if (m_errorFile < 0)
        throw AppError(
            QStringLiteral("Cannot start %1: %2").arg(program, QString::fromLocal8Bit(std::strerror(errno))));

    std::vector<QByteArray> texts;
    texts.push_back(program.toLocal8Bit());
    for (const QString& argument : arguments)
        texts.push_back(argument.toLocal8Bit());
    std::vector<char*> argv;
    for (QByteArray& text : texts)
        argv.push_back(text.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, m_errorFile, 2);
    posix_spawn_file_actions_addclosefrom_np(&actions, 3);
    pid_t pid = -1;
    const int failed = ::posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (failed) {
        ::close(m_errorFile);
        throw AppError(QStringLiteral("Cannot start %1: %2")
                           .arg(program, QString::fromLocal8Bit(std::strerror(failed))));
    }
    m_pid = pid;
}

ChildProcess::~ChildProcess()
{
    if (running()) {
        ::kill(m_pid, SIGTERM);
        const auto deadline = std::chrono::steady_clock::now() + EndingGrace;
        while (running() && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        if (running()) {
            ::kill(m_pid, SIGKILL);
            int status = 0;
            while (::waitpid(m_pid, &status, 0) < 0 && errno == EINTR) {
            }
        }
    }
    ::close(m_errorFile);
}

bool ChildProcess::running()
{
    if (m_ended)
        return false;
    int status = 0;
    const pid_t reaped = ::waitpid(m_pid, &status, WNOHANG);
    if (reaped == m_pid || (reaped < 0 && errno == ECHILD))
        m_ended = true;
    return !m_ended;
}

QByteArray ChildProcess::errorOutput() const
{
    QByteArray text;
    char buffer[4096];
    off_t offset = 0;
    for (;;) {
        const ssize_t n = ::pread(m_errorFile, buffer, sizeof buffer, offset);
        if (n <= 0)
            break;
        text.append(buffer, n);
        offset += n;
    }
    return text;
}
