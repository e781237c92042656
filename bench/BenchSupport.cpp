#include "BenchSupport.h"

#include "settings/IniFile.h"

#include <QDir>
#include <QFile>
#include <cstdio>
#include <sys/resource.h>

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
    const auto value = [&](const char* key) { return ini.readString(QStringLiteral("server"), QString::fromLatin1(key)); };
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

QString peakMemory()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (status.open(QIODevice::ReadOnly))
        for (const QByteArray& line : status.readAll().split('\n'))
            if (line.startsWith("VmHWM:"))
                return QString::fromLatin1(line.mid(6).simplified());
    return QStringLiteral("unknown");
}

double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}
