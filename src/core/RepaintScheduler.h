#pragma once
#include <QtGlobal>

// Collects "something visible changed" and lets the loop repaint at most once per display frame.
class RepaintScheduler {
public:
    static constexpr qint64 frameMs = 16;

    void request() { m_pending = true; }
    // True when a repaint is pending and a frame has passed since the last one; marks it done.
    bool takeDue(qint64 nowMs);
    // When the pending repaint may happen, or -1 when none is pending.
    qint64 dueAtMs() const;

private:
    bool m_pending = true;
    bool m_painted = false;
    qint64 m_lastPaintMs = 0;
};
