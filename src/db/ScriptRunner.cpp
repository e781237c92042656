#include "ScriptRunner.h"

#include "CharacterSetRefused.h"
#include "ScriptSource.h"
#include "StatementExecutor.h"
#include "StatementSplitter.h"
#include "platform/AppError.h"

#include <algorithm>
#include <optional>

void ScriptRunner::restoreFromFile(const QString& fileName, StatementExecutor& executor,
                                   const ProgressHandler& onProgress,
                                   const ErrorHandler& onStatementError) const
{
    ScriptSource source(fileName, m_blockSize);
    StatementSplitter splitter;
    int percent = 0;
    std::optional<AppError> connectionLoss;
    qint64 notSent = 0;

    bool textLeft = true;
    while (textLeft) {
        if (source.atEnd()) {
            splitter.finish();
            textLeft = false;
        } else {
            splitter.feed(source.read());
        }
        while (const auto piece = splitter.next()) {
            using Kind = StatementSplitter::Piece::Kind;
            const bool isStatement = piece->kind == Kind::Statement;
            if (connectionLoss) {
                notSent += isStatement ? 1 : piece->statementsHeldBack;
                continue;
            }
            if (piece->kind == Kind::UnclosedQuote) {
                // Sent, it would take the statements it swallowed to the server as one string.
                onStatementError(AppError(QStringLiteral("The quote %1 on line %2 is never closed: "
                                                         "%3 statements of the script were not sent.")
                                              .arg(piece->quote)
                                              .arg(piece->quoteLine)
                                              .arg(piece->statementsHeldBack)));
            }
            if (isStatement) {
                try {
                    executor.executeStatement(piece->text);
                } catch (const CharacterSetRefused&) {
                    throw;
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
