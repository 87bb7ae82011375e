// The canvas itself: texts made ready keep following the colour and the density, pictures copy or blend.
#include "display/Picture.h"
#include "display/QPainterCanvas.h"

#include <QStandardPaths>
#include <QtTest>

class TestQPainterCanvas : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    // One text painted in successive pictures on one canvas, given as density:colour:weight; the last
    // picture's ink is checked: its height in device pixels, that it starts below the text's top, how dark
    // it is, and its colour. Pictures at one density and weight show the same ink, ready-made or not.
    void text_data() {
        QTest::addColumn<QString>("pictures");
        QTest::addColumn<int>("height");
        QTest::addColumn<int>("weight"); // the ink's darkness, summed over its pixels
        QTest::addColumn<bool>("red");
        QTest::newRow("ready text in a new colour")
            << "1:black:b 1:black:b 1:black:b 1:red:b" << 9 << 103 << true;
        QTest::newRow("ready text at a new density") << "1:black:b 1:black:b 2:black:b" << 18 << 572 << false;
        QTest::newRow("a new text in colour") << "1:red:b" << 9 << 100 << true;
        QTest::newRow("no density is single density") << "0:black:b" << 9 << 157 << false;
        QTest::newRow("plain has less ink than bold") << "1:black:p 1:black:p 1:black:p" << 9 << 106 << false;
    }
    void text() {
        QFETCH(QString, pictures);
        QFETCH(int, height);
        QFETCH(int, weight);
        QFETCH(bool, red);
        QPainterCanvas canvas(Qt::white);
        QImage image(300, 80, QImage::Format_RGB32);
        int top = 0, reds = 0, darkness = 0;
        QRect ink, firstInk;
        for (const QString& picture : pictures.split(' ')) {
            const double ratio = picture.section(':', 0, 0).toDouble();
            canvas.begin(image, ratio);
            canvas.clear();
            canvas.setBold(picture.endsWith(":b"));
            canvas.setForeColor(QColor(picture.section(':', 1, 1)));
            canvas.text(150, 150, QStringLiteral("00:00:05"));
            canvas.end();
            top = int(10 * std::max(ratio, 1.0));
            ink = QRect();
            reds = darkness = 0;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x) {
                    const QColor c = image.pixelColor(x, y);
                    if (c != Qt::white)
                        ink |= QRect(x, y, 1, 1);
                    reds += c.red() > 150 && c.green() < 100 ? 1 : 0;
                    darkness += 255 - qGray(c.rgb());
                }
            if (firstInk.isNull())
                firstInk = ink;
            else if (ratio == 1)
                QCOMPARE(ink, firstInk);
        }
        const QString seen = QString::asprintf("ink %d x %d at %d, weight %d", ink.width(), ink.height(),
                                               ink.top(), darkness / 255);
        QVERIFY2(ink.top() >= top && std::abs(ink.height() - height) <= height / 4, qPrintable(seen));
        QVERIFY2(std::abs(darkness / 255 - weight) <= weight / 10, qPrintable(seen));
        QCOMPARE(reds > 20, red);
    }

    // A slanted line is antialiased: pixels it partly covers are blended with the canvas.
    void slantedLineIsSmooth() {
        QImage image(100, 60, QImage::Format_RGB32);
        QPainterCanvas canvas(image, Qt::white, 1.0);
        canvas.clear();
        canvas.setForeColor(Qt::blue);
        canvas.line(0, 0, 1500, 870);
        canvas.end();
        int ink = 0, blended = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QColor c = image.pixelColor(x, y);
                ink += c != Qt::white ? 1 : 0;
                blended += c != Qt::white && c.red() > 20 && c.blue() > 240 && c.red() < 235 ? 1 : 0;
            }
        QVERIFY2(ink > 90 && blended > ink / 3, qPrintable(QStringLiteral("%1 of %2").arg(blended).arg(ink)));
    }

    // A half-transparent red square on white: copied, it replaces the canvas; blended, it lies over it.
    void picture_data() {
        QTest::addColumn<bool>("copy");
        QTest::addColumn<QColor>("seen");
        QTest::newRow("copy") << true << QColor(128, 0, 0);
        QTest::newRow("blend") << false << QColor(255, 127, 127);
    }
    void picture() {
        QFETCH(bool, copy);
        QFETCH(QColor, seen);
        QImage square(4, 4, QImage::Format_ARGB32_Premultiplied);
        square.fill(QColor(255, 0, 0, 128));
        QImage image(10, 10, QImage::Format_RGB32);
        {
            QPainterCanvas canvas(image, Qt::white, 1.0);
            canvas.clear();
            canvas.drawPicture(Picture(square, QImage()), 30, 30, 60, 60,
                               copy ? ICanvas::Combine::Copy : ICanvas::Combine::Blend);
        }
        const QColor c = image.pixelColor(3, 3);
        QVERIFY2(std::abs(c.red() - seen.red()) + std::abs(c.green() - seen.green()) < 4,
                 qPrintable(c.name()));
        QCOMPARE(image.pixelColor(1, 1), QColor(Qt::white));
    }
};

QTEST_MAIN(TestQPainterCanvas)
#include "tst_qpaintercanvas.moc"
