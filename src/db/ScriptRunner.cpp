#include "ScriptRunner.h"

#include "ScriptSending.h"
#include "ScriptSource.h"
#include "StatementSplitter.h"

#include <algorithm>

QString ScriptRunSummary::text() const
{
    QString text = QStringLiteral("Script run: %1 statements ran, %2 failed").arg(ran).arg(failed);
    if (notSent > 0)
        text += QStringLiteral(", %1 not sent").arg(notSent);
    if (withWarnings > 0)
        text += QStringLiteral(", %1 changed values with warnings").arg(withWarnings);
    if (stopped)
        text += QStringLiteral(", stopped before the rest");
    return text + u'.';
}

ScriptRunSummary ScriptRunner::restoreFromFile(const QString& fileName, StatementExecutor& executor,
                                               const ProgressHandler& onProgress,
                                               const ErrorHandler& onStatementError)
{
    if (isRunning())
        return {};
    const RunScope running(*this);
    ScriptSource source(fileName, m_blockSize, m_legacyCodePage);
    int percent = 0;
    ScriptSending sending(*this, executor, onStatementError, [&](qint64 end) {
        const qint64 bytes = source.bytesBefore(end);
        const qint64 share = source.size() > 0 ? 100 * bytes / source.size() : 100;
        percent = std::max(percent, int(std::min<qint64>(share, 100)));
        onProgress(percent);
    });
    StatementSplitter splitter;
    bool textLeft = true;
    while (textLeft && !stopRequested()) {
        if (source.atEnd()) {
            splitter.finish();
            textLeft = false;
        } else {
            splitter.feed(source.read());
        }
        while (!stopRequested()) {
            const auto piece = splitter.next();
            if (!piece)
                break;
            sending.take(*piece);
        }
    }
    return sending.finish();
}
