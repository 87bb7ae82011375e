// The shipped pictures: their sizes, the mask that gives the face its shape, and what a store does when
// pictures are missing.
#include "DisplayTestSupport.h"
#include "display/PictureStore.h"
#include "display/QPainterCanvas.h"

#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

using namespace DisplayTest;

class TestPictureStore : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void sizesAndColours() {
        const PictureStore store(programFolder());
        QVERIFY2(store.complete(), qPrintable(store.missing().join(QLatin1Char(' '))));
        for (double ratio : {1.0, 2.0}) {
            const int r = int(ratio);
            for (int i = 0; i < PictureStore::faceCount; ++i) {
                QCOMPARE(store.face(i).forScale(ratio).size(), QSize(118, 50) * r);
                QCOMPARE(store.maskedFace(i).forScale(ratio).size(), QSize(118, 50) * r);
            }
            QCOMPARE(store.matte().forScale(ratio).size(), QSize(118, 50) * r);
            for (int i = 0; i < PictureStore::buttonCount; ++i)
                QCOMPARE(store.button(i).forScale(ratio).size(), QSize(31, 14) * r);
        }
        const QColor panels[] = {QColor(194, 184, 152), QColor(218, 128, 127), QColor(149, 195, 151)};
        for (int i = 0; i < PictureStore::faceCount; ++i) {
            const QImage face = store.face(i).forScale(1.0);
            QVERIFY(distance(face.pixelColor(38, 22), panels[i]) < 40);
            QVERIFY(distance(face.pixelColor(91, 20), QColor(113, 99, 95)) < 30);
            QCOMPARE(face.pixelColor(73, 20), QColor(Qt::black)); // the gap between the panels
        }
    }

    // Painting the mask by AND and the face by OR must give what the masked face gives in one step:
    // the mask is pure black and white, and every face is black wherever the mask is white.
    void maskedFaceMatchesAndOr_data() {
        QTest::addColumn<int>("face");
        QTest::addColumn<double>("ratio");
        for (int i = 0; i < PictureStore::faceCount; ++i)
            for (double ratio : {1.0, 2.0})
                QTest::addRow("face %d at %gx", i, ratio) << i << ratio;
    }
    void maskedFaceMatchesAndOr() {
        QFETCH(int, face);
        QFETCH(double, ratio);
        const PictureStore store(programFolder());
        QImage background(px(3000, ratio), px(1500, ratio), QImage::Format_RGB32);
        for (int y = 0; y < background.height(); ++y)
            for (int x = 0; x < background.width(); ++x)
                background.setPixel(x, y, qRgb((x * 7) & 255, (y * 5) & 255, ((x + y) * 3) & 255));
        QImage andOr = background, masked = background;
        {
            QPainterCanvas canvas(andOr, Qt::white, ratio);
            canvas.drawPicture(store.matte(), 600, 300, 1770, 750, ICanvas::Combine::And);
            canvas.drawPicture(store.face(face), 600, 300, 1770, 750, ICanvas::Combine::Or);
        }
        {
            QPainterCanvas canvas(masked, Qt::white, ratio);
            canvas.drawPicture(store.maskedFace(face), 600, 300, 1770, 750, ICanvas::Combine::Blend);
        }
        QCOMPARE(masked, andOr);
    }

    void missingPicturesAreNamed() {
        QTemporaryDir empty;
        const PictureStore store(empty.path());
        QVERIFY(!store.complete());
        QCOMPARE(store.missing().size(), 8);
        QVERIFY(store.missing().contains(QStringLiteral("boxMatte")));
        QVERIFY(store.maskedFace(0).isNull());
        // Painting without pictures draws nothing and does not fail.
        QImage image(50, 50, QImage::Format_RGB32);
        image.fill(Qt::white);
        {
            QPainterCanvas canvas(image, Qt::white, 1.0);
            canvas.drawPicture(store.maskedFace(0), 0, 0, 1770, 750, ICanvas::Combine::Blend);
            canvas.drawPicture(PictureStore::captioned(store.button(1), QStringLiteral("Start"), 25, 0), 0, 0,
                               465, 210, ICanvas::Combine::Copy);
        }
        QCOMPARE(countPixels(image, [](const QColor& c) { return c != Qt::white; }), 0);
    }
};

QTEST_MAIN(TestPictureStore)
#include "tst_picturestore.moc"
