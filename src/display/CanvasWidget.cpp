#include "display/CanvasWidget.h"

#include "core/CanvasSize.h"
#include "core/ClockCollection.h"
#include "core/IErrorLog.h"
#include "display/ICanvasInput.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QTextDocument>
#include <QToolTip>
#include <QtDebug>
#include <algorithm>
#include <cmath>
#include <vector>

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

void CanvasWidget::repaintWhole() {
    m_looks.takeAll(m_clocks);
    update();
}

void CanvasWidget::repaintChangedClocks() {
    const std::optional<QVector<QRectF>> areas = m_looks.takeChanged(m_clocks);
    if (!areas) {
        update();
        return;
    }
    // Clocks in one row change together: one rectangle along the row costs less to paint and show than
    // one for each clock, as long as what lies between them is no wider than what they cover.
    constexpr double twips = ClockGeometry::twipsPerPixel;
    std::vector<QRect> rects;
    for (const QRectF& area : *areas)
        rects.push_back(QRectF(area.topLeft() / twips, area.bottomRight() / twips).toAlignedRect());
    std::sort(rects.begin(), rects.end(), [](const QRect& a, const QRect& b) {
        return std::make_pair(a.top(), a.left()) < std::make_pair(b.top(), b.left());
    });
    QRect row;
    for (const QRect& r : rects) {
        if (!row.isNull() && r.top() == row.top() && r.height() == row.height() &&
            r.left() - row.right() <= r.width()) {
            row |= r;
            continue;
        }
        if (!row.isNull())
            update(row);
        row = r;
    }
    if (!row.isNull())
        update(row);
}

namespace {
// The device pixels under an area of logical ones, whole pixels outward.
QRegion devicePixels(const QRegion& logical, qreal ratio) {
    if (ratio == 1.0)
        return logical;
    QRegion pixels;
    for (const QRect& r : logical)
        pixels += QRectF(QPointF(r.topLeft()) * ratio, QSizeF(r.size()) * ratio).toAlignedRect();
    return pixels;
}
} // namespace

void CanvasWidget::paintEvent(QPaintEvent* event) {
    const qreal ratio = devicePixelRatioF();
    const QSize pixels(int(std::ceil(width() * ratio)), int(std::ceil(height() * ratio)));
    if (pixels.isEmpty())
        return;
    QRegion area = event->region() & rect();
    if (m_backBuffer.size() != pixels) {
        m_backBuffer = QImage(pixels, QImage::Format_RGB32);
        area = rect(); // a new buffer holds nothing yet
    }
    m_lastPainted = area;
    m_canvas.setBackground(palette().color(QPalette::Base));
    m_canvas.begin(m_backBuffer, ratio, devicePixels(area, ratio));
    m_renderer.render(m_canvas, m_clocks, m_clocks.environment().options);
    m_canvas.end();
    m_backBuffer.setDevicePixelRatio(ratio);
    // Piece by piece: each copy stays small, where one clipped copy of the whole buffer would walk (and
    // share out among threads) every line of it.
    QPainter painter(this);
    for (const QRect& piece : area)
        painter.drawImage(piece, m_backBuffer,
                          QRectF(QPointF(piece.topLeft()) * ratio, QSizeF(piece.size()) * ratio));
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
