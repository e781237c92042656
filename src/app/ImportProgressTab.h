#pragma once

#include "FramePacer.h"
#include "import/CreationProgress.h"

#include <functional>
#include <optional>

class QLabel;
class QPlainTextEdit;

// The IMPORT page's progress tab as the creation run drives it, for the length of one run.
// The status line changes with every row; it reaches the label when the window gets to
// process its events, at most once a frame, so whatever is painted shows the current status.
// Meanwhile the label keeps its size, so that a new text repaints the label alone instead of
// the whole page. The last status stays on the label when the run is over.
class ImportProgressTab : public CreationProgress
{
public:
    using FailureHandler = std::function<void(const QString& message)>;

    // onFailure shows a failure that ended the run.
    ImportProgressTab(QLabel* status, QPlainTextEdit* log, const QWidget& window, FailureHandler onFailure);
    ~ImportProgressTab() override;

    void setStatus(const QString& text) override;
    void setCountStatus(const QString& before, qint64 number, const QString& after) override;
    // A lone carriage return inside a line starts a new line on screen.
    void log(const QString& line) override;
    void processEvents() override;
    void failed(const QString& message) override;

private:
    void showStatus();

    QLabel* m_status;
    QPlainTextEdit* m_log;
    FramePacer m_pacer;
    FailureHandler m_onFailure;
    QString m_statusText;
    std::optional<qint64> m_count;
    QString m_statusEnd;
};
