#include "core/Arranger.h"

#include "clock/ClockGeometry.h"
#include "clock/clsClock.h"
#include "core/ClockCollection.h"
#include "core/ICanvasGeometry.h"

Arranger::Arranger(ClockCollection& clocks, const ICanvasGeometry& canvas)
    : m_clocks(clocks), m_canvas(canvas) {}

void Arranger::autoArrange() {
    // A clock's face, button panel included, reaches this far right of its box's left edge; a row
    // ends before a clock whose buttons would fall off the canvas.
    const double reach = ClockGeometry::faceWidth - ClockGeometry::faceOffset;
    const double limit = m_canvas.canvasWidth() - reach;
    int row = 0;
    int col = 0;
    for (int i = 0; i < m_clocks.clockCount(); ++i) {
        float left = float(col) * columnPitch + margin;
        float top = float(row) * rowPitch + margin;
        // Tested before placing, also for a row's first clock: one that cannot fit starts the next row.
        if (double(left) > limit) {
            ++row;
            left = margin;
            top = float(row) * rowPitch + margin;
            col = 0;
        }
        m_clocks.clock(i).setTopLeft({left, top});
        ++col;
    }
    m_clocks.computeGroupBounds();
}
