#pragma once

class GroupTable;
class ICanvas;

// Paints the stored box of every group in use, in navy, with its label "Group n : name" above it.
class GroupPainter {
public:
    static constexpr double labelRise = 200;

    static void drawGroupBounds(ICanvas& canvas, const GroupTable& groups);
};
