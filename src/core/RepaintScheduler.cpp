#include "core/RepaintScheduler.h"

bool RepaintScheduler::takeDue(qint64 nowMs) {
    if (!m_pending || (m_painted && nowMs - m_lastPaintMs < frameMs))
        return false;
    m_pending = false;
    m_painted = true;
    m_lastPaintMs = nowMs;
    return true;
}

qint64 RepaintScheduler::dueAtMs() const {
    if (!m_pending)
        return -1;
    return m_painted ? m_lastPaintMs + frameMs : 0;
}
