#include "display/CanvasWidget.h"

#include "core/CanvasSize.h"
#include "core/ClockCollection.h"

#include <QPainter>
#include <QResizeEvent>

CanvasWidget::CanvasWidget(ClockCollection& clocks, CanvasSize& size, QWidget* parent)
    : QWidget(parent), m_clocks(clocks), m_size(size) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
}

void CanvasWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Base));
}

void CanvasWidget::resizeEvent(QResizeEvent* event) {
    m_size.setSize(event->size().width() * twipsPerPixel, event->size().height() * twipsPerPixel);
    QWidget::resizeEvent(event);
}
