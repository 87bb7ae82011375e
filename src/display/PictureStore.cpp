#include "display/PictureStore.h"

#include "display/QPainterCanvas.h"

#include <QDir>
#include <QImageReader>

PictureStore::PictureStore(const QString& programFolder) {
    const QString folder = QDir(programFolder).filePath(QStringLiteral("pictures"));
    for (int i = 0; i < faceCount; ++i)
        m_faces[std::size_t(i)] = load(folder, QStringLiteral("box%1").arg(i));
    m_matte = load(folder, QStringLiteral("boxMatte"));
    for (int i = 0; i < buttonCount; ++i)
        m_buttons[std::size_t(i)] = load(folder, QStringLiteral("button%1").arg(i));
    for (int i = 0; i < faceCount; ++i) {
        const Picture& f = m_faces[std::size_t(i)];
        const auto masked = [&](double ratio) {
            return applyMask(f.forScale(ratio), m_matte.forScale(ratio));
        };
        m_masked[std::size_t(i)] = Picture(masked(1.0), masked(2.0));
    }
}

Picture PictureStore::load(const QString& folder, const QString& name) {
    const auto read = [&](const QString& file) {
        QImageReader reader(QDir(folder).filePath(file));
        QImage image = reader.read();
        return image.isNull() ? image : image.convertToFormat(QImage::Format_RGB32);
    };
    QImage normal = read(name + QStringLiteral(".png"));
    QImage doubled = read(name + QStringLiteral("@2x.png"));
    if (normal.isNull()) {
        m_missing << name;
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
