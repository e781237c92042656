#include "MemoryCap.h"

#include <new>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#define VELMORA_SANITIZED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer) || __has_feature(memory_sanitizer)
#define VELMORA_SANITIZED 1
#endif
#endif

namespace {

QString resultOf(const std::function<QString()>& work)
{
    try {
        return work();
    } catch (const std::bad_alloc&) {
        return QStringLiteral("std::bad_alloc");
    } catch (const AppError& error) {
        return error.message();
    }
}

} // namespace

QString runWithMemoryCap(int megabytes, const std::function<QString()>& work)
{
#ifdef VELMORA_SANITIZED
    // A sanitizer reserves more address space than any cap allows, and ThreadSanitizer cannot
    // fork a process that has threads: the work runs here, without a cap.
    Q_UNUSED(megabytes);
    return resultOf(work);
#else
    int channel[2];
    if (pipe(channel) != 0)
        return QStringLiteral("no pipe");
    const pid_t child = fork();
    if (child == 0) {
        close(channel[0]);
        const rlim_t cap = rlim_t(megabytes) << 20;
        const rlimit limit{cap, cap};
        setrlimit(RLIMIT_AS, &limit);
        const QByteArray bytes = resultOf(work).toUtf8();
        for (qsizetype at = 0; at < bytes.size();) {
            const ssize_t n = write(channel[1], bytes.constData() + at, size_t(bytes.size() - at));
            if (n <= 0)
                break;
            at += n;
        }
        _exit(0);
    }
    close(channel[1]);
    QByteArray bytes;
    char buffer[4096];
    for (ssize_t n; (n = read(channel[0], buffer, sizeof buffer)) > 0;)
        bytes.append(buffer, n);
    close(channel[0]);
    int status = 0;
    waitpid(child, &status, 0);
    if (WIFSIGNALED(status))
        return QStringLiteral("signal %1").arg(WTERMSIG(status));
    return QString::fromUtf8(bytes);
#endif
}

QString readEveryRow(SpreadsheetReader& reader, const QString& path)
{
    reader.open(path);
    const SheetExtent extent = reader.extent();
    qint64 values = 0;
    QString last;
    const std::unique_ptr<SheetRows> rows = reader.rows();
    QList<SpreadsheetCell> cells;
    while (rows->next(cells)) {
        for (const SpreadsheetCell& cell : cells) {
            if (!cell.isEmpty()) {
                ++values;
                last = cell.displayText();
            }
        }
    }
    reader.close();
    return QStringLiteral("%1x%2, %3 values, last %4")
        .arg(extent.rows)
        .arg(extent.columns)
        .arg(values)
        .arg(last);
}
