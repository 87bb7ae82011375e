#include "core/RepaintScheduler.h"

RepaintScheduler::Repaint RepaintScheduler::take(qint64 nowMs) {
    if (!pending() || (m_painted && nowMs - m_lastPaintMs < frameMs))
        return Repaint::None;
    const Repaint due = m_whole ? Repaint::Whole : Repaint::ChangedClocks;
    m_whole = m_changed = false;
    m_painted = true;
    m_lastPaintMs = nowMs;
    return due;
}

qint64 RepaintScheduler::dueAtMs() const {
    if (!pending())
        return -1;
    return m_painted ? m_lastPaintMs + frameMs : 0;
}
