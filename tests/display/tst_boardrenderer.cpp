// The board painted through the real canvas into an image, checked at the pixels where faces, buttons,
// outlines, links and group boxes belong.
#include "TestBoard.h"
#include "clock/clsClock.h"
#include "display/BoardRenderer.h"
#include "display/PictureStore.h"
#include "display/QPainterCanvas.h"

#include <QStandardPaths>
#include <QtTest>
#include <cmath>
#include <memory>

class TestBoardRenderer : public QObject {
    Q_OBJECT

    std::unique_ptr<PictureStore> m_pictures;

    // Device pixel of a canvas position, as the canvas rounds it.
    static int px(double twips) { return int(std::lround(twips / 15.0)); }
    static QColor pixelAt(const QImage& image, double x, double y) { return image.pixelColor(px(x), px(y)); }
    static int distance2(const QColor& a, const QColor& b) {
        const int r = a.red() - b.red(), g = a.green() - b.green(), bl = a.blue() - b.blue();
        return r * r + g * g + bl * bl;
    }
    // Which face colour a panel pixel shows: 0 cream, 1 red, 2 green, -1 none of them.
    static int faceColour(const QColor& c) {
        const QColor faces[] = {QColor(194, 184, 152), QColor(218, 128, 127), QColor(149, 195, 151)};
        int best = -1;
        for (int i = 0, closest = 60 * 60; i < 3; ++i)
            if (distance2(c, faces[i]) < closest)
                closest = distance2(c, faces[best = i]);
        return best;
    }
    static bool isBlue(const QColor& c) { return c.blue() > 200 && c.red() < 90 && c.green() < 90; }
    static bool isRed(const QColor& c) { return c.red() > 200 && c.green() < 90 && c.blue() < 90; }
    static bool isNavy(const QColor& c) { return c.blue() > 60 && c.red() < 60 && c.green() < 60; }
    static int countPixels(const QImage& image, bool (*test)(const QColor&)) {
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                n += test(image.pixelColor(x, y)) ? 1 : 0;
        return n;
    }

    QImage render(const TestBoard& board) const {
        QImage image(px(9000), px(6000), QImage::Format_RGB32);
        QPainterCanvas canvas(image, Qt::white, 1.0);
        BoardRenderer(*m_pictures).render(canvas, board.clocks, board.options);
        return image;
    }
    static clsClock& clockAt(TestBoard& board, float x, float y) {
        clsClock& c = board.add(60);
        c.setPosition(x, y);
        return c;
    }

private slots:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        // The build tree keeps pictures/ beside the program, a folder above the tests.
        m_pictures = std::make_unique<PictureStore>(QCoreApplication::applicationDirPath() + "/..");
        QVERIFY2(m_pictures->complete(), qPrintable(m_pictures->missing().join(QLatin1Char(' '))));
    }

    // The face's colour and the start/stop bar follow the state; the face's corner is at (x-590, y-340),
    // the start/stop button at (x+550, y-250), the reset button at (x+550, y).
    void faceAndButtons_data() {
        QTest::addColumn<bool>("running");
        QTest::addColumn<double>("seconds");
        QTest::addColumn<int>("face");
        QTest::addColumn<QColor>("bar");
        const QColor green(170, 243, 157), red(243, 171, 157);
        QTest::newRow("stopped") << false << 5.0 << 0 << green;
        QTest::newRow("running exactly 10 s") << true << 10.0 << 1 << red;
        QTest::newRow("running 10.5 s") << true << 10.5 << 2 << red;
        QTest::newRow("running, overshot") << true << -2.0 << 1 << red;
    }
    void faceAndButtons() {
        QFETCH(bool, running);
        QFETCH(double, seconds);
        QFETCH(int, face);
        QFETCH(QColor, bar);
        TestBoard board;
        clsClock& c = clockAt(board, 3000, 2000);
        c.setActive(running);
        c.setCurrentTime(seconds);
        const QImage image = render(board);
        QCOMPARE(faceColour(pixelAt(image, 3250, 2100)), face);
        // Outside the face's mask the canvas shows; inside it, the face's black frame.
        const int fx = px(2410), fy = px(1660);
        QCOMPARE(image.pixelColor(fx + 1, fy + 1), QColor(Qt::white));
        QCOMPARE(image.pixelColor(fx + 1, fy + 20), QColor(Qt::white));
        QCOMPARE(image.pixelColor(fx + 3, fy + 20), QColor(Qt::black));
        for (const auto& [y, colour] : {std::pair{1750, bar}, std::pair{2000, QColor(243, 229, 157)}}) {
            const int bx = px(3550), by = px(y);
            QCOMPARE(image.pixelColor(bx, by), QColor(Qt::black));
            QCOMPARE(image.pixelColor(bx + 30, by + 13), QColor(Qt::black));
            QVERIFY(distance2(image.pixelColor(bx + 15, by + 1), colour) < 30 * 30);
            // Left of the button lies the face's grey-brown panel.
            QVERIFY(distance2(image.pixelColor(bx - 1, by + 7), QColor(113, 99, 95)) < 40 * 40);
        }
    }

    // Two pixels wide from (x-550, y-300) to (x+550, y+300); an unselected clock has none.
    void selectionOutline() {
        TestBoard board;
        clockAt(board, 3000, 2000).setSelected(true);
        clockAt(board, 3000, 4500);
        const QImage image = render(board);
        for (const auto& [x, y] : {std::pair{2450, 1700}, std::pair{3000, 1700}, std::pair{3550, 2000},
                                   std::pair{3550, 2300}, std::pair{2450, 2300}}) {
            QVERIFY2(isRed(pixelAt(image, x, y)), qPrintable(QStringLiteral("%1, %2").arg(x).arg(y)));
            QVERIFY(isRed(image.pixelColor(px(x) - 1, px(y) - 1)));
        }
        QVERIFY(!isRed(pixelAt(image, 3000, 1650)));
        QVERIFY(!isRed(pixelAt(image, 2450, 4500)));
    }

    // A link runs blue from the source's box to the target's top-left corner, is marked there by a red
    // disc and lies under the target's face; nothing is drawn without a target whose corner is on the canvas.
    void links_data() {
        QTest::addColumn<QPointF>("target");
        QTest::addColumn<double>("id"); // the target's
        QTest::addColumn<double>("link");
        QTest::addColumn<QPointF>("from");
        QTest::addColumn<QPointF>("to");
        using P = QPointF;
        QTest::newRow("right") << P(6000, 2000) << 77.0 << 77.0 << P(3500, 1750) << P(5500, 1750);
        QTest::newRow("below") << P(3000, 4000) << 77.0 << 77.0 << P(2500, 2250) << P(2500, 3750);
        QTest::newRow("below right") << P(6000, 5000) << 77.0 << 77.0 << P(3500, 2250) << P(5500, 4750);
        QTest::newRow("no link") << P(6000, 4000) << 0.0 << 0.0 << P() << P();
        QTest::newRow("below one") << P(6000, 4000) << 0.99 << 0.99 << P() << P();
        QTest::newRow("nobody has it") << P(6000, 4000) << 77.0 << 12345.0 << P() << P();
        QTest::newRow("corner past left edge") << P(400, 4000) << 77.0 << 77.0 << P() << P();
        QTest::newRow("corner past top edge") << P(6000, 200) << 77.0 << 77.0 << P() << P();
    }
    void links() {
        QFETCH(QPointF, target);
        QFETCH(double, id);
        QFETCH(double, link);
        QFETCH(QPointF, from);
        QFETCH(QPointF, to);
        TestBoard board;
        clsClock& source = clockAt(board, 3000, 2000);
        clockAt(board, float(target.x()), float(target.y())).setStoredId(id);
        source.setLinkID(link);
        const QImage image = render(board);
        if (from.isNull()) {
            QCOMPARE(countPixels(image, isBlue) + countPixels(image, isRed), 0);
            return;
        }
        const QPointF mid = (from + to) / 2,
                      back = (to - from) / std::hypot(to.x() - from.x(), to.y() - from.y());
        QVERIFY(isBlue(pixelAt(image, mid.x(), mid.y())));
        QVERIFY(isRed(pixelAt(image, to.x() - 75, to.y()))); // the disc left of the target's face
        const QColor end = pixelAt(image, to.x() - back.x() * 20, to.y() - back.y() * 20);
        QVERIFY2(!isBlue(end) && !isRed(end), "the line's end lies under the target's face");
    }

    // Group 0's box around one clock at (3000, 2000) with its label above; a later clock is painted over an
    // earlier one, and the boxes over both.
    void groupBox() {
        TestBoard board;
        clockAt(board, 3000, 2000).setGroupNum(0);
        clockAt(board, 3300, 2300).setActive(true); // in no group
        board.clocks.computeGroupBounds();
        board.options.setChecked(Option::ViewBounds, true);
        const QImage image = render(board);
        for (const auto& [x, y] : {std::pair{2300, 1550}, std::pair{3000, 1550}, std::pair{4200, 2000},
                                   std::pair{4200, 2450}, std::pair{3000, 2450}, std::pair{2300, 2000}})
            QVERIFY2(isNavy(pixelAt(image, x, y)), qPrintable(QStringLiteral("%1, %2").arg(x).arg(y)));
        QVERIFY(!isNavy(pixelAt(image, 3000, 1500)));
        QVERIFY(!isNavy(pixelAt(image, 4250, 2000)));
        QVERIFY(countPixels(image.copy(px(2300), px(1350), px(1500), px(200)), isNavy) > 20);
        QCOMPARE(countPixels(image.copy(px(4300), px(1350), px(1000), px(1000)), isNavy), 0);
        QCOMPARE(faceColour(pixelAt(image, 2850, 2250)), 2);

        board.options.setChecked(Option::ViewBounds, false);
        QCOMPARE(countPixels(render(board), isNavy), 0);
    }

    // Far-off and unreadable positions, long names, links and groups paint beside an ordinary clock, on a
    // canvas reused from picture to picture; a store without pictures paints all but the faces.
    void oddBoardsPaint() {
        TestBoard board;
        const std::pair<float, float> places[] = {
            {3000, 2000}, {1e30f, -1e30f}, {NAN, 2000}, {INFINITY, INFINITY}};
        for (const auto& [x, y] : places) {
            clsClock& c = clockAt(board, x, y);
            c.setSelected(true);
            c.setGroupNum(2);
            c.setPurpose(QString(5000, QLatin1Char('W')));
            c.setLinkID(board.clocks.clock(0).ID());
        }
        board.clocks.clock(0).setLinkID(board.clocks.clock(1).ID());
        board.clocks.computeGroupBounds();
        board.options.setChecked(Option::ViewBounds, true);
        QPainterCanvas canvas(Qt::white);
        QImage image(600, 400, QImage::Format_RGB32);
        const PictureStore none;
        QImage shown[4];
        for (int pass = 0; pass < 4; ++pass) {
            canvas.begin(image, 1.0);
            BoardRenderer(pass < 3 ? *m_pictures : none).render(canvas, board.clocks, board.options);
            canvas.end();
            shown[pass] = image.copy();
            QVERIFY(isRed(pixelAt(image, 3000, 1700)));
            QCOMPARE(faceColour(pixelAt(image, 3250, 2210)), pass < 3 ? 0 : -1);
        }
        // Texts drawn from ready-made images look as they did drawn afresh.
        QCOMPARE(shown[2], shown[0]);
    }
};

QTEST_MAIN(TestBoardRenderer)
#include "tst_boardrenderer.moc"
