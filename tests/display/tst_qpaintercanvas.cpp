// The QPainter canvas: twips to whole device pixels, the ways a picture meets the canvas, and texts
// that look the same whether drawn afresh or from the canvas's ready-made images.
#include "DisplayTestSupport.h"
#include "display/Picture.h"
#include "display/QPainterCanvas.h"

#include <QStandardPaths>
#include <QtTest>

using namespace DisplayTest;

class TestQPainterCanvas : public QObject {
    Q_OBJECT

private:
    static QImage blank(QColor colour = Qt::white) {
        QImage image(200, 100, QImage::Format_RGB32);
        image.fill(colour);
        return image;
    }

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void combineModes_data() {
        QTest::addColumn<int>("combine");
        QTest::addColumn<QRgb>("result");
        QTest::newRow("copy") << int(ICanvas::Combine::Copy) << qRgb(0x0f, 0xf0, 0x3c);
        QTest::newRow("and") << int(ICanvas::Combine::And) << qRgb(0x03, 0x60, 0x18);
        QTest::newRow("or") << int(ICanvas::Combine::Or) << qRgb(0x3f, 0xf6, 0xbd);
        QTest::newRow("blend, opaque") << int(ICanvas::Combine::Blend) << qRgb(0x0f, 0xf0, 0x3c);
    }
    void combineModes() {
        QFETCH(int, combine);
        QFETCH(QRgb, result);
        QImage image = blank(QColor(0x33, 0x66, 0x99));
        QImage source(4, 4, QImage::Format_RGB32);
        source.fill(QColor(0x0f, 0xf0, 0x3c));
        {
            QPainterCanvas canvas(image, Qt::white, 1.0);
            canvas.drawPicture(Picture(source, QImage()), 150, 150, 60, 60, ICanvas::Combine(combine));
        }
        QCOMPARE(image.pixel(10, 10), result);
        QCOMPARE(image.pixel(13, 13), result);
        QCOMPARE(image.pixel(14, 14), qRgb(0x33, 0x66, 0x99));
        QCOMPARE(image.pixel(9, 9), qRgb(0x33, 0x66, 0x99));
    }

    void positionsRoundToDevicePixels_data() {
        QTest::addColumn<double>("ratio");
        QTest::addColumn<double>("x");
        QTest::addColumn<int>("pixel");
        QTest::newRow("1x, two thirds up") << 1.0 << 2410.0 << 161;
        QTest::newRow("1x, one third down") << 1.0 << 2405.0 << 160;
        QTest::newRow("2x") << 2.0 << 2410.0 << 321;
        QTest::newRow("1.5x") << 1.5 << 2410.0 << 241;
    }
    void positionsRoundToDevicePixels() {
        QFETCH(double, ratio);
        QFETCH(double, x);
        QFETCH(int, pixel);
        QImage image(600, 50, QImage::Format_RGB32);
        image.fill(Qt::white);
        QImage dot(1, 1, QImage::Format_RGB32);
        dot.fill(Qt::black);
        {
            QPainterCanvas canvas(image, Qt::white, ratio);
            canvas.drawPicture(Picture(dot, QImage()), x, 150, 15, 15, ICanvas::Combine::Copy);
        }
        QCOMPARE(image.pixelColor(pixel, px(150, ratio)), QColor(Qt::black));
        QCOMPARE(image.pixelColor(pixel - 1, px(150, ratio)), QColor(Qt::white));
    }

    void lineWidthInLogicalPixels_data() {
        QTest::addColumn<double>("ratio");
        QTest::addColumn<int>("rows");
        QTest::newRow("1x") << 1.0 << 2;
        QTest::newRow("2x") << 2.0 << 4;
        QTest::newRow("3x") << 3.0 << 6;
    }
    void lineWidthInLogicalPixels() {
        QFETCH(double, ratio);
        QFETCH(int, rows);
        QImage image(400, 200, QImage::Format_RGB32);
        {
            QPainterCanvas canvas(image, Qt::white, ratio);
            canvas.clear();
            canvas.setLineWidth(2);
            canvas.setForeColor(Qt::red);
            canvas.line(150, 300, 1500, 300); // level
            canvas.line(300, 600, 1500, 900); // slanted
        }
        int red = 0;
        for (int y = 0; y < px(500, ratio); ++y)
            red += isRed(image.pixelColor(px(900, ratio), y)) ? 1 : 0;
        QCOMPARE(red, rows);
        QVERIFY(isRed(image.pixelColor(px(900, ratio), px(300, ratio))));
        QVERIFY(isRed(image.pixelColor(px(900, ratio), px(750, ratio))));
    }

    void textLooksTheSameFromReadyImage() {
        QImage image(260, 60, QImage::Format_RGB32);
        QPainterCanvas canvas(Qt::white);
        QImage pictures[3];
        for (QImage& shown : pictures) {
            canvas.begin(image, 1.0);
            canvas.clear();
            canvas.setBold(true);
            canvas.text(150, 150, QStringLiteral("00:42:17"));
            canvas.text(1500, 150, QStringLiteral("Wojtek's jig"));
            canvas.setBold(false);
            canvas.setForeColor(QColor(0, 0, 128));
            canvas.text(150, 450, QStringLiteral("Group 1 : Kitchen"));
            canvas.end();
            shown = image.copy();
        }
        QVERIFY(countPixels(pictures[0], [](const QColor& c) { return c == Qt::black; }) > 20);
        QVERIFY(countPixels(pictures[0], isNavy) > 20);
        QCOMPARE(pictures[1], pictures[0]);
        QCOMPARE(pictures[2], pictures[0]);
    }

    void readyTextFollowsColour() {
        QImage image(200, 60, QImage::Format_RGB32);
        QPainterCanvas canvas(Qt::white);
        for (int pass = 0; pass < 3; ++pass) {
            canvas.begin(image, 1.0);
            canvas.clear();
            canvas.setForeColor(pass < 2 ? Qt::black : Qt::red);
            canvas.text(150, 150, QStringLiteral("Tea"));
            canvas.end();
        }
        QVERIFY(countPixels(image, isRed) > 10);
        QCOMPARE(countPixels(image, [](const QColor& c) { return c == Qt::black; }), 0);
    }

    void textTopLeftAtPosition() {
        QImage image(200, 60, QImage::Format_RGB32);
        {
            QPainterCanvas canvas(image, Qt::white, 1.0);
            canvas.clear();
            canvas.text(300, 300, QStringLiteral("Hg"));
        }
        // Ink starts a little right of and below the position, never left of or above it.
        int left = image.width(), top = image.height();
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixelColor(x, y) != Qt::white) {
                    left = std::min(left, x);
                    top = std::min(top, y);
                }
        QVERIFY(left >= 20 && left <= 22);
        QVERIFY(top >= 20 && top <= 24);
    }
};

QTEST_MAIN(TestQPainterCanvas)
#include "tst_qpaintercanvas.moc"
