#pragma once

#include <QElapsedTimer>

class QWidget;

// Tells a long job on the window's thread when to let the window process its pending events:
// at most once per display frame. Jobs report after every row; processing events that often
// would spend the job's time in the event dispatcher and in repaints that nobody can see.
// It is also the one place where those jobs process events, so that the time spent there can
// be told apart from the job's own.
class FramePacer
{
public:
    explicit FramePacer(const QWidget& window);

    // True on the first call, then once a frame has passed since the last true.
    bool due();
    // Processes the window's pending events; the call and its time count in eventTotals().
    static void processEvents();

    // The length of one frame of the window's display.
    static qint64 frameNanoseconds(const QWidget& window);

    // Makes every call of due() true, for tests that look at the window after every row.
    static void setEveryCallDue(bool everyCall);

    struct EventTotals
    {
        qint64 calls = 0;
        qint64 nanoseconds = 0;
    };
    // What processEvents() has taken since the program started.
    static EventTotals eventTotals();

private:
    QElapsedTimer m_sinceLast;
    qint64 m_frameNanoseconds;
};
