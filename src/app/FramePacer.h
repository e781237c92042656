#pragma once

#include <QElapsedTimer>

class QWidget;

// Tells a long job on the window's thread when to let the window process its pending events:
// at most once per display frame. Jobs report after every row; processing events that often
// would spend the job's time in the event dispatcher and in repaints that nobody can see.
class FramePacer
{
public:
    explicit FramePacer(const QWidget& window);

    // True on the first call, then once a frame has passed since the last true.
    bool due();

    // The length of one frame of the window's display.
    static qint64 frameNanoseconds(const QWidget& window);

private:
    QElapsedTimer m_sinceLast;
    qint64 m_frameNanoseconds;
};
