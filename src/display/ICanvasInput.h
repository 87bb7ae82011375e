#pragma once

class QKeyEvent;

// What the canvas hands on from the mouse and keyboard. Points are in canvas twips; buttons are
// left 1, right 2, middle 4; modifiers shift 1, ctrl 2, alt 4.
class ICanvasInput {
public:
    virtual ~ICanvasInput() = default;
    virtual void mouseDown(int button, int modifiers, float x, float y) = 0;
    virtual void mouseMove(int buttons, int modifiers, float x, float y) = 0;
    virtual void mouseUp(int button, int modifiers, float x, float y) = 0;
    virtual void doubleClick() = 0;
    virtual void keyDown(const QKeyEvent& event) = 0;
};
