#include "display/QPainterCanvas.h"

#include "display/LineRasterizer.h"
#include "display/Picture.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QStringList>
#include <cmath>

QPainterCanvas::QPainterCanvas(const QColor& background) : m_background(background) {}

QPainterCanvas::QPainterCanvas(QImage& target, const QColor& background, double devicePixelRatio)
    : m_background(background) {
    begin(target, devicePixelRatio);
}

QPainterCanvas::~QPainterCanvas() {
    end();
}

QFont QPainterCanvas::canvasFont(double devicePixelRatio, bool bold) {
    QFont font;
    font.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans"),
                      QStringLiteral("Nimbus Sans"), QStringLiteral("Helvetica"),
                      QStringLiteral("DejaVu Sans")});
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(
        std::max(1, int(std::lround(fontTwips / ClockGeometry::twipsPerPixel * devicePixelRatio))));
    font.setBold(bold);
    // Settle on the family found, so that drawing does not search the list again for every text.
    font.setFamilies({QFontInfo(font).family()});
    return font;
}

void QPainterCanvas::begin(QImage& target, double devicePixelRatio) {
    begin(target, devicePixelRatio, QRegion(target.rect()));
}

void QPainterCanvas::begin(QImage& target, double devicePixelRatio, const QRegion& area) {
    end();
    const double ratio = devicePixelRatio > 0 ? devicePixelRatio : 1.0;
    if (ratio != m_dpr || m_fonts[0].pixelSize() <= 0) {
        m_dpr = ratio;
        m_scale = ratio / ClockGeometry::twipsPerPixel;
        for (int bold = 0; bold < 2; ++bold) {
            m_fonts[bold] = canvasFont(m_dpr, bold != 0);
            m_ascent[bold] = QFontMetrics(m_fonts[bold]).ascent();
            m_texts[bold].clear();
        }
        m_textBytes = 0;
        m_discs.clear();
    }
    ++m_picture;
    const QRegion within = area & target.rect();
    const bool whole = within == QRegion(target.rect());
    m_pieces.assign(within.begin(), within.end());
    m_whole = whole;
    if (whole)
        m_lastWhole = m_picture;
    // The painter must see device pixels; the ratio is applied here, not by Qt.
    target.setDevicePixelRatio(1.0);
    m_target = &target;
    m_painter.begin(&target);
    m_painter.setRenderHint(QPainter::Antialiasing);
    m_painter.setRenderHint(QPainter::SmoothPixmapTransform);
    m_fore = Qt::black;
    m_penWidth = 1;
    m_bold = false;
    m_painterBold = false;
    m_painter.setFont(m_fonts[0]);
    applyPen();
    // The first piece, or nothing at all when the area is empty.
    m_piece = QRect();
    if (m_pieces.empty())
        m_painter.setClipRect(QRect());
    else
        selectPiece(0);
}

void QPainterCanvas::selectPiece(int index) {
    m_piece = m_pieces[std::size_t(index)];
    if (!m_whole)
        m_painter.setClipRect(m_piece);
}

void QPainterCanvas::end() {
    if (!m_painter.isActive())
        return;
    m_painter.end();
    m_target = nullptr;
    dropUnused();
}

void QPainterCanvas::dropUnused() {
    // Whatever the picture just finished did not use is gone from the board. A picture of a part keeps
    // what the last whole one used, since most of it still shows outside that part.
    const auto unused = [this](quint64 lastPicture) {
        return lastPicture != m_picture && lastPicture != m_lastWhole;
    };
    for (auto& texts : m_texts)
        texts.removeIf([this, &unused](const auto& it) {
            if (!unused(it.value().lastPicture))
                return false;
            m_textBytes -= it.value().image.sizeInBytes();
            return true;
        });
    m_discs.removeIf([&unused](const auto& it) { return unused(it.value().lastPicture); });
}

bool QPainterCanvas::shows(double left, double top, double right, double bottom) const {
    const QRect pixels(QPoint(devicePixels(left), devicePixels(top)),
                       QPoint(devicePixels(right), devicePixels(bottom)));
    return m_piece.intersects(pixels);
}

int QPainterCanvas::devicePixels(double twips) const {
    // A position far off the canvas (or not a number at all, from a damaged file) is held just off it,
    // so that rounding to whole pixels stays within an int.
    constexpr double limit = 1e6;
    double pixels = twips * m_scale;
    if (!(pixels > -limit))
        pixels = -limit;
    else if (pixels > limit)
        pixels = limit;
    return int(std::lround(pixels));
}

QPointF QPainterCanvas::penPoint(double x, double y) const {
    const double half = (m_penWidth % 2) ? 0.5 : 0.0;
    return QPointF(devicePixels(x) + half, devicePixels(y) + half);
}

void QPainterCanvas::applyPen() {
    m_painter.setPen(QPen(m_fore, m_penWidth, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
}

void QPainterCanvas::clear() {
    // An opaque fill with antialiasing off takes the painter's plain rectangle path; each piece of the
    // area is filled on its own, so a small area costs little however large the target.
    const bool opaque = m_background.alpha() == 255;
    m_painter.setRenderHint(QPainter::Antialiasing, false);
    if (!opaque)
        m_painter.setCompositionMode(QPainter::CompositionMode_Source);
    m_painter.fillRect(m_piece, m_background);
    m_painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    m_painter.setRenderHint(QPainter::Antialiasing, true);
}

void QPainterCanvas::setForeColor(const QColor& colour) {
    if (colour == m_fore)
        return;
    m_fore = colour;
    applyPen();
}

void QPainterCanvas::setLineWidth(int pixels) {
    const int width = std::max(1, int(std::lround(pixels * m_dpr)));
    if (width == m_penWidth)
        return;
    m_penWidth = width;
    applyPen();
}

void QPainterCanvas::setBold(bool bold) {
    // The painter itself gets the font only when a text is drawn directly; ready texts need none.
    m_bold = bold;
}

void QPainterCanvas::drawPicture(const Picture& picture, double x, double y, double width, double height,
                                 Combine combine) {
    const QImage& image = picture.forScale(m_dpr);
    if (image.isNull())
        return;
    const int left = devicePixels(x), top = devicePixels(y);
    const QRect target(left, top, devicePixels(x + width) - left, devicePixels(y + height) - top);
    // An opaque picture laid over the canvas is a plain copy, and the painter's usual mode is the fast one.
    if (combine == Combine::Blend || !image.hasAlphaChannel()) {
        m_painter.drawImage(target, image, image.rect());
        return;
    }
    m_painter.setCompositionMode(QPainter::CompositionMode_Source);
    m_painter.drawImage(target, image, image.rect());
    m_painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void QPainterCanvas::line(double x1, double y1, double x2, double y2) {
    const QPointF a = penPoint(x1, y1), b = penPoint(x2, y2);
    if (a.x() != b.x() && a.y() != b.y()) {
        // The raster engine writes straight into the image, so drawing beside it keeps the order; it
        // knows nothing of the painter's clip, so it is given the area piece by piece.
        const QRect reach = QRectF(a, b)
                                .normalized()
                                .adjusted(-m_penWidth, -m_penWidth, m_penWidth, m_penWidth)
                                .toAlignedRect();
        if (m_piece.intersects(reach))
            LineRasterizer::drawLine(*m_target, a, b, m_penWidth, m_fore.rgb(), m_piece);
        return;
    }
    // Level and upright lines (outlines, boxes) are whole-pixel rectangles: filled, not stroked. The
    // square cap reaches half the width past each end, so the corners of an outline close.
    const double half = m_penWidth / 2.0;
    const QRectF r(QPointF(std::min(a.x(), b.x()) - half, std::min(a.y(), b.y()) - half),
                   QPointF(std::max(a.x(), b.x()) + half, std::max(a.y(), b.y()) + half));
    m_painter.fillRect(r, m_fore);
}

const QImage& QPainterCanvas::disc(int diameter, const QColor& colour) {
    const quint64 key = (quint64(colour.rgba()) << 32) | (quint64(diameter) << 8) | quint64(m_penWidth);
    Disc& d = m_discs[key];
    d.lastPicture = m_picture;
    if (d.image.isNull()) {
        const int side = diameter + m_penWidth + 2;
        d.image = QImage(side, side, QImage::Format_ARGB32_Premultiplied);
        d.image.fill(Qt::transparent);
        QPainter p(&d.image);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(colour, m_penWidth));
        p.setBrush(colour);
        p.drawEllipse(QPointF(side / 2.0, side / 2.0), diameter / 2.0, diameter / 2.0);
    }
    return d.image;
}

void QPainterCanvas::circle(double cx, double cy, double radius, const QColor& colour) {
    // The same disc recurs at every link's end: it is drawn once and then copied.
    const int diameter = std::max(1, int(std::lround(2 * radius * m_scale)));
    const QImage& image = disc(diameter, colour);
    const QPointF centre = penPoint(cx, cy);
    m_painter.drawImage(QPointF(centre.x() - image.width() / 2.0, centre.y() - image.height() / 2.0), image);
}

void QPainterCanvas::renderText(CachedText& cached, const QString& text, const QFont& font) {
    m_textBytes -= cached.image.sizeInBytes();
    // The ink's bounds from the baseline origin, with room for the antialiased fringe.
    const QRect ink = QFontMetrics(font).boundingRect(text).adjusted(-1, -1, 1, 1);
    cached.image = QImage(ink.size(), QImage::Format_ARGB32_Premultiplied);
    cached.image.fill(Qt::transparent);
    QPainter p(&cached.image);
    p.setFont(font);
    p.setPen(m_fore);
    p.drawText(-ink.topLeft(), text);
    p.end();
    cached.offset = ink.topLeft();
    cached.colour = m_fore.rgba();
    m_textBytes += cached.image.sizeInBytes();
}

void QPainterCanvas::drawTextDirectly(QPoint baseline, const QString& text) {
    if (m_painterBold != m_bold) {
        m_painterBold = m_bold;
        m_painter.setFont(m_fonts[m_bold ? 1 : 0]);
    }
    m_painter.drawText(baseline, text);
}

void QPainterCanvas::text(double x, double y, const QString& text) {
    if (text.isEmpty())
        return;
    const int b = m_bold ? 1 : 0;
    const QPoint baseline(devicePixels(x), devicePixels(y) + m_ascent[b]);
    QHash<QString, CachedText>& texts = m_texts[b];
    auto it = texts.find(text);
    if (it == texts.end()) {
        if (m_textBytes < textCacheBytes)
            texts.insert(text, CachedText{QImage(), QPoint(), 0, m_picture});
        drawTextDirectly(baseline, text);
        return;
    }
    // A text becomes an image once it shows in two pictures running (a name, a clock that is not
    // counting); a time that changes every second is drawn directly.
    CachedText& cached = it.value();
    const bool again = cached.lastPicture + 1 >= m_picture;
    cached.lastPicture = m_picture;
    if (cached.image.isNull() || cached.colour != m_fore.rgba()) {
        if (!again || m_textBytes >= textCacheBytes || text.size() > maxCachedLength) {
            drawTextDirectly(baseline, text);
            return;
        }
        renderText(cached, text, m_fonts[b]);
    }
    m_painter.drawImage(baseline + cached.offset, cached.image);
}
