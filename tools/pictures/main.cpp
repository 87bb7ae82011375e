// Draws the clock face, its mask and the four button bars, at normal and at double resolution.
// Usage: zentriq_pictures <output folder>   (the committed copies live in assets/pictures)
#include <QColor>
#include <QDir>
#include <QImage>
#include <QString>
#include <QStringList>
#include <QTextStream>
#include <QtGlobal>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>

namespace {

constexpr int faceWidth = 118, faceHeight = 50;
constexpr int buttonWidth = 31, buttonHeight = 14;

// A rectangle in logical pixels, edges inclusive as the layout table gives them.
struct Area {
    int left, top, right, bottom;
};

// The layout of the face in logical pixels.
constexpr Area leftPanel{4, 5, 72, 42};
constexpr Area rightPanel{74, 5, 109, 39};
constexpr Area leftMask{3, 3, 73, 43};
constexpr Area rightMask{74, 3, 110, 40};

int channel(double v) {
    return int(std::lround(std::clamp(v, 0.0, 255.0)));
}

// A repeatable hash noise in [0, 1), so every run writes the same pictures.
double noise(int x, int y, int salt) {
    std::uint32_t h =
        std::uint32_t(x) * 374761393u + std::uint32_t(y) * 668265263u + std::uint32_t(salt) * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return double(h & 0xffffu) / 65536.0;
}

// Coverage of a logical point by a rounded rectangle spanning [l, r) x [t, b) with corner radius rad.
bool insideRounded(double px, double py, double l, double t, double r, double b, double rad) {
    if (px < l || px >= r || py < t || py >= b)
        return false;
    const double cx = std::clamp(px, l + rad, r - rad);
    const double cy = std::clamp(py, t + rad, b - rad);
    const double dx = px - cx, dy = py - cy;
    return dx * dx + dy * dy <= rad * rad;
}

// Fraction of device pixel (x, y) at the given scale covered by the rounded panel, from 4 x 4 samples.
double coverage(int x, int y, int scale, const Area& a, double radius) {
    int hits = 0;
    for (int sy = 0; sy < 4; ++sy)
        for (int sx = 0; sx < 4; ++sx) {
            const double px = (x + (sx + 0.5) / 4.0) / scale;
            const double py = (y + (sy + 0.5) / 4.0) / scale;
            if (insideRounded(px, py, a.left, a.top, a.right + 1, a.bottom + 1, radius))
                ++hits;
        }
    return hits / 16.0;
}

// Wood grain: growth rings cut lengthwise, thin dark lines at uneven spacing that wander gently along the
// panel, over broader light and dark bands and a fine fibre running with the grain.
// u and v are logical pixel positions within the panel; x and y are device pixels.
double grain(double u, double v, int x, int y, int scale) {
    const double wander = 0.9 * std::sin(u * 0.045 + 0.3) + 0.35 * std::sin(u * 0.13 + v * 0.07 + 1.1) +
                          0.15 * std::sin(u * 0.31 + 2.0);
    const double ring = v * 0.16 + wander * 0.55 + 0.08 * std::sin(v * 0.9);
    const double f = ring - std::floor(ring);
    const double line = std::exp(-(f - 0.5) * (f - 0.5) / (2 * 0.045 * 0.045));
    const double band = 0.5 + 0.5 * std::sin(ring * 3.14159265 + 0.7);
    const double fibre = noise(x / (3 * scale), y, 7) - 0.5;
    return -0.10 * line - 0.035 * band + 0.03 * fibre;
}

// The grain averaged over the device pixel, so its thin lines stay whole at normal density.
double smoothGrain(int x, int y, int scale) {
    double sum = 0;
    for (int sy = 0; sy < 4; ++sy)
        for (int sx = 0; sx < 4; ++sx) {
            const double u = (x + (sx + 0.5) / 4.0) / scale - leftPanel.left;
            const double v = (y + (sy + 0.5) / 4.0) / scale - leftPanel.top;
            sum += grain(u, v, x, y, scale);
        }
    return sum / 16.0;
}

// Bevel light of a panel: bright along the top and left, darker towards the lower edge.
double bevel(double u, double v, double width, double height, double lowerEdge) {
    double shade = 0.0;
    if (v < 1.0)
        shade += 0.16;
    else if (v < 2.0)
        shade += 0.06;
    if (u < 1.0)
        shade += 0.06;
    if (u > width - 1.0)
        shade -= 0.08;
    const double fromBottom = height - v;
    if (fromBottom < lowerEdge)
        shade -= 0.28 * (1.0 - fromBottom / lowerEdge) + 0.06;
    // A soft fall-off across the whole height gives the panel some depth.
    shade -= 0.05 * (v / height);
    return shade;
}

QColor shaded(const QColor& base, double amount) {
    const double f = 1.0 + amount;
    return QColor(channel(base.red() * f), channel(base.green() * f), channel(base.blue() * f));
}

QColor mix(const QColor& a, const QColor& b, double t) {
    return QColor(channel(a.red() + (b.red() - a.red()) * t),
                  channel(a.green() + (b.green() - a.green()) * t),
                  channel(a.blue() + (b.blue() - a.blue()) * t));
}

QImage face(const QColor& panel, int scale) {
    QImage img(faceWidth * scale, faceHeight * scale, QImage::Format_RGB32);
    img.fill(Qt::black);
    const QColor side(113, 99, 95);
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const double lx = (x + 0.5) / scale, ly = (y + 0.5) / scale;
            const double leftCover = coverage(x, y, scale, leftPanel, 3.0);
            if (leftCover > 0) {
                const double u = lx - leftPanel.left, v = ly - leftPanel.top;
                const double w = leftPanel.right - leftPanel.left + 1,
                             h = leftPanel.bottom - leftPanel.top + 1;
                const QColor c = shaded(panel, smoothGrain(x, y, scale) + bevel(u, v, w, h, 3.0));
                img.setPixelColor(x, y, mix(Qt::black, c, leftCover));
                continue;
            }
            const double rightCover = coverage(x, y, scale, rightPanel, 1.5);
            if (rightCover > 0) {
                const double u = lx - rightPanel.left, v = ly - rightPanel.top;
                const double w = rightPanel.right - rightPanel.left + 1,
                             h = rightPanel.bottom - rightPanel.top + 1;
                const double speckle = 0.03 * (noise(x, y, 11) - 0.5);
                const QColor c = shaded(side, speckle + bevel(u, v, w, h, 2.0));
                img.setPixelColor(x, y, mix(Qt::black, c, rightCover));
            }
        }
    return img;
}

QImage matte(int scale) {
    QImage img(faceWidth * scale, faceHeight * scale, QImage::Format_RGB32);
    img.fill(Qt::white);
    for (const Area& a : {leftMask, rightMask})
        for (int y = a.top * scale; y < (a.bottom + 1) * scale; ++y)
            for (int x = a.left * scale; x < (a.right + 1) * scale; ++x)
                img.setPixelColor(x, y, Qt::black);
    return img;
}

// A bar with a one-pixel black border, light at the top and dark at the bottom. The dark end is held back
// to the lowest rows so that black captions stay readable, and a glossy upper half catches the light.
QImage button(const QColor& light, const QColor& dark, int scale) {
    QImage img(buttonWidth * scale, buttonHeight * scale, QImage::Format_RGB32);
    img.fill(Qt::black);
    const int border = scale;
    const int innerTop = border, innerBottom = img.height() - border;
    for (int y = innerTop; y < innerBottom; ++y) {
        const double t = (y - innerTop + 0.5) / double(innerBottom - innerTop);
        const double fall = std::pow(t, 1.7);
        QColor c = mix(light, dark, fall);
        if (t < 0.45) // gloss
            c = mix(c, Qt::white, 0.22 * (1.0 - t / 0.45));
        for (int x = border; x < img.width() - border; ++x) {
            const double edge = (x < 2 * border || x >= img.width() - 2 * border) ? -0.08 : 0.0;
            img.setPixelColor(x, y, shaded(c, edge));
        }
    }
    return img;
}

bool save(const QImage& img, const QDir& dir, const QString& name, int scale) {
    const QString file =
        dir.filePath(scale == 1 ? name + QStringLiteral(".png") : name + QStringLiteral("@2x.png"));
    if (img.save(file, "PNG", 9)) // compression level only: the pixels are exact either way
        return true;
    QTextStream(stderr) << "cannot write " << file << '\n';
    return false;
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc != 2) {
        QTextStream(stderr) << "usage: zentriq_pictures <output folder>\n";
        return 2;
    }
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    if (!dir.exists() && !QDir().mkpath(dir.path())) {
        QTextStream(stderr) << "cannot create " << dir.path() << '\n';
        return 1;
    }
    const QColor panels[] = {QColor(194, 184, 152), QColor(218, 128, 127), QColor(149, 195, 151)};
    const QColor bars[][2] = {{QColor(134, 174, 240), QColor(12, 56, 129)},
                              {QColor(150, 240, 134), QColor(30, 129, 12)},
                              {QColor(240, 151, 134), QColor(129, 31, 12)},
                              {QColor(240, 224, 134), QColor(129, 111, 12)}};
    bool ok = true;
    for (int scale : {1, 2}) {
        for (int i = 0; i < 3; ++i)
            ok = save(face(panels[i], scale), dir, QStringLiteral("box%1").arg(i), scale) && ok;
        ok = save(matte(scale), dir, QStringLiteral("boxMatte"), scale) && ok;
        for (int i = 0; i < 4; ++i)
            ok = save(button(bars[i][0], bars[i][1], scale), dir, QStringLiteral("button%1").arg(i), scale) &&
                 ok;
    }
    return ok ? 0 : 1;
}
