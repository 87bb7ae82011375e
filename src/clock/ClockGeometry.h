#pragma once

// Sizes of a clock on the canvas, in twips (15 to a logical pixel).
struct ClockGeometry {
    static constexpr double twipsPerPixel = 15.0; // at 96 logical pixels to the inch
    static constexpr double boxWidth = 1000;
    static constexpr double boxHeight = 500;
    static constexpr double buttonWidth = 465;  // 31 px
    static constexpr double buttonHeight = 210; // 14 px
    static constexpr double buttonGap = 50;     // from the box's right edge
    static constexpr double buttonPitch = 250;  // reset button below start/stop
    static constexpr double faceWidth = 1770;   // 118 px
    static constexpr double faceHeight = 750;   // 50 px
    static constexpr double faceOffset = 90;    // face picture's corner above and left of the box
    // What the face's mask covers, from the box's top-left: both panels, the buttons' one included.
    // A clock drawn later hides whatever lies beneath this.
    static constexpr double coverLeft = -45;
    static constexpr double coverTop = -45;
    static constexpr double coverRight = 1575;
    static constexpr double coverBottom = 570;
};
