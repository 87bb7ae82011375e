#pragma once

// A point on the canvas, in twips.
struct CanvasPoint {
    float x = 0;
    float y = 0;
};
