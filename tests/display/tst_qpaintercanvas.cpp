// The QPainter canvas: line widths in logical pixels at any density, and texts that look the same whether
// drawn afresh or from the canvas's ready-made images. Pictures and their combining are checked in the
// picture store's and the board's tests.
#include "DisplayTestSupport.h"
#include "display/QPainterCanvas.h"

#include <QStandardPaths>
#include <QtTest>

using namespace DisplayTest;

class TestQPainterCanvas : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

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
};

QTEST_MAIN(TestQPainterCanvas)
#include "tst_qpaintercanvas.moc"
