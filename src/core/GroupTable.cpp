#include "core/GroupTable.h"

#include "clock/clsClock.h"
#include "core/ClockCollection.h"

QString GroupTable::name(int g) const {
    return isGroup(g) ? m_records[std::size_t(g)].name : QString();
}

void GroupTable::setName(int g, const QString& name) {
    if (isGroup(g))
        m_records[std::size_t(g)].name = name;
}

void GroupTable::computeGroupBounds(const ClockCollection& clocks) {
    for (int g = 0; g < groupCount; ++g)
        m_records[std::size_t(g)].inUse = false;
    // One walk over the board instead of one per group.
    for (int i = 0; i < clocks.clockCount(); ++i) {
        const clsClock& c = clocks.clock(i);
        const int g = c.groupNum();
        if (!isGroup(g))
            continue;
        GroupRecord& r = m_records[std::size_t(g)];
        const float top = float(c.myTop()), left = float(c.myLeft());
        const float right = float(c.myRight()), bottom = float(c.myBottom());
        if (!r.inUse) {
            r.top = top;
            r.left = left;
            r.right = right;
            r.bottom = bottom;
            r.inUse = true;
            continue;
        }
        if (top < r.top)
            r.top = top;
        if (left < r.left)
            r.left = left;
        if (right > r.right)
            r.right = right;
        if (bottom > r.bottom)
            r.bottom = bottom;
    }
    for (int g = 0; g < groupCount; ++g) {
        GroupRecord& r = m_records[std::size_t(g)];
        if (!r.inUse)
            continue;
        r.top -= marginTop;
        r.left -= marginLeft;
        r.right += marginRight;
        r.bottom += marginBottom;
    }
}

void GroupTable::refreshGroupUse(const ClockCollection& clocks) {
    for (int g = 0; g < groupCount; ++g)
        m_records[std::size_t(g)].inUse = false;
    for (int i = 0; i < clocks.clockCount(); ++i) {
        const int g = clocks.clock(i).groupNum();
        if (isGroup(g))
            m_records[std::size_t(g)].inUse = true;
    }
}

void GroupTable::clear() {
    for (int g = 0; g < groupCount; ++g) {
        m_records[std::size_t(g)].inUse = false;
        m_records[std::size_t(g)].name.clear();
    }
}
