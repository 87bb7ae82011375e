#pragma once

// The canvas's current size in twips; new clocks are placed at its centre.
class ICanvasGeometry {
public:
    virtual ~ICanvasGeometry() = default;
    virtual double canvasWidth() const = 0;
    virtual double canvasHeight() const = 0;
};
