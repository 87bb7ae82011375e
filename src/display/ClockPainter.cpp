#include "display/ClockPainter.h"

#include "clock/ClockGeometry.h"
#include "clock/clsClock.h"
#include "core/TimeText.h"
#include "display/ICanvas.h"
#include "display/PictureStore.h"
#include "display/QPainterCanvas.h"

namespace {
const QColor black(0, 0, 0);
const QColor red(255, 0, 0);
constexpr double selectionMargin = 50;
constexpr double captionIndent = 25;
constexpr double nameIndent = 25;
constexpr qsizetype maxShownNames = 4096;
} // namespace

ClockPainter::ClockPainter(const PictureStore& pictures)
    : m_pictures(pictures),
      m_start(PictureStore::captioned(pictures.button(1), QStringLiteral("Start"), captionIndent, 0)),
      m_stop(PictureStore::captioned(pictures.button(2), QStringLiteral("Stop"), captionIndent, 0)),
      m_reset(PictureStore::captioned(pictures.button(3), QStringLiteral("Rset"), captionIndent, 0)),
      m_nameMetrics(QPainterCanvas::canvasFont(1.0, true)) {}

int ClockPainter::faceIndex(const clsClock& clock) {
    if (!clock.active())
        return 0;
    return clock.currentTime() <= 10.0 ? 1 : 2;
}

QString ClockPainter::shownName(const QString& name) const {
    auto it = m_shownNames.constFind(name);
    if (it != m_shownNames.constEnd())
        return it.value();
    if (m_shownNames.size() >= maxShownNames)
        m_shownNames.clear();
    // As wide as the panel leaves beside the name's indent on both sides, in logical pixels.
    const double width = (ClockGeometry::boxWidth - 2 * nameIndent) / ClockGeometry::twipsPerPixel;
    const QString shown = m_nameMetrics.elidedText(name, Qt::ElideRight, width);
    m_shownNames.insert(name, shown);
    return shown;
}

QRectF ClockPainter::area(const clsClock& clock) {
    constexpr double edge = 2 * ClockGeometry::twipsPerPixel;
    return {clock.myLeft() - ClockGeometry::faceOffset - edge,
            clock.myTop() - ClockGeometry::faceOffset - edge, ClockGeometry::faceWidth + 2 * edge,
            ClockGeometry::faceHeight + 2 * edge};
}

QRectF ClockPainter::timeArea(const clsClock& clock) {
    const QRectF all = area(clock);
    return {all.left(), all.top(), all.width(), clock.myTop() + ClockGeometry::boxHeight / 2 - all.top()};
}

void ClockPainter::draw(ICanvas& canvas, const clsClock& clock) const {
    canvas.setLineWidth(2);
    const QRectF covered = area(clock);
    if (!canvas.shows(covered.left(), covered.top(), covered.right(), covered.bottom()))
        return;
    const double left = clock.myLeft(), top = clock.myTop();

    canvas.drawPicture(m_pictures.maskedFace(faceIndex(clock)), left - ClockGeometry::faceOffset,
                       top - ClockGeometry::faceOffset, ClockGeometry::faceWidth, ClockGeometry::faceHeight,
                       ICanvas::Combine::Blend);

    canvas.setForeColor(black);
    canvas.setBold(true);
    canvas.text(left + ClockGeometry::boxWidth / 7, top, TimeText::clockText(clock.currentTime()));
    canvas.text(left + nameIndent, top + ClockGeometry::boxHeight / 2, shownName(clock.purpose()));

    const Picture* buttons[2] = {clock.active() ? &m_stop : &m_start, &m_reset};
    for (int b = 0; b < 2; ++b) {
        const CanvasPoint corner = clock.buttonCorner(b);
        canvas.drawPicture(*buttons[b], corner.x, corner.y, ClockGeometry::buttonWidth,
                           ClockGeometry::buttonHeight, ICanvas::Combine::Copy);
    }

    if (clock.selected()) {
        const double l = left - selectionMargin, t = top - selectionMargin;
        const double r = clock.myRight() + selectionMargin, b = clock.myBottom() + selectionMargin;
        canvas.setForeColor(red);
        canvas.line(l, t, r, t);
        canvas.line(r, t, r, b);
        canvas.line(r, b, l, b);
        canvas.line(l, b, l, t);
    }
    canvas.setBold(false);
}
