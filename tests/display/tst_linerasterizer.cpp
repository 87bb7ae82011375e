// Slanted lines written straight into the image: where they cover and where they stop. Lines reaching
// past the image are drawn in the board tests with clocks far off the canvas.
#include "display/LineRasterizer.h"

#include <QImage>
#include <QStandardPaths>
#include <QtTest>
#include <cmath>

class TestLineRasterizer : public QObject {
    Q_OBJECT

private:
    static constexpr QRgb blue = 0xff0000ff;

    static QImage blank() {
        QImage image(100, 80, QImage::Format_RGB32);
        image.fill(Qt::white);
        return image;
    }
    static bool isWhite(const QImage& image, QPointF p) {
        return image.pixel(int(std::floor(p.x())), int(std::floor(p.y()))) == qRgb(255, 255, 255);
    }
    // How much of the line's colour a pixel took, 0 to 1.
    static double cover(const QImage& image, QPointF p) {
        const QRgb c = image.pixel(int(std::floor(p.x())), int(std::floor(p.y())));
        return (255 - qRed(c)) / 255.0;
    }

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void coversAlongAndStopsAtEnds_data() {
        QTest::addColumn<QPointF>("a");
        QTest::addColumn<QPointF>("b");
        QTest::newRow("shallow") << QPointF(10, 10) << QPointF(90, 40);
        QTest::newRow("steep") << QPointF(20, 5) << QPointF(40, 75);
        QTest::newRow("reversed") << QPointF(90, 40) << QPointF(10, 10);
        QTest::newRow("diagonal up") << QPointF(10, 70) << QPointF(70, 10);
    }
    void coversAlongAndStopsAtEnds() {
        QFETCH(QPointF, a);
        QFETCH(QPointF, b);
        QImage image = blank();
        LineRasterizer::drawLine(image, a, b, 2, blue);
        const QPointF along = (b - a) / std::hypot(b.x() - a.x(), b.y() - a.y());
        const QPointF across(-along.y(), along.x());
        for (double t : {0.25, 0.5, 0.75}) {
            const QPointF p = a + (b - a) * t;
            // A pixel centre within half a pixel of the line is covered, one 3 pixels off is not.
            const QPointF centre(std::floor(p.x()) + 0.5, std::floor(p.y()) + 0.5);
            const double off = std::abs(QPointF::dotProduct(centre - a, across));
            if (off < 0.5)
                QVERIFY2(cover(image, centre) > 0.6, qPrintable(QString::number(cover(image, centre))));
            QVERIFY(isWhite(image, p + across * 3));
            QVERIFY(isWhite(image, p - across * 3));
        }
        QVERIFY(isWhite(image, a - along * 2));
        QVERIFY(isWhite(image, b + along * 2));
        // No stray pixels: the coloured area is about the line's length times its width.
        double total = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                total += cover(image, QPointF(x, y));
        const double area = 2 * std::hypot(b.x() - a.x(), b.y() - a.y());
        QVERIFY2(std::abs(total - area) < area * 0.1,
                 qPrintable(QStringLiteral("%1 vs %2").arg(total).arg(area)));
    }
};

QTEST_GUILESS_MAIN(TestLineRasterizer)
#include "tst_linerasterizer.moc"
