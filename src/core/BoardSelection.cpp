#include "core/BoardSelection.h"

#include "clock/ClockGeometry.h"
#include "clock/clsClock.h"
#include "core/ClockCollection.h"
#include "core/IOptions.h"

BoardSelection::BoardSelection(ClockCollection& clocks) : m_clocks(clocks) {}

template <typename Fn> void BoardSelection::forEachSelected(Fn fn) {
    for (int i = 0; i < m_clocks.clockCount(); ++i) {
        clsClock& c = m_clocks.clock(i);
        if (c.selected())
            fn(c);
    }
}

int BoardSelection::topClockAt(float px, float py) const {
    // Later clocks are drawn over earlier ones.
    for (int i = m_clocks.clockCount() - 1; i >= 0; --i) {
        const clsClock& c = m_clocks.clock(i);
        const double x = double(px) - c.myLeft(), y = double(py) - c.myTop();
        if (ClockGeometry::coverLeft <= x && x <= ClockGeometry::coverRight && ClockGeometry::coverTop <= y &&
            y <= ClockGeometry::coverBottom)
            return i;
    }
    return -1;
}

int BoardSelection::hitTest(float px, float py) const {
    const int i = topClockAt(px, py);
    if (i < 0)
        return -1;
    const clsClock& c = m_clocks.clock(i);
    return c.myLeft() <= px && px <= c.myRight() && c.myTop() <= py && py <= c.myBottom() ? i : -1;
}

int BoardSelection::buttonAt(float px, float py) const {
    const int i = topClockAt(px, py);
    return i < 0 ? -1 : m_clocks.clock(i).getButtonClick(px, py);
}

int BoardSelection::clickClockButtons(float px, float py) {
    const int i = topClockAt(px, py);
    if (i < 0)
        return -1;
    clsClock& c = m_clocks.clock(i);
    switch (c.getButtonClick(px, py)) {
    case 0:
        c.toggleStartStop();
        return i;
    case 1:
        c.resetClock();
        return i;
    default:
        return -1;
    }
}

void BoardSelection::selectInBox(const QRectF& box, bool visible) {
    const double top = box.top(), left = box.left();
    const double bottom = top + box.height(), right = left + box.width();
    for (int i = 0; i < m_clocks.clockCount(); ++i) {
        clsClock& c = m_clocks.clock(i);
        const double x = c.myX(), y = c.myY();
        c.setSelected(visible && top <= y && y <= bottom && left <= x && x <= right);
    }
}

void BoardSelection::clickSelect(int index, bool exclusive) {
    if (exclusive)
        selectAll(false);
    if (index >= 0 && index < m_clocks.clockCount())
        m_clocks.clock(index).setSelected(true);
}

void BoardSelection::dragClock(int index, float dx, float dy) {
    // A freshly loaded board drops the first step, which may carry a jump from before the load.
    if (!m_clocks.dragArmed()) {
        m_clocks.setDragArmed(true);
        return;
    }
    if (index < 0 || index >= m_clocks.clockCount())
        return;
    clsClock& grabbed = m_clocks.clock(index);
    if (countSelected() < 1 || !grabbed.selected())
        grabbed.move(dx, dy);
    else
        forEachSelected([dx, dy](clsClock& c) { c.move(dx, dy); });
    if (dx != 0 || dy != 0)
        m_clocks.markChanged();
    if (m_clocks.environment().options.isChecked(Option::ViewBounds))
        m_clocks.computeGroupBounds();
}

int BoardSelection::countSelected() const {
    int n = 0;
    for (int i = 0; i < m_clocks.clockCount(); ++i)
        if (m_clocks.clock(i).selected())
            ++n;
    return n;
}

void BoardSelection::selectGroup(int group) {
    for (int i = 0; i < m_clocks.clockCount(); ++i) {
        clsClock& c = m_clocks.clock(i);
        c.setSelected(c.groupNum() == group);
    }
}

void BoardSelection::assignSelectedToGroup(int group) {
    forEachSelected([this, group](clsClock& c) {
        if (c.groupNum() != group)
            m_clocks.markChanged();
        c.setGroupNum(qint16(group));
    });
    // Also with nothing selected: the key doubles as "bring the group boxes up to date".
    m_clocks.computeGroupBounds();
}

void BoardSelection::selectAll(bool selected) {
    for (int i = 0; i < m_clocks.clockCount(); ++i)
        m_clocks.clock(i).setSelected(selected);
}

void BoardSelection::resetSelected() {
    forEachSelected([](clsClock& c) { c.resetClock(); });
}

void BoardSelection::startStopSelected(bool active) {
    forEachSelected([active](clsClock& c) { c.setActive(active); });
}

void BoardSelection::deleteSelected() {
    m_clocks.deleteSelected();
}
