#pragma once
#include "clock/CanvasPoint.h"

class ClockCollection;
class ICanvas;
class clsClock;

// Paints a clock's link: a blue line from its box to the top-left corner of the clock it triggers,
// marked there by a red disc.
class LinkPainter {
public:
    static constexpr double circleRadius = 100;

    explicit LinkPainter(const ClockCollection& clocks) : m_clocks(clocks) {}

    // Centre of the first clock with this identifier, or (-1, -1) when there is none.
    CanvasPoint clockPositionByID(double id) const;
    // Nothing when the clock has no link or its target is missing or reaches past the left or top edge.
    void drawLink(ICanvas& canvas, const clsClock& clock) const;

private:
    const ClockCollection& m_clocks;
};
