#include "ScriptRunner.h"

#include "ScriptSource.h"
#include "StatementExecutor.h"
#include "StatementSplitter.h"
#include "platform/AppError.h"

#include <algorithm>
#include <optional>

void ScriptRunner::restoreFromFile(const QString& fileName, StatementExecutor& executor,
                                   const ProgressHandler& onProgress,
                                   const ErrorHandler& onStatementError)
{
    if (isRunning())
        return;
    const RunScope running(*this);
    ScriptSource source(fileName, m_blockSize, m_legacyCodePage);
    StatementSplitter splitter;
    int percent = 0;
    std::optional<AppError> connectionLoss;
    qint64 notSent = 0;

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
            const bool isStatement = piece->kind == StatementSplitter::Piece::Kind::Statement;
            if (connectionLoss) {
                notSent += isStatement ? 1 : 0;
                continue;
            }
            if (isStatement) {
                try {
                    executor.executeStatement(piece->text);
                } catch (const AppError& error) {
                    if (executor.isConnectionLost())
                        connectionLoss = error;
                    else
                        onStatementError(error);
                }
            }
            const qint64 bytes = source.bytesBefore(piece->end);
            const qint64 share = source.size() > 0 ? 100 * bytes / source.size() : 100;
            percent = std::max(percent, int(std::min<qint64>(share, 100)));
            onProgress(percent);
        }
    }

    // The rest of the script was only counted: one report instead of an error per statement.
    if (connectionLoss)
        onStatementError(AppError(
            connectionLoss->message() + u'\n' +
            QStringLiteral("Connection lost: %1 statements of the script were not sent.").arg(notSent)));
}
