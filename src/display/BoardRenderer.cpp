#include "display/BoardRenderer.h"

#include "core/ClockCollection.h"
#include "core/IOptions.h"
#include "display/GroupPainter.h"
#include "display/ICanvas.h"
#include "display/LinkPainter.h"

void BoardRenderer::render(ICanvas& canvas, const ClockCollection& clocks, const IOptions& options) const {
    // Piece by piece: a plain rectangle is the painter's quick clip, where a clip of many rectangles
    // would slow every drawing call.
    for (int piece = 0; piece < canvas.pieceCount(); ++piece) {
        canvas.selectPiece(piece);
        renderPiece(canvas, clocks, options);
    }
}

void BoardRenderer::renderPiece(ICanvas& canvas, const ClockCollection& clocks,
                                const IOptions& options) const {
    canvas.clear();
    // Links are drawn with the width the clocks leave behind, from the very first picture on.
    canvas.setLineWidth(2);
    const LinkPainter links(clocks);
    const int count = clocks.clockCount();
    for (int i = 0; i < count; ++i)
        links.drawLink(canvas, clocks.clock(i));
    for (int i = 0; i < count; ++i)
        m_clockPainter.draw(canvas, clocks.clock(i));
    if (options.isChecked(Option::ViewBounds))
        GroupPainter::drawGroupBounds(canvas, clocks.groups());
}
