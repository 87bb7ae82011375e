#include "display/PictureStore.h"

#include "clock/ClockGeometry.h"
#include "display/QPainterCanvas.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>
#include <functional>

namespace {
// Sizes in logical pixels.
const QSize faceSize(int(ClockGeometry::faceWidth / ClockGeometry::twipsPerPixel),
                     int(ClockGeometry::faceHeight / ClockGeometry::twipsPerPixel));
const QSize buttonSize(int(ClockGeometry::buttonWidth / ClockGeometry::twipsPerPixel),
                       int(ClockGeometry::buttonHeight / ClockGeometry::twipsPerPixel));

// A picture drawn at normal and at double size.
Picture drawn(QSize size, QImage::Format format, const std::function<void(QPainter&)>& paint) {
    const auto at = [&](int scale) {
        QImage image(size * scale, format);
        image.fill(Qt::transparent);
        QPainter p(&image);
        p.scale(scale, scale);
        paint(p);
        return image;
    };
    return Picture(at(1), at(2));
}
} // namespace

PictureStore::PictureStore(const QString& programFolder) {
    const QString folder = QDir(programFolder).filePath(QStringLiteral("pictures"));
    const Picture matte = load(folder, QStringLiteral("boxMatte"), faceSize);
    for (int i = 0; i < faceCount; ++i) {
        const Picture face = load(folder, QStringLiteral("box%1").arg(i), faceSize);
        const auto masked = [&](double ratio) {
            return applyMask(face.forScale(ratio), matte.forScale(ratio));
        };
        m_masked[std::size_t(i)] = Picture(masked(1.0), masked(2.0));
        if (m_masked[std::size_t(i)].isNull())
            m_masked[std::size_t(i)] = plainFace(i);
    }
    for (int i = 0; i < buttonCount; ++i) {
        m_buttons[std::size_t(i)] = load(folder, QStringLiteral("button%1").arg(i), buttonSize);
        if (m_buttons[std::size_t(i)].isNull())
            m_buttons[std::size_t(i)] = plainButton(i);
    }
}

Picture PictureStore::load(const QString& folder, const QString& name, QSize size) {
    const auto read = [&](const QString& path) {
        // Only a regular file is read: a named pipe would hold the program until something wrote to it.
        QImage image = QFileInfo(path).isFile() ? QImageReader(path).read() : QImage();
        return image.isNull() ? image : image.convertToFormat(QImage::Format_RGB32);
    };
    const QString path = QDir(folder).filePath(name + QStringLiteral(".png"));
    QImage normal = read(path);
    QImage doubled = read(QDir(folder).filePath(name + QStringLiteral("@2x.png")));
    if (normal.isNull()) {
        m_problems << QStringLiteral("Unable to load picture ") + path;
        return {};
    }
    if (normal.size() != size) {
        m_problems << QStringLiteral("Picture of the wrong size (%1 x %2, not %3 x %4): %5")
                          .arg(normal.width())
                          .arg(normal.height())
                          .arg(size.width())
                          .arg(size.height())
                          .arg(path);
        return {};
    }
    if (doubled.size() != normal.size() * 2)
        doubled = QImage();
    return Picture(std::move(normal), std::move(doubled));
}

QImage PictureStore::applyMask(const QImage& face, const QImage& mask) {
    if (face.isNull() || mask.size() != face.size())
        return QImage();
    QImage out(face.size(), QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < face.height(); ++y) {
        const QRgb* f = reinterpret_cast<const QRgb*>(face.constScanLine(y));
        const QRgb* m = reinterpret_cast<const QRgb*>(mask.constScanLine(y));
        QRgb* o = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < face.width(); ++x) {
            const int cover = 255 - qGray(m[x]);
            const QRgb c = f[x];
            o[x] = qPremultiply(qRgba(qRed(c), qGreen(c), qBlue(c), cover));
        }
    }
    return out;
}

Picture PictureStore::plainFace(int index) {
    static const QColor panels[faceCount] = {{194, 184, 152}, {218, 128, 127}, {149, 195, 151}};
    return drawn(faceSize, QImage::Format_ARGB32_Premultiplied, [&](QPainter& p) {
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        p.setBrush(panels[index]);
        p.drawRoundedRect(QRectF(4, 5, 69, 38), 4, 4);
        p.setBrush(QColor(113, 99, 95));
        p.drawRect(QRectF(74, 5, 36, 35));
    });
}

Picture PictureStore::plainButton(int index) {
    static const QColor bars[buttonCount] = {{73, 115, 185}, {90, 185, 73}, {185, 91, 73}, {185, 168, 73}};
    return drawn(buttonSize, QImage::Format_RGB32, [&](QPainter& p) {
        p.fillRect(QRect(QPoint(0, 0), buttonSize), Qt::black);
        p.fillRect(QRect(QPoint(1, 1), buttonSize - QSize(2, 2)), bars[index]);
    });
}

Picture PictureStore::captioned(const Picture& picture, const QString& caption, double x, double y) {
    if (picture.isNull())
        return {};
    const auto print = [&](double ratio) {
        QImage image = picture.forScale(ratio).copy();
        // The ratio of this copy: the double-size picture may be missing.
        const double scale = double(image.width()) / picture.size().width();
        QPainterCanvas canvas(image, Qt::black, scale);
        canvas.setBold(true);
        canvas.text(x, y, caption);
        return image;
    };
    return Picture(print(1.0), print(2.0));
}
