#include "display/LineRasterizer.h"

#include <QImage>
#include <algorithm>
#include <cmath>

namespace {

// Length of the overlap of [lo, hi] with the pixel [p, p + 1].
double overlap(double lo, double hi, int p) {
    return std::max(0.0, std::min(hi, p + 1.0) - std::max(lo, double(p)));
}

QRgb blend(QRgb under, QRgb colour, double cover) {
    const int a = int(cover * 256.0 + 0.5);
    const auto mixChannel = [a](int d, int s) { return d + (((s - d) * a) >> 8); };
    return qRgba(mixChannel(qRed(under), qRed(colour)), mixChannel(qGreen(under), qGreen(colour)),
                 mixChannel(qBlue(under), qBlue(colour)), mixChannel(qAlpha(under), 255));
}

} // namespace

void LineRasterizer::drawLine(QImage& image, QPointF a, QPointF b, double width, QRgb colour) {
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
    const int uLimit = steep ? image.height() : image.width();
    const int vLimit = steep ? image.width() : image.height();
    uchar* const bits = image.bits();
    const qsizetype stride = image.bytesPerLine();
    const int uFirst = std::max(0, int(std::floor(u0))), uLast = std::min(uLimit - 1, int(std::ceil(u1)) - 1);
    for (int u = uFirst; u <= uLast; ++u) {
        const double along = overlap(u0, u1, u);
        if (along <= 0)
            continue;
        const double centre = v0 + (std::clamp(u + 0.5, u0, u1) - u0) * slope;
        const double lo = centre - half, hi = centre + half;
        const int vFirst = std::max(0, int(std::floor(lo))),
                  vLast = std::min(vLimit - 1, int(std::ceil(hi)) - 1);
        for (int v = vFirst; v <= vLast; ++v) {
            const double cover = along * overlap(lo, hi, v);
            if (cover <= 0)
                continue;
            const int x = steep ? v : u, y = steep ? u : v;
            QRgb* px = reinterpret_cast<QRgb*>(bits + y * stride) + x;
            *px = blend(*px, colour, std::min(1.0, cover));
        }
    }
}
