#include "BenchSupport.h"

#include "MainWindow.h"
#include "WindowControls.h"

#include "settings/IniFile.h"
#include <QAbstractButton>
#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>

#include <QDir>
#include <QFile>
#include <algorithm>
#include <atomic>
#include <cstdio>
#include <sys/resource.h>
#include <thread>
#include <unistd.h>

void BenchUi::message(const QString& text)
{
    ++complaints;
    std::fprintf(stderr, "message: %s\n", qPrintable(text));
}

QString BenchUi::promptPassword(const QString&, const QString&)
{
    ++complaints;
    std::fprintf(stderr, "the profile has no password\n");
    return {};
}

void BenchUi::errorBox(const QString& text)
{
    if (++errors <= 3)
        std::fprintf(stderr, "error: %s\n", qPrintable(text.left(300)));
}

ConnectionProfile demoProfile(const QString& connectionIni)
{
    const IniFile ini(connectionIni);
    const auto value = [&](const char* key) {
        return ini.readString(QStringLiteral("server"), QString::fromLatin1(key));
    };
    ConnectionProfile p;
    p.name = QStringLiteral("Demo store");
    p.storeTypeText = ConnectionProfile::VirtueMart2TypeText;
    p.server = value("host");
    p.port = value("port");
    p.database = value("database");
    p.prefix = value("prefix");
    p.user = value("user");
    p.password = value("password");
    p.savePassword = true;
    return p;
}

CsvSettings exportSettings(MainWindow& form, const QString& folder)
{
    return CsvSettings::read({folder, control<QLineEdit>(form, "Edit6")->text(),
                              control<QComboBox>(form, "ComboBox5")->currentText(),
                              control<QComboBox>(form, "ComboBox6")->currentText()});
}

qint64 csvDataRows(const QString& folder, const QString& baseName)
{
    qint64 rows = 0;
    for (const QString& name : QDir(folder).entryList({baseName + QStringLiteral("*.csv")}, QDir::Files)) {
        QFile file(QDir(folder).filePath(name));
        if (file.open(QIODevice::ReadOnly))
            rows += file.readAll().count("\r\n") - 1;
    }
    return rows;
}

namespace {

// The value of a line of /proc/self/status, e.g. "1234 kB" for "VmHWM"; empty without one.
QString processStatus(QByteArrayView name)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (status.open(QIODevice::ReadOnly))
        for (const QByteArray& line : status.readAll().split('\n'))
            if (line.startsWith(name) && line.mid(name.size()).startsWith(':'))
                return QString::fromLatin1(line.mid(name.size() + 1).simplified());
    return {};
}

} // namespace

QString peakMemory()
{
    const QString peak = processStatus("VmHWM");
    return peak.isEmpty() ? QStringLiteral("unknown") : peak;
}

qint64 residentKilobytes()
{
    return processStatus("VmRSS").section(u' ', 0, 0).toLongLong();
}

namespace {

// User and system time of the server process, -1 without BENCH_SERVER_PID.
double serverCpuSeconds()
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(qEnvironmentVariable("BENCH_SERVER_PID")));
    if (qEnvironmentVariableIsEmpty("BENCH_SERVER_PID") || !stat.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray text = stat.readAll();
    // The fields after the command name, which may hold spaces; utime and stime are 14 and 15.
    const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
    return fields.size() > 12
               ? double(fields[11].toLongLong() + fields[12].toLongLong()) / sysconf(_SC_CLK_TCK)
               : -1;
}

} // namespace

RunMeter::RunMeter()
{
    m_watchdog.setInterval(0);
    QObject::connect(&m_watchdog, &QTimer::timeout, [this] { tick(); });
}

void RunMeter::start()
{
    m_serverCpu = -serverCpuSeconds();
    m_cpu = -cpuSeconds();
    m_longestFrame = 0;
    m_watchdog.start();
    m_sinceTick.start();
    m_clock.start();
}

void RunMeter::stop()
{
    m_seconds = m_clock.nsecsElapsed() / 1e9;
    m_cpu += cpuSeconds();
    m_serverCpu += serverCpuSeconds();
    tick();
    m_watchdog.stop();
}

void RunMeter::tick()
{
    m_longestFrame = std::max(m_longestFrame, m_sinceTick.nsecsElapsed());
    m_sinceTick.start();
}

void RunMeter::print() const
{
    std::printf(
        "seconds=%.3f\ncpu_seconds=%.3f\nserver_cpu_seconds=%.2f\nlongest_frame_ms=%.1f\npeak_memory_kb=%s\n",
        m_seconds, m_cpu, m_serverCpu, m_longestFrame / 1e6, qPrintable(peakMemory().section(u' ', 0, 0)));
}

double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

void clickAndWait(MainWindow& form, QAbstractButton* button)
{
    button->click();
    while (form.jobRunning())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

void runBesideWindow(const std::function<void()>& work)
{
    std::atomic<bool> done = false;
    std::exception_ptr failure;
    std::thread worker([&] {
        try {
            work();
        } catch (...) {
            failure = std::current_exception();
        }
        done = true;
        QMetaObject::invokeMethod(
            QCoreApplication::instance(), [] {}, Qt::QueuedConnection); // wakes the loop
    });
    while (!done)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    worker.join();
    if (failure)
        std::rethrow_exception(failure);
}
