#pragma once
#include "display/ICanvas.h"

#include <QColor>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QString>
#include <QVector>
#include <cmath>

namespace DisplayTest {

// The build tree keeps pictures/ beside the program, a folder or two above a test.
inline QString programFolder() {
    QDir dir(QCoreApplication::applicationDirPath());
    for (int up = 0; up < 3; ++up) {
        if (QFileInfo::exists(dir.filePath(QStringLiteral("pictures/box0.png"))))
            return dir.absolutePath();
        dir.cdUp();
    }
    return QString();
}

// Device pixel of a canvas position, as the canvas rounds it.
inline int px(double twips, double ratio = 1.0) {
    return int(std::lround(twips * ratio / 15.0));
}

inline QColor pixelAt(const QImage& image, double x, double y, double ratio = 1.0) {
    return image.pixelColor(px(x, ratio), px(y, ratio));
}

inline int distance(const QColor& a, const QColor& b) {
    const int dr = a.red() - b.red(), dg = a.green() - b.green(), db = a.blue() - b.blue();
    return int(std::sqrt(double(dr * dr + dg * dg + db * db)));
}

// Which of the three face colours a panel pixel shows: 0 cream, 1 red, 2 green, -1 none of them.
inline int faceColour(const QColor& c) {
    const QColor faces[] = {QColor(194, 184, 152), QColor(218, 128, 127), QColor(149, 195, 151)};
    int best = -1, bestDistance = 60;
    for (int i = 0; i < 3; ++i)
        if (distance(c, faces[i]) < bestDistance) {
            bestDistance = distance(c, faces[i]);
            best = i;
        }
    return best;
}

inline bool isBlue(const QColor& c) {
    return c.blue() > 200 && c.red() < 90 && c.green() < 90;
}
inline bool isRed(const QColor& c) {
    return c.red() > 200 && c.green() < 90 && c.blue() < 90;
}
inline bool isNavy(const QColor& c) {
    return c.blue() > 60 && c.red() < 60 && c.green() < 60 && c.blue() - c.red() > 40;
}

template <typename Test> int countPixels(const QImage& image, Test test) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (test(image.pixelColor(x, y)))
                ++n;
    return n;
}

// Records what a painter asks of its canvas, for checks on texts and their places.
class RecordingCanvas final : public ICanvas {
public:
    struct Text {
        double x, y;
        QString text;
        bool bold;
        QColor colour;
    };
    QVector<Text> texts;
    QVector<QString> calls; // "clear", "picture", "line", "circle", "text", in order
    int lineWidth = 1;
    bool bold = false;
    QColor fore = Qt::black;

    void clear() override { calls << QStringLiteral("clear"); }
    void setForeColor(const QColor& colour) override { fore = colour; }
    void setLineWidth(int pixels) override { lineWidth = pixels; }
    void setBold(bool b) override { bold = b; }
    void drawPicture(const Picture&, double, double, double, double, Combine) override {
        calls << QStringLiteral("picture");
    }
    void line(double, double, double, double) override { calls << QStringLiteral("line"); }
    void circle(double, double, double, const QColor&) override { calls << QStringLiteral("circle"); }
    void text(double x, double y, const QString& t) override {
        calls << QStringLiteral("text");
        texts << Text{x, y, t, bold, fore};
    }
};

} // namespace DisplayTest
