#pragma once

#include "ScriptRunner.h"
#include "StatementSplitter.h"

#include <QElapsedTimer>
#include <optional>
#include <vector>

class StatementExecutor;

// How a script run sends its statements. Where the session can, the data changes (UPDATE,
// INSERT, DELETE, REPLACE) go many to a round trip and are committed in groups: a group ends
// after GroupStatements statements or GroupMilliseconds, whichever comes first, so that row
// locks are held briefly on a live shop. A statement that fails fails alone, as the server
// rolls back only that statement, and the ones after it in its round trip are sent again. When
// the server rolled back the whole group (a deadlock, a lock wait timeout) the group's
// statements are sent again, each still counted and reported once. From the first statement
// of any other kind (the script's own transactions, statements that commit by themselves,
// DELIMITER) to the end of the script, each statement is sent alone and commits by itself, as
// the session is set.
class ScriptSending
{
public:
    static constexpr int BatchStatements = 100;
    static constexpr int GroupStatements = 1000;
    static constexpr qint64 GroupMilliseconds = 200;

    ScriptSending(const Job& job, StatementExecutor& executor,
                  const ScriptRunner::ErrorHandler& onStatementError, std::function<void(qint64 end)> onDone);

    // A piece of the script as the splitter gives it; it may wait to go with the next ones.
    void take(const StatementSplitter::Piece& piece);
    // Sends what waits, unless a stop was asked for, and commits; reports a lost connection.
    ScriptRunSummary finish();

private:
    struct Statement
    {
        QString text;
        qint64 end = 0;  // where it ends in the script's text, for the progress
        qint64 line = 0; // where it starts
        bool counted = false;
    };

    void sendAlone(const Statement& statement);
    void queue(Statement statement);
    void sendQueued();
    void sendTogether(std::vector<Statement> statements);
    bool openGroup(const QString& firstStatement);
    void commitGroup();
    void stopGrouping();
    void ran(Statement& statement);
    // A statement counted as sent, once, and as failed.
    void countFailure(Statement& statement);
    void failed(Statement& statement, const AppError& error);
    void noteWarnings(const Statement& statement, int count, QStringList texts, bool textsKept);
    // Ends the run after a lost connection: nothing more is sent; the open group is gone.
    void loseConnection(const AppError& error, const QString& statement);

    const Job& m_job;
    StatementExecutor& m_executor;
    const ScriptRunner::ErrorHandler& m_onStatementError;
    std::function<void(qint64 end)> m_onDone;
    ScriptRunSummary m_summary;

    bool m_grouping = false;
    bool m_askForWarnings = false; // SHOW WARNINGS after each statement of a round trip
    qint64 m_batchBytes = 0;       // the most a round trip may carry
    std::vector<Statement> m_queue;
    qint64 m_queueBytes = 0;
    bool m_groupOpen = false;
    QElapsedTimer m_groupClock;
    std::vector<Statement> m_group; // ran in the open transaction
    qint64 m_groupSent = 0;
    qint64 m_committed = 0;
    std::optional<StatementFailure> m_connectionLoss;
    QString m_lossDetail;
};
