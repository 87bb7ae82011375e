#pragma once
#include "display/ICanvasInput.h"

#include <QPointer>
#include <QRectF>
#include <functional>

class BoardSelection;
class QRubberBand;
class QWidget;
class RepaintScheduler;

// The mouse and keyboard on the canvas. A press on a clock either becomes a click (select it) or, once
// the pointer has travelled the start-drag distance, a drag (move it, or the selection it belongs to);
// a press on empty canvas either becomes a click (select nothing) or a rubber band (select the clocks
// whose centres it encloses). The pointer shows a hand over buttons and a closed hand while dragging.
class CanvasInput final : public ICanvasInput {
public:
    // The rubber band is made a child of the canvas widget. dragStartTwips: how far a press may wander
    // and still be a click.
    CanvasInput(QWidget& canvas, BoardSelection& selection, RepaintScheduler& repaint, double dragStartTwips);
    ~CanvasInput() override;
    CanvasInput(const CanvasInput&) = delete;
    CanvasInput& operator=(const CanvasInput&) = delete;

    // Called with the index of a double-clicked clock: the one whose box, else whose button, took the press.
    void setShowSetForm(std::function<void(int)> showSetForm) { m_showSetForm = std::move(showSetForm); }

    void mouseDown(Qt::MouseButtons button, Qt::KeyboardModifiers modifiers, float x, float y) override;
    void mouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, float x, float y) override;
    void mouseUp(Qt::MouseButtons button, Qt::KeyboardModifiers modifiers, float x, float y) override;
    void doubleClick() override;
    void keyDown(const QKeyEvent& event) override;
    QString toolTipAt(float x, float y) const override;

private:
    void showSelectBox(float x1, float y1, float x2, float y2);
    void hideSelectBox();
    void deleteSelected();
    void updateCursor(float x, float y);

    QPointer<QWidget> m_canvas;
    BoardSelection& m_selection;
    RepaintScheduler& m_repaint;
    QPointer<QRubberBand> m_rubberBand;
    std::function<void(int)> m_showSetForm;
    double m_dragStart;
    float m_downX = 0;
    float m_downY = 0;
    int m_hitIndex = -1;
    int m_buttonIndex = -1; // the clock whose button the press operated
    bool m_clickPending = false;
    bool m_dragging = false;
    // A deletion under a held clock ends the press: nothing more happens until the next one.
    bool m_pressEnded = false;
    QRectF m_selectBox;
    bool m_selectBoxVisible = false;
};
