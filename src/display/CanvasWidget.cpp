#include "display/CanvasWidget.h"

#include "core/CanvasSize.h"
#include "core/ClockCollection.h"
#include "display/ICanvasInput.h"

#include <QMouseEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QtDebug>
#include <cmath>

CanvasWidget::CanvasWidget(ClockCollection& clocks, CanvasSize& size, QWidget* parent)
    : QWidget(parent), m_clocks(clocks), m_size(size), m_pictures(clocks.environment().programFolder),
      m_renderer(m_pictures), m_canvas(palette().color(QPalette::Base)) {
    if (!m_pictures.complete())
        qWarning("Clock pictures missing from %s/pictures: %s",
                 qUtf8Printable(clocks.environment().programFolder),
                 qUtf8Printable(m_pictures.missing().join(QStringLiteral(", "))));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(false);
}

int CanvasWidget::buttonBits(Qt::MouseButtons buttons) {
    return (buttons & Qt::LeftButton ? 1 : 0) | (buttons & Qt::RightButton ? 2 : 0) |
           (buttons & Qt::MiddleButton ? 4 : 0);
}

int CanvasWidget::modifierBits(Qt::KeyboardModifiers modifiers) {
    return (modifiers & Qt::ShiftModifier ? 1 : 0) | (modifiers & Qt::ControlModifier ? 2 : 0) |
           (modifiers & Qt::AltModifier ? 4 : 0);
}

void CanvasWidget::paintEvent(QPaintEvent*) {
    const qreal ratio = devicePixelRatioF();
    const QSize pixels(int(std::ceil(width() * ratio)), int(std::ceil(height() * ratio)));
    if (pixels.isEmpty())
        return;
    if (m_backBuffer.size() != pixels)
        m_backBuffer = QImage(pixels, QImage::Format_RGB32);
    m_canvas.setBackground(palette().color(QPalette::Base));
    m_canvas.begin(m_backBuffer, ratio);
    m_renderer.render(m_canvas, m_clocks, m_clocks.environment().options);
    m_canvas.end();
    m_backBuffer.setDevicePixelRatio(ratio);
    QPainter(this).drawImage(QPointF(0, 0), m_backBuffer);
}

void CanvasWidget::resizeEvent(QResizeEvent* event) {
    m_size.setSize(event->size().width() * ClockGeometry::twipsPerPixel,
                   event->size().height() * ClockGeometry::twipsPerPixel);
    QWidget::resizeEvent(event);
}

namespace {
float twips(qreal pixels) {
    return float(pixels * ClockGeometry::twipsPerPixel);
}
} // namespace

void CanvasWidget::mousePressEvent(QMouseEvent* event) {
    if (m_input)
        m_input->mouseDown(buttonBits(event->button()), modifierBits(event->modifiers()),
                           twips(event->position().x()), twips(event->position().y()));
}

void CanvasWidget::mouseMoveEvent(QMouseEvent* event) {
    if (m_input)
        m_input->mouseMove(buttonBits(event->buttons()), modifierBits(event->modifiers()),
                           twips(event->position().x()), twips(event->position().y()));
}

void CanvasWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (m_input)
        m_input->mouseUp(buttonBits(event->button()), modifierBits(event->modifiers()),
                         twips(event->position().x()), twips(event->position().y()));
}

void CanvasWidget::mouseDoubleClickEvent(QMouseEvent* /*event*/) {
    // Qt reports the second press of a double click here instead of as a press. It is not a press of
    // its own: the clock found by the first one opens, and a button under it is not pressed again.
    if (m_input)
        m_input->doubleClick();
}

void CanvasWidget::keyPressEvent(QKeyEvent* event) {
    if (m_input)
        m_input->keyDown(*event);
}
