#pragma once
#include <QtGlobal>

// Collects "something visible changed" and lets the loop repaint at most once per display frame.
// Counting changes only some clocks' faces; everything else (a move, an arrangement, a new board, group
// boxes) asks for the whole board.
class RepaintScheduler {
public:
    static constexpr qint64 frameMs = 16;
    enum class Repaint { None, ChangedClocks, Whole };

    void request() { m_whole = true; }
    void requestChangedClocks() { m_changed = true; }
    // The repaint due now, if a frame has passed since the last one; marks it done.
    Repaint take(qint64 nowMs);
    // True when a repaint of either kind was due; marks it done.
    bool takeDue(qint64 nowMs) { return take(nowMs) != Repaint::None; }
    // When the pending repaint may happen, or -1 when none is pending.
    qint64 dueAtMs() const;

private:
    bool pending() const { return m_whole || m_changed; }

    bool m_whole = true;
    bool m_changed = false;
    bool m_painted = false;
    qint64 m_lastPaintMs = 0;
};
