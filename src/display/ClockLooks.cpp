#include "display/ClockLooks.h"

#include "clock/clsClock.h"
#include "core/ClockCollection.h"
#include "display/ClockPainter.h"

#include <cstring>

ClockLooks::Look ClockLooks::Look::of(const clsClock& c) {
    return {&c,         c.myX(),      c.myY(),    c.linkID(), c.currentTime(), ClockPainter::faceIndex(c),
            c.active(), c.selected(), c.purpose()};
}

bool ClockLooks::Look::samePlace(const Look& o) const {
    // Bitwise, so that a position or link that is not a number still compares equal to itself.
    return clock == o.clock && std::memcmp(&x, &o.x, sizeof x) == 0 && std::memcmp(&y, &o.y, sizeof y) == 0 &&
           std::memcmp(&linkId, &o.linkId, sizeof linkId) == 0;
}

bool ClockLooks::Look::sameFace(const Look& o) const {
    return face == o.face && active == o.active && selected == o.selected && name == o.name;
}

void ClockLooks::takeAll(const ClockCollection& clocks) {
    const int count = clocks.clockCount();
    m_looks.resize(std::size_t(count));
    for (int i = 0; i < count; ++i)
        m_looks[std::size_t(i)] = Look::of(clocks.clock(i));
}

std::optional<QVector<QRectF>> ClockLooks::takeChanged(const ClockCollection& clocks) {
    const int count = clocks.clockCount();
    QVector<QRectF> areas;
    bool whole = std::size_t(count) != m_looks.size();
    for (int i = 0; i < count && !whole; ++i) {
        Look now = Look::of(clocks.clock(i));
        Look& was = m_looks[std::size_t(i)];
        if (!now.samePlace(was))
            whole = true;
        else if (!now.sameFace(was) || std::memcmp(&now.time, &was.time, sizeof now.time) != 0) {
            const clsClock& c = clocks.clock(i);
            areas << (now.sameFace(was) ? ClockPainter::timeArea(c) : ClockPainter::area(c));
            was = std::move(now);
        }
    }
    if (!whole)
        return areas;
    takeAll(clocks);
    return std::nullopt;
}
