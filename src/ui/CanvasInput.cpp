#include "ui/CanvasInput.h"

#include "clock/ClockGeometry.h"
#include "core/BoardSelection.h"
#include "core/ClockCollection.h"
#include "core/RepaintScheduler.h"
#include "ui/ClockToolTip.h"

#include <QKeyEvent>
#include <QRubberBand>
#include <QWidget>
#include <algorithm>
#include <cmath>

namespace {
// Physical keys, whatever the layout prints on them.
#ifdef Q_OS_WIN
constexpr quint32 digitOneCode = 0x02; // 1 … 9, 0 follow in order
constexpr quint32 backquoteCode = 0x29;
#else
constexpr quint32 digitOneCode = 10; // X11 and Wayland keycodes
constexpr quint32 backquoteCode = 49;
#endif

constexpr Qt::KeyboardModifiers additiveModifiers = Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier;

// The digit 0-9 of the main keyboard's key, or -1; the keypad's digits are not digits here.
int digitKey(const QKeyEvent& event) {
    if (event.modifiers() & Qt::KeypadModifier)
        return -1;
    const quint32 code = event.nativeScanCode();
    if (code != 0) {
        // Shift+5 arrives as "%" (or "§", "(" …): the key, not its text, decides.
        if (code >= digitOneCode && code < digitOneCode + 10)
            return int((code - digitOneCode + 1) % 10);
        return -1;
    }
    // Events made by a program carry no physical key.
    if (event.key() >= Qt::Key_0 && event.key() <= Qt::Key_9)
        return event.key() - Qt::Key_0;
    return -1;
}

// The key left of the digit 1.
bool isBackquoteKey(const QKeyEvent& event) {
    const quint32 code = event.nativeScanCode();
    if (code != 0)
        return code == backquoteCode;
    return event.key() == Qt::Key_QuoteLeft || event.key() == Qt::Key_AsciiTilde;
}
} // namespace

CanvasInput::CanvasInput(QWidget& canvas, BoardSelection& selection, RepaintScheduler& repaint,
                         double dragStartTwips)
    : m_canvas(&canvas), m_selection(selection), m_repaint(repaint),
      m_rubberBand(new QRubberBand(QRubberBand::Rectangle, &canvas)), m_dragStart(dragStartTwips) {
    m_rubberBand->hide();
}

CanvasInput::~CanvasInput() {
    delete m_rubberBand.data();
}

void CanvasInput::mouseDown(Qt::MouseButtons button, Qt::KeyboardModifiers /*modifiers*/, float x, float y) {
    m_downX = x;
    m_downY = y;
    m_dragging = false;
    m_pressEnded = false;
    m_buttonIndex = button == Qt::LeftButton ? m_selection.clickClockButtons(x, y) : -1;
    m_hitIndex = m_selection.hitTest(x, y);
    if (m_hitIndex > -1)
        m_clickPending = true;
    m_repaint.request();
}

void CanvasInput::mouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers /*modifiers*/, float x, float y) {
    if (buttons == Qt::NoButton) {
        updateCursor(x, y);
        return;
    }
    // Only the left button alone drags; with any other button held the mouse just passes over.
    if (buttons != Qt::LeftButton || m_pressEnded)
        return;
    if (m_hitIndex < 0) {
        m_clickPending = false;
        showSelectBox(m_downX, m_downY, x, y);
        return;
    }
    if (!m_dragging) {
        // A hand that trembles while clicking has not meant to drag.
        if (std::abs(x - m_downX) + std::abs(y - m_downY) < m_dragStart)
            return;
        m_dragging = true;
        updateCursor(x, y);
    }
    m_clickPending = false;
    m_selection.dragClock(m_hitIndex, x - m_downX, y - m_downY);
    m_downX = x;
    m_downY = y;
    m_repaint.request();
}

void CanvasInput::mouseUp(Qt::MouseButtons /*button*/, Qt::KeyboardModifiers modifiers, float x, float y) {
    if (m_selectBoxVisible) {
        m_selection.selectInBox(m_selectBox, true);
        hideSelectBox();
    } else if (m_pressEnded) {
        // The clock held is gone; the release has nothing left to act on.
    } else if (m_hitIndex == -1) {
        m_selection.selectInBox(m_selectBox, false);
    } else if (m_clickPending) {
        m_selection.clickSelect(m_hitIndex, (modifiers & additiveModifiers) == 0);
    }
    m_clickPending = false;
    m_dragging = false;
    updateCursor(x, y);
    m_repaint.request();
}

void CanvasInput::doubleClick() {
    // A double click on a clock's button opens that clock, as one on its box does.
    const int index = m_hitIndex > -1 ? m_hitIndex : m_buttonIndex;
    if (index > -1 && m_showSetForm)
        m_showSetForm(index);
}

void CanvasInput::keyDown(const QKeyEvent& event) {
    const int digit = digitKey(event);
    if (digit >= 0) {
        if ((event.modifiers() & additiveModifiers) == 0)
            m_selection.selectGroup(digit);
        else
            m_selection.assignSelectedToGroup(digit);
    } else if (isBackquoteKey(event)) {
        m_selection.selectInBox(m_selectBox, m_selectBoxVisible);
    } else if (event.key() == Qt::Key_Delete) {
        deleteSelected();
    } else {
        return;
    }
    m_repaint.request();
}

QString CanvasInput::toolTipAt(float x, float y) const {
    const int index = m_selection.topClockAt(x, y);
    return index < 0 ? QString() : ClockToolTip::text(m_selection.clocks(), index);
}

void CanvasInput::deleteSelected() {
    const int before = m_selection.clocks().clockCount();
    m_selection.deleteSelected();
    if (m_selection.clocks().clockCount() == before)
        return;
    // The clocks behind the deleted ones moved down: the index held now names another clock.
    m_pressEnded = m_hitIndex >= 0;
    m_hitIndex = -1;
    m_buttonIndex = -1;
    if (m_canvas)
        m_canvas->unsetCursor();
}

void CanvasInput::updateCursor(float x, float y) {
    if (!m_canvas)
        return;
    if (m_dragging)
        m_canvas->setCursor(Qt::ClosedHandCursor);
    else if (m_selection.buttonAt(x, y) >= 0)
        m_canvas->setCursor(Qt::PointingHandCursor);
    else
        m_canvas->unsetCursor();
}

void CanvasInput::showSelectBox(float x1, float y1, float x2, float y2) {
    m_selectBox = QRectF(std::min(x1, x2), std::min(y1, y2), std::abs(x2 - x1), std::abs(y2 - y1));
    m_selectBoxVisible = true;
    if (m_rubberBand) {
        const QRectF pixels(m_selectBox.left() / ClockGeometry::twipsPerPixel,
                            m_selectBox.top() / ClockGeometry::twipsPerPixel,
                            m_selectBox.width() / ClockGeometry::twipsPerPixel,
                            m_selectBox.height() / ClockGeometry::twipsPerPixel);
        m_rubberBand->setGeometry(pixels.toAlignedRect());
        m_rubberBand->show();
    }
}

void CanvasInput::hideSelectBox() {
    m_selectBoxVisible = false;
    if (m_rubberBand)
        m_rubberBand->hide();
}
