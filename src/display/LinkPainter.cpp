#include "display/LinkPainter.h"

#include "clock/ClockGeometry.h"
#include "clock/clsClock.h"
#include "core/ClockCollection.h"
#include "display/ICanvas.h"

#include <algorithm>

CanvasPoint LinkPainter::clockPositionByID(double id) const {
    const int index = m_clocks.findClockIndex(id);
    if (index < 0 || index >= m_clocks.clockCount())
        return {-1, -1};
    const clsClock& c = m_clocks.clock(index);
    return {c.myX(), c.myY()};
}

void LinkPainter::drawLink(ICanvas& canvas, const clsClock& clock) const {
    if (!(clock.linkID() >= 1)) // NaN has no link either
        return;
    CanvasPoint target = clockPositionByID(clock.linkID());
    target.x = float(double(target.x) - ClockGeometry::boxWidth / 2);
    target.y = float(double(target.y) - ClockGeometry::boxHeight / 2);
    if (target.x <= -1 || target.y <= -1)
        return;
    // The line leaves the source's box at the point nearest the target's corner; edges belong to the box.
    const double startX = std::clamp(double(target.x), clock.myLeft(), clock.myRight());
    const double startY = std::clamp(double(target.y), clock.myTop(), clock.myBottom());
    constexpr double reach = circleRadius + 3 * ClockGeometry::twipsPerPixel; // disc and line edges
    if (!canvas.shows(std::min(startX, double(target.x)) - reach, std::min(startY, double(target.y)) - reach,
                      std::max(startX, double(target.x)) + reach, std::max(startY, double(target.y)) + reach))
        return;
    canvas.setForeColor(QColor(0, 0, 255));
    canvas.line(startX, startY, target.x, target.y);
    canvas.circle(target.x, target.y, circleRadius, QColor(255, 0, 0));
}
