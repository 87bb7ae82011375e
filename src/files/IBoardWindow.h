#pragma once
#include <QString>
#include <optional>

// The main window's place on the screen in twips: outer edges, frame and menu bar included.
struct WindowTwips {
    float left = 0;
    float top = 0;
    float width = 0;
    float height = 0;
};

// The parts of the window's place that a clock file asked for; the rest stays as it is.
struct StoredPlacement {
    std::optional<float> left;
    std::optional<float> top;
    std::optional<float> width;
    std::optional<float> height;
    bool any() const { return left || top || width || height; }
};

// What the clock-file commands need of the main window.
class IBoardWindow {
public:
    virtual ~IBoardWindow() = default;
    virtual WindowTwips placement() const = 0;
    // Applies as much of the stored place as keeps the window on an available screen.
    virtual void applyPlacement(const StoredPlacement& stored) = 0;
    virtual void setCaption(const QString& caption) = 0;
    // Shows group g's number and current name in its "Group Names" item.
    virtual void setGroupMenuCaption(int group) = 0;
    // Back to the captions of a board without names.
    virtual void resetGroupMenuCaptions() = 0;
    // The board was replaced or emptied: draw it again.
    virtual void boardReplaced() = 0;
};
