#include "ui/CanvasInput.h"

#include "core/BoardSelection.h"
#include "core/RepaintScheduler.h"
#include "display/CanvasWidget.h"

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
} // namespace

CanvasInput::CanvasInput(QWidget& canvas, BoardSelection& selection, RepaintScheduler& repaint)
    : m_selection(selection), m_repaint(repaint),
      m_rubberBand(new QRubberBand(QRubberBand::Rectangle, &canvas)) {
    m_rubberBand->hide();
}

CanvasInput::~CanvasInput() {
    delete m_rubberBand.data();
}

QRubberBand* CanvasInput::rubberBand() const {
    return m_rubberBand.data();
}

void CanvasInput::mouseDown(int button, int /*modifiers*/, float x, float y) {
    m_downX = x;
    m_downY = y;
    m_buttonIndex = button == leftButton ? m_selection.clickClockButtons(x, y) : -1;
    m_hitIndex = m_selection.hitTest(x, y);
    if (m_hitIndex > -1)
        m_clickPending = true;
    m_repaint.request();
}

void CanvasInput::mouseMove(int buttons, int /*modifiers*/, float x, float y) {
    // Only the left button alone drags; with any other button held the mouse just passes over.
    if (buttons != leftButton)
        return;
    m_clickPending = false;
    if (m_hitIndex < 0) {
        showSelectBox(m_downX, m_downY, x, y);
        return;
    }
    m_selection.dragClock(m_hitIndex, x - m_downX, y - m_downY);
    m_downX = x;
    m_downY = y;
    m_repaint.request();
}

void CanvasInput::mouseUp(int /*button*/, int modifiers, float /*x*/, float /*y*/) {
    if (m_selectBoxVisible) {
        m_selection.selectInBox(m_selectBox, true);
        m_clickPending = false;
        hideSelectBox();
        m_repaint.request();
        return;
    }
    if (m_hitIndex == -1)
        m_selection.selectInBox(m_selectBox, false);
    else if (m_clickPending)
        m_selection.clickSelect(m_hitIndex, modifiers == 0);
    m_clickPending = false;
    m_repaint.request();
}

void CanvasInput::doubleClick() {
    const int index = m_hitIndex > -1 ? m_hitIndex : m_buttonIndex;
    if (index > -1 && m_showSetForm)
        m_showSetForm(index);
}

void CanvasInput::keyDown(const QKeyEvent& event) {
    const int digit = digitKey(event);
    if (digit >= 0) {
        if (CanvasWidget::modifierBits(event.modifiers()) == 0)
            m_selection.selectGroup(digit);
        else
            m_selection.assignSelectedToGroup(digit);
    } else if (isBackquoteKey(event)) {
        m_selection.selectInBox(m_selectBox, m_selectBoxVisible);
    } else if (event.key() == Qt::Key_Delete) {
        m_selection.deleteSelected();
    } else {
        return;
    }
    m_repaint.request();
}

int CanvasInput::digitKey(const QKeyEvent& event) {
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

bool CanvasInput::isBackquoteKey(const QKeyEvent& event) {
    const quint32 code = event.nativeScanCode();
    if (code != 0)
        return code == backquoteCode;
    return event.key() == Qt::Key_QuoteLeft || event.key() == Qt::Key_AsciiTilde;
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
