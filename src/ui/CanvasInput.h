#pragma once
#include "clock/ClockGeometry.h"
#include "display/ICanvasInput.h"

#include <QPointer>
#include <QRectF>
#include <functional>

class BoardSelection;
class QRubberBand;
class QWidget;
class RepaintScheduler;

// The mouse and keyboard on the canvas. A press on a clock either becomes a click (select it) or a drag
// (move it, or the selection it belongs to); a press on empty canvas either becomes a click (select
// nothing) or a rubber band (select the clocks whose centres it encloses).
class CanvasInput final : public ICanvasInput {
public:
    static constexpr int leftButton = 1;

    // The rubber band is made a child of the canvas widget.
    CanvasInput(QWidget& canvas, BoardSelection& selection, RepaintScheduler& repaint);
    ~CanvasInput() override;
    CanvasInput(const CanvasInput&) = delete;
    CanvasInput& operator=(const CanvasInput&) = delete;

    // Called with the index of a double-clicked clock: the one whose box, else whose button, took the press.
    void setShowSetForm(std::function<void(int)> showSetForm) { m_showSetForm = std::move(showSetForm); }

    void mouseDown(int button, int modifiers, float x, float y) override;
    void mouseMove(int buttons, int modifiers, float x, float y) override;
    void mouseUp(int button, int modifiers, float x, float y) override;
    void doubleClick() override;
    void keyDown(const QKeyEvent& event) override;

    int hitIndex() const { return m_hitIndex; }
    bool clickPending() const { return m_clickPending; }
    float downX() const { return m_downX; }
    float downY() const { return m_downY; }
    // The rubber band in canvas twips, and whether a rubber-band drag is in progress.
    QRectF selectBox() const { return m_selectBox; }
    bool selectBoxVisible() const { return m_selectBoxVisible; }
    QRubberBand* rubberBand() const;

    // The digit 0-9 of the main keyboard's key, or -1; the keypad's digits are not digits here.
    static int digitKey(const QKeyEvent& event);
    // The key left of the digit 1.
    static bool isBackquoteKey(const QKeyEvent& event);

private:
    void showSelectBox(float x1, float y1, float x2, float y2);
    void hideSelectBox();

    BoardSelection& m_selection;
    RepaintScheduler& m_repaint;
    QPointer<QRubberBand> m_rubberBand;
    std::function<void(int)> m_showSetForm;
    float m_downX = 0;
    float m_downY = 0;
    int m_hitIndex = -1;
    int m_buttonIndex = -1;
    bool m_clickPending = false;
    QRectF m_selectBox;
    bool m_selectBoxVisible = false;
};
