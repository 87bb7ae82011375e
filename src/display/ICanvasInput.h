#pragma once
#include <QString>
#include <Qt>

class QKeyEvent;

// What the canvas hands on from the mouse and keyboard. Points are in canvas twips.
class ICanvasInput {
public:
    virtual ~ICanvasInput() = default;
    // button: the one pressed or released; buttons: those held.
    virtual void mouseDown(Qt::MouseButtons button, Qt::KeyboardModifiers modifiers, float x, float y) = 0;
    virtual void mouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, float x, float y) = 0;
    virtual void mouseUp(Qt::MouseButtons button, Qt::KeyboardModifiers modifiers, float x, float y) = 0;
    virtual void doubleClick() = 0;
    virtual void keyDown(const QKeyEvent& event) = 0;
    // What to tell about the point while the pointer rests there; empty for nothing.
    virtual QString toolTipAt(float x, float y) const = 0;
};
