#include "display/LineRasterizer.h"

#include <QImage>
#include <algorithm>
#include <cmath>

namespace {

// Length of the overlap of [lo, hi] with the pixel [p, p + 1].
double overlap(double lo, double hi, int p) {
    return std::max(0.0, std::min(hi, p + 1.0) - std::max(lo, double(p)));
}

// The colour over the pixel by a coverage of 0 to 256, two channels at a time.
QRgb blend(QRgb under, QRgb colour, uint cover) {
    const uint rest = 256 - cover;
    const uint rb = ((colour & 0xff00ffu) * cover + (under & 0xff00ffu) * rest) >> 8;
    const uint ag = ((colour >> 8) & 0xff00ffu) * cover + ((under >> 8) & 0xff00ffu) * rest;
    return (rb & 0xff00ffu) | (ag & 0xff00ff00u);
}

} // namespace

void LineRasterizer::drawLine(QImage& image, QPointF a, QPointF b, double width, QRgb colour) {
    drawLine(image, a, b, width, colour, image.rect());
}

void LineRasterizer::drawLine(QImage& image, QPointF a, QPointF b, double width, QRgb colour,
                              const QRect& clip) {
    const QRect area = clip & image.rect();
    if (area.isEmpty())
        return;
    const QImage::Format f = image.format();
    if (f != QImage::Format_RGB32 && f != QImage::Format_ARGB32 && f != QImage::Format_ARGB32_Premultiplied)
        return;
    // Walk along the major axis one pixel column (or row) at a time; across it the line covers a band
    // whose thickness grows with the slope.
    const bool steep = std::abs(b.y() - a.y()) > std::abs(b.x() - a.x());
    double u0 = steep ? a.y() : a.x(), v0 = steep ? a.x() : a.y();
    double u1 = steep ? b.y() : b.x(), v1 = steep ? b.x() : b.y();
    if (u0 > u1) {
        std::swap(u0, u1);
        std::swap(v0, v1);
    }
    const double slope = u1 > u0 ? (v1 - v0) / (u1 - u0) : 0.0;
    const double half = width / 2.0 * std::sqrt(1.0 + slope * slope);
    const int uMin = steep ? area.top() : area.left(), uMax = steep ? area.bottom() : area.right();
    const int vMin = steep ? area.left() : area.top(), vMax = steep ? area.right() : area.bottom();
    uchar* const bits = image.bits();
    const qsizetype stride = image.bytesPerLine();
    const int uFirst = std::max(uMin, int(std::floor(u0))), uLast = std::min(uMax, int(std::ceil(u1)) - 1);
    for (int u = uFirst; u <= uLast; ++u) {
        const double along = overlap(u0, u1, u);
        if (along <= 0)
            continue;
        const double centre = v0 + (std::clamp(u + 0.5, u0, u1) - u0) * slope;
        const double lo = centre - half, hi = centre + half;
        const int vFirst = std::max(vMin, int(std::floor(lo))),
                  vLast = std::min(vMax, int(std::ceil(hi)) - 1);
        for (int v = vFirst; v <= vLast; ++v) {
            const uint cover = uint(std::min(1.0, along * overlap(lo, hi, v)) * 256.0 + 0.5);
            if (cover == 0)
                continue;
            const int x = steep ? v : u, y = steep ? u : v;
            QRgb* px = reinterpret_cast<QRgb*>(bits + y * stride) + x;
            *px = blend(*px, colour | 0xff000000u, cover);
        }
    }
}
