#include "display/CanvasWidget.h"

#include "core/CanvasSize.h"
#include "core/ClockCollection.h"
#include "core/IErrorLog.h"
#include "display/ICanvasInput.h"

#include <QMouseEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QTextDocument>
#include <QToolTip>
#include <QtDebug>
#include <cmath>

CanvasWidget::CanvasWidget(ClockCollection& clocks, CanvasSize& size, QWidget* parent)
    : QWidget(parent), m_clocks(clocks), m_size(size), m_pictures(clocks.environment().programFolder),
      m_renderer(m_pictures), m_canvas(palette().color(QPalette::Base)) {
    for (const QString& problem : m_pictures.problems())
        clocks.environment().log.logError(problem);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    // The pointer's shape follows what lies under it, also with no button held.
    setMouseTracking(true);
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
        m_input->mouseDown(event->button(), event->modifiers(), twips(event->position().x()),
                           twips(event->position().y()));
}

void CanvasWidget::mouseMoveEvent(QMouseEvent* event) {
    if (m_input)
        m_input->mouseMove(event->buttons(), event->modifiers(), twips(event->position().x()),
                           twips(event->position().y()));
}

void CanvasWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (m_input)
        m_input->mouseUp(event->button(), event->modifiers(), twips(event->position().x()),
                         twips(event->position().y()));
}

void CanvasWidget::mouseDoubleClickEvent(QMouseEvent* /*event*/) {
    // Qt reports the second press of a double click here instead of as a press. It is not a press of
    // its own: the clock found by the first one opens, and a button under it is not pressed again.
    if (m_input)
        m_input->doubleClick();
}

bool CanvasWidget::event(QEvent* event) {
    if (event->type() != QEvent::ToolTip)
        return QWidget::event(event);
    const auto* help = static_cast<QHelpEvent*>(event);
    const QString text =
        m_input ? m_input->toolTipAt(twips(help->pos().x()), twips(help->pos().y())) : QString();
    if (text.isEmpty())
        QToolTip::hideText();
    else
        // Plain text: a name that looks like markup shows as typed.
        QToolTip::showText(help->globalPos(), Qt::convertFromPlainText(text, Qt::WhiteSpaceNoWrap), this);
    return true;
}

void CanvasWidget::keyPressEvent(QKeyEvent* event) {
    if (m_input)
        m_input->keyDown(*event);
}
