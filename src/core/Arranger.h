#pragma once

class ClockCollection;
class ICanvasGeometry;

// Lays every clock out in rows, left to right and top to bottom, in board order, as many to a row as
// fit whole (face and buttons) on the canvas.
class Arranger {
public:
    static constexpr float margin = 400;
    static constexpr float columnPitch = 2100;
    static constexpr float rowPitch = 1100;

    Arranger(ClockCollection& clocks, const ICanvasGeometry& canvas);
    void autoArrange();

private:
    ClockCollection& m_clocks;
    const ICanvasGeometry& m_canvas;
};
