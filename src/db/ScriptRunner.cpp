#include "ScriptRunner.h"

#include "CharacterSetRefused.h"
#include "ScriptSource.h"
#include "StatementExecutor.h"
#include "StatementSplitter.h"
#include "platform/AppError.h"

#include <algorithm>
#include <optional>

namespace {

QString firstLine(const QString& statement)
{
    constexpr qsizetype longest = 200;
    const QString line = statement.section(u'\n', 0, 0).trimmed();
    return line.size() > longest ? line.left(longest) + QStringLiteral("...") : line;
}

// Counts a statement that left warnings and keeps the first few of them; asking for them costs
// a round trip, so the rest are only counted.
void noteWarnings(ScriptRunSummary& summary, StatementExecutor& executor, const QString& statement)
{
    ++summary.withWarnings;
    if (summary.firstWarnings.size() >= ScriptRunSummary::WarningsShown)
        return;
    QStringList warnings;
    try {
        warnings = executor.lastWarnings();
    } catch (const AppError& error) {
        warnings << error.message();
    }
    for (const QString& warning :
         warnings.mid(0, ScriptRunSummary::WarningsShown - summary.firstWarnings.size()))
        summary.firstWarnings << warning + QStringLiteral(" (statement: ") + firstLine(statement) + u')';
}

// A statement beyond the server's max_allowed_packet would only end in "Server has gone away"
// and a lost connection: it is not sent, and the failure says why.
void refuseOversized(const StatementSplitter::Piece& statement, StatementExecutor& executor)
{
    // Three bytes of UTF-8 at most for each character, and no server takes less than 1 KiB:
    // most statements need neither the server's limit nor a count.
    constexpr qint64 smallestLimit = 1024;
    if (3 * qint64(statement.text.size()) <= smallestLimit)
        return;
    const qint64 largest = executor.largestStatement();
    if (largest <= 0 || 3 * qint64(statement.text.size()) <= largest)
        return;
    const qint64 bytes = statement.text.toUtf8().size();
    if (bytes > largest)
        throw AppError(
            QStringLiteral("The statement at line %1 is larger than the server accepts: %2 bytes, the "
                           "server takes at most %3 (max_allowed_packet).")
                .arg(statement.line)
                .arg(bytes)
                .arg(largest));
}

} // namespace

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
    ScriptRunSummary summary;
    if (isRunning())
        return summary;
    const RunScope running(*this);
    ScriptSource source(fileName, m_blockSize, m_legacyCodePage);
    StatementSplitter splitter;
    int percent = 0;
    std::optional<StatementFailure> connectionLoss;

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
            using Kind = StatementSplitter::Piece::Kind;
            const bool isStatement = piece->kind == Kind::Statement;
            if (connectionLoss) {
                summary.notSent += isStatement ? 1 : piece->statementsHeldBack;
                continue;
            }
            if (piece->kind == Kind::UnclosedQuote) {
                // Sent, it would take the statements it swallowed to the server as one string.
                summary.notSent += piece->statementsHeldBack;
                onStatementError(StatementFailure(QStringLiteral("The quote %1 on line %2 is never closed: "
                                                                 "%3 statements of the script were not sent.")
                                                      .arg(piece->quote)
                                                      .arg(piece->quoteLine)
                                                      .arg(piece->statementsHeldBack),
                                                  firstLine(piece->text)));
            }
            if (isStatement) {
                ++summary.ran;
                try {
                    refuseOversized(*piece, executor);
                    if (executor.executeStatement(piece->text) > 0)
                        noteWarnings(summary, executor, piece->text);
                } catch (const CharacterSetRefused&) {
                    throw;
                } catch (const AppError& error) {
                    ++summary.failed;
                    const StatementFailure failure(error.message(), firstLine(piece->text));
                    if (executor.isConnectionLost())
                        connectionLoss = failure;
                    else
                        onStatementError(failure);
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
        onStatementError(
            StatementFailure(connectionLoss->message() + u'\n' +
                                 QStringLiteral("Connection lost: %1 statements of the script were not sent.")
                                     .arg(summary.notSent),
                             connectionLoss->firstLine()));
    summary.stopped = stopRequested();
    return summary;
}
