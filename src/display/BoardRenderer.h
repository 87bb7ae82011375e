#pragma once
#include "display/ClockPainter.h"

class ClockCollection;
class ICanvas;
class IOptions;
class PictureStore;

// A picture of the board, or of the pieces of it the canvas paints: cleared, every link, then every clock
// (so faces cover the links beneath them and a later clock covers an earlier one), then the group boxes
// when they are shown.
class BoardRenderer {
public:
    explicit BoardRenderer(const PictureStore& pictures) : m_clockPainter(pictures) {}

    void render(ICanvas& canvas, const ClockCollection& clocks, const IOptions& options) const;

private:
    void renderPiece(ICanvas& canvas, const ClockCollection& clocks, const IOptions& options) const;

    ClockPainter m_clockPainter;
};
