#include "ScriptSending.h"

#include "CharacterSetRefused.h"
#include "DbError.h"
#include "ServerWarnings.h"
#include "StatementExecutor.h"
#include "StatementKind.h"

#include <algorithm>

namespace {

QString firstLine(const QString& statement)
{
    constexpr qsizetype longest = 200;
    const QString line = statement.section(u'\n', 0, 0).trimmed();
    return line.size() > longest ? line.left(longest) + QStringLiteral("...") : line;
}

// Three bytes of UTF-8 at most for each character: a bound that needs no conversion.
qint64 mostBytes(const QString& text)
{
    return 3 * qint64(text.size());
}

// A statement beyond the server's max_allowed_packet would only end in "Server has gone away"
// and a lost connection: it is not sent, and the failure says why.
void refuseOversized(const QString& statement, qint64 line, StatementExecutor& executor)
{
    // No server takes less than 1 KiB: most statements need neither the server's limit nor a count.
    constexpr qint64 smallestLimit = 1024;
    if (mostBytes(statement) <= smallestLimit)
        return;
    const qint64 largest = executor.largestStatement();
    if (largest <= 0 || mostBytes(statement) <= largest)
        return;
    const qint64 bytes = statement.toUtf8().size();
    if (bytes > largest)
        throw AppError(
            QStringLiteral("The statement at line %1 is larger than the server accepts: %2 bytes, the "
                           "server takes at most %3 (max_allowed_packet).")
                .arg(line)
                .arg(bytes)
                .arg(largest));
}

bool isConnectionLoss(const AppError& error)
{
    const auto* db = dynamic_cast<const DbError*>(&error);
    return db && db->isConnectionLost();
}

} // namespace

ScriptSending::ScriptSending(const Job& job, StatementExecutor& executor,
                             const ScriptRunner::ErrorHandler& onStatementError,
                             std::function<void(qint64 end)> onDone)
    : m_job(job), m_executor(executor), m_onStatementError(onStatementError), m_onDone(std::move(onDone)),
      m_grouping(executor.sendsBatches())
{
    if (!m_grouping)
        return;
    // Half the server's limit leaves room for the separators and the SHOW WARNINGS between.
    constexpr qint64 mostPerTrip = 1024 * 1024;
    const qint64 largest = m_executor.largestStatement();
    m_batchBytes = largest > 0 ? std::min(mostPerTrip, largest / 2) : mostPerTrip / 2;
    // Where cut values are warnings, their texts are asked for with each statement until the
    // summary has the few it shows.
    m_askForWarnings = !m_executor.strictMode();
}

void ScriptSending::take(const StatementSplitter::Piece& piece)
{
    using Kind = StatementSplitter::Piece::Kind;
    if (m_connectionLoss) {
        m_summary.notSent += piece.kind == Kind::Statement ? 1 : piece.statementsHeldBack;
        return;
    }
    Statement statement{piece.text, piece.end, piece.line};
    if (piece.kind == Kind::Statement && m_grouping &&
        statementKind(piece.text) == StatementKind::DataChange) {
        queue(std::move(statement));
        return;
    }
    // Any other piece goes after what waits; from here on every statement goes alone.
    stopGrouping();
    if (m_connectionLoss) {
        take(piece);
        return;
    }
    if (piece.kind == Kind::UnclosedQuote) {
        // Sent, it would take the statements it swallowed to the server as one string.
        m_summary.notSent += piece.statementsHeldBack;
        m_onStatementError(StatementFailure(QStringLiteral("The quote %1 on line %2 is never closed: "
                                                           "%3 statements of the script were not sent.")
                                                .arg(piece.quote)
                                                .arg(piece.quoteLine)
                                                .arg(piece.statementsHeldBack),
                                            firstLine(piece.text)));
    }
    if (piece.kind == Kind::Statement)
        sendAlone(statement);
    m_onDone(piece.end);
}

ScriptRunSummary ScriptSending::finish()
{
    if (!m_job.stopRequested())
        sendQueued();
    m_queue.clear(); // read, never sent: a stop ends the run before them
    commitGroup();
    // The rest of the script was only counted: one report instead of an error per statement.
    if (m_connectionLoss)
        m_onStatementError(
            StatementFailure(m_connectionLoss->message() + u'\n' +
                                 QStringLiteral("Connection lost: %1 statements of the script were not sent.")
                                     .arg(m_summary.notSent) +
                                 m_lossDetail,
                             m_connectionLoss->firstLine()));
    m_summary.stopped = m_job.stopRequested();
    return m_summary;
}

void ScriptSending::sendAlone(const Statement& statement)
{
    ++m_summary.ran;
    try {
        refuseOversized(statement.text, statement.line, m_executor);
        const int warnings = m_executor.executeStatement(statement.text);
        if (warnings > 0)
            noteWarnings(statement, warnings, {}, false);
    } catch (const CharacterSetRefused&) {
        throw;
    } catch (const AppError& error) {
        ++m_summary.failed;
        const StatementFailure failure(error.message(), firstLine(statement.text));
        if (m_executor.isConnectionLost())
            m_connectionLoss = failure;
        else
            m_onStatementError(failure);
    }
}

void ScriptSending::queue(Statement statement)
{
    try {
        refuseOversized(statement.text, statement.line, m_executor);
    } catch (const AppError& error) {
        sendQueued();
        if (!m_connectionLoss)
            failed(statement, error);
        else
            ++m_summary.notSent;
        return;
    }
    if (!m_queue.empty() && m_queueBytes + mostBytes(statement.text) > m_batchBytes)
        sendQueued();
    m_queueBytes += mostBytes(statement.text);
    m_queue.push_back(std::move(statement));
    if (m_queue.size() >= std::size_t(BatchStatements))
        sendQueued();
}

void ScriptSending::sendQueued()
{
    if (m_queue.empty() || m_connectionLoss)
        return;
    std::vector<Statement> statements = std::move(m_queue);
    m_queue.clear();
    m_queueBytes = 0;
    sendTogether(std::move(statements));
    if (m_groupOpen && (m_groupSent >= GroupStatements || m_groupClock.elapsed() >= GroupMilliseconds))
        commitGroup();
}

void ScriptSending::sendTogether(std::vector<Statement> statements)
{
    auto rest = statements.begin();
    // After a failure that took the whole group: its statements go again before the rest.
    const auto sendGroupAgain = [&] {
        m_groupOpen = false;
        std::vector<Statement> again = std::move(m_group);
        m_group.clear();
        again.insert(again.end(), std::make_move_iterator(rest), std::make_move_iterator(statements.end()));
        statements = std::move(again);
        rest = statements.begin();
    };
    while (rest != statements.end() && !m_connectionLoss && openGroup(rest->text)) {
        const int stride = m_askForWarnings ? 2 : 1;
        QStringList texts;
        for (auto s = rest; s != statements.end(); ++s) {
            texts << s->text;
            if (m_askForWarnings)
                texts << QStringLiteral("SHOW WARNINGS");
        }
        BatchOutcome outcome;
        try {
            outcome = m_executor.executeBatch(texts);
        } catch (const CharacterSetRefused&) {
            throw;
        } catch (const AppError& error) {
            // Which statement the connection went at is unknown; whatever of the round trip
            // ran went with the transaction. The first is reported, as a statement sent alone would be.
            if (m_executor.isConnectionLost()) {
                countFailure(*rest);
                loseConnection(error, rest->text);
                ++rest;
                break;
            }
            failed(*rest, error);
            ++rest;
            sendGroupAgain();
            continue;
        }
        m_groupSent += (outcome.ran + stride - 1) / stride;
        for (int k = 0; k < outcome.ran; k += stride, ++rest) {
            const int warnings = outcome.warnings[std::size_t(k)];
            const bool texted = stride == 2 && k + 1 < outcome.ran;
            if (warnings > 0 && !rest->counted)
                noteWarnings(*rest, warnings,
                             texted ? serverWarningLines(outcome.results[std::size_t(k) + 1]) : QStringList(),
                             texted);
            ran(*rest);
        }
        if (!outcome.failure || outcome.ran % stride != 0)
            continue; // all ran, or a SHOW WARNINGS failed after its statement: the rest again
        failed(*rest, *outcome.failure);
        ++rest;
        if (!m_executor.inTransaction())
            sendGroupAgain();
    }
    if (m_connectionLoss)
        for (; rest != statements.end(); ++rest)
            if (!rest->counted)
                ++m_summary.notSent;
}

bool ScriptSending::openGroup(const QString& firstStatement)
{
    if (m_groupOpen)
        return true;
    try {
        m_executor.executeStatement(QStringLiteral("START TRANSACTION"));
    } catch (const CharacterSetRefused&) {
        throw;
    } catch (const AppError& error) {
        // A connection opened again after a loss gets one more try.
        try {
            if (m_executor.isConnectionLost() || !isConnectionLoss(error))
                throw;
            m_executor.executeStatement(QStringLiteral("START TRANSACTION"));
        } catch (const AppError& again) {
            loseConnection(again, firstStatement);
            return false;
        }
    }
    m_groupOpen = true;
    m_groupSent = 0;
    m_groupClock.start();
    return true;
}

void ScriptSending::loseConnection(const AppError& error, const QString& statement)
{
    m_connectionLoss = StatementFailure(error.message(), firstLine(statement));
    m_lossDetail =
        QStringLiteral(" %1 statements were committed before it; the %2 sent after the last commit "
                       "were rolled back by the server.")
            .arg(m_committed)
            .arg(m_group.size());
    m_group.clear();
    m_groupOpen = false;
}

void ScriptSending::commitGroup()
{
    if (!m_groupOpen)
        return;
    m_groupOpen = false;
    try {
        m_executor.executeStatement(QStringLiteral("COMMIT"));
        m_committed += qint64(m_group.size());
    } catch (const AppError& error) {
        const qint64 open = qint64(m_group.size());
        if (isConnectionLoss(error) || m_executor.isConnectionLost()) {
            // Whether the server made the commit before the connection went is unknown: nothing
            // more is sent, and the report says so.
            m_connectionLoss = StatementFailure(error.message(), QStringLiteral("COMMIT"));
            m_lossDetail =
                QStringLiteral(" %1 statements were committed before it; the commit of the %2 after "
                               "them was cut off, and the server may have made it or not.")
                    .arg(m_committed)
                    .arg(open);
        } else {
            // A refused commit rolled the group back: its statements did not change the store.
            m_summary.failed += open;
            m_onStatementError(StatementFailure(
                error.message() + u'\n' +
                    QStringLiteral(
                        "The server refused to commit %1 statements; they did not change the store.")
                        .arg(open),
                QStringLiteral("COMMIT")));
        }
    }
    m_group.clear();
}

void ScriptSending::stopGrouping()
{
    if (!m_grouping)
        return;
    sendQueued();
    commitGroup();
    m_grouping = false;
    if (m_connectionLoss)
        return;
    try {
        m_executor.endBatches();
    } catch (const AppError& error) {
        if (m_executor.isConnectionLost())
            m_connectionLoss = StatementFailure(error.message(), QString());
    }
}

void ScriptSending::ran(Statement& statement)
{
    if (!statement.counted) {
        statement.counted = true;
        ++m_summary.ran;
        m_onDone(statement.end);
    }
    m_group.push_back(statement);
}

void ScriptSending::countFailure(Statement& statement)
{
    if (!statement.counted) {
        statement.counted = true;
        ++m_summary.ran;
    }
    ++m_summary.failed;
}

void ScriptSending::failed(Statement& statement, const AppError& error)
{
    countFailure(statement);
    m_onStatementError(StatementFailure(error.message(), firstLine(statement.text)));
    m_onDone(statement.end);
}

void ScriptSending::noteWarnings(const Statement& statement, int count, QStringList texts, bool textsKept)
{
    ++m_summary.withWarnings;
    if (m_summary.firstWarnings.size() >= ScriptRunSummary::WarningsShown)
        return;
    if (!textsKept && m_grouping) {
        // Sent together, a statement's warnings are gone once the next one runs.
        texts << QStringLiteral("%1 warnings, whose texts the server no longer had").arg(count);
        m_askForWarnings = true;
    } else if (!textsKept) {
        try {
            texts = m_executor.lastWarnings();
        } catch (const AppError& error) {
            texts << error.message();
        }
    }
    for (const QString& warning :
         texts.mid(0, ScriptRunSummary::WarningsShown - m_summary.firstWarnings.size()))
        m_summary.firstWarnings << warning + QStringLiteral(" (statement: ") + firstLine(statement.text) +
                                       u')';
    if (m_summary.firstWarnings.size() >= ScriptRunSummary::WarningsShown)
        m_askForWarnings = false;
}
