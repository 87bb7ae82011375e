// The board painted into an image through the real canvas, checked pixel by pixel at the places where
// faces, buttons, outlines, links and group boxes belong.
#include "DisplayTestSupport.h"
#include "TestBoard.h"
#include "clock/clsClock.h"
#include "display/BoardRenderer.h"
#include "display/ClockPainter.h"
#include "display/LinkPainter.h"
#include "display/PictureStore.h"
#include "display/QPainterCanvas.h"

#include <QStandardPaths>
#include <QtTest>
#include <memory>

using namespace DisplayTest;

class TestBoardRenderer : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<PictureStore> m_pictures;

    QImage render(const TestBoard& board, double ratio = 1.0) const {
        QImage image(px(9000, ratio), px(6000, ratio), QImage::Format_RGB32);
        QPainterCanvas canvas(image, Qt::white, ratio);
        BoardRenderer(*m_pictures).render(canvas, board.clocks, board.options);
        return image;
    }

    static clsClock& clockAt(TestBoard& board, float x, float y, double seconds = 60) {
        clsClock& c = board.add(seconds);
        c.setPosition(x, y);
        return c;
    }

    static QImage linksOnly(const TestBoard& board) {
        QImage image(px(9000), px(6000), QImage::Format_RGB32);
        QPainterCanvas canvas(image, Qt::white, 1.0);
        canvas.clear();
        canvas.setLineWidth(2);
        const LinkPainter links(board.clocks);
        for (int i = 0; i < board.clocks.clockCount(); ++i)
            links.drawLink(canvas, board.clocks.clock(i));
        return image;
    }

private slots:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        const QString folder = programFolder();
        QVERIFY2(!folder.isEmpty(), "pictures not found beside the tests");
        m_pictures = std::make_unique<PictureStore>(folder);
        QVERIFY(m_pictures->complete());
    }

    void faceColourFollowsState_data() {
        QTest::addColumn<bool>("running");
        QTest::addColumn<double>("seconds");
        QTest::addColumn<int>("face");
        QTest::newRow("stopped") << false << 5.0 << 0;
        QTest::newRow("running 11 s") << true << 11.0 << 2;
        QTest::newRow("running exactly 10 s") << true << 10.0 << 1;
        QTest::newRow("running 10.5 s") << true << 10.5 << 2;
        QTest::newRow("running 0 s") << true << 0.0 << 1;
        QTest::newRow("running, overshot") << true << -2.0 << 1;
    }
    void faceColourFollowsState() {
        QFETCH(bool, running);
        QFETCH(double, seconds);
        QFETCH(int, face);
        TestBoard board;
        clsClock& c = clockAt(board, 3000, 2000);
        c.setActive(running);
        c.setCurrentTime(seconds);
        QCOMPARE(ClockPainter::faceIndex(c), face);
        const QImage image = render(board);
        QCOMPARE(faceColour(pixelAt(image, 3250, 2100)), face);
    }

    void faceSitsAboveLeftOfTheBox() {
        TestBoard board;
        clockAt(board, 3000, 2000);
        const QImage image = render(board);
        // The face picture's corner is at (2410, 1660): outside the mask the canvas shows, inside
        // it the face's black frame.
        const int fx = px(2410), fy = px(1660);
        QCOMPARE(image.pixelColor(fx + 1, fy + 1), QColor(Qt::white));
        QCOMPARE(image.pixelColor(fx + 3, fy + 3), QColor(Qt::black));
        QCOMPARE(image.pixelColor(fx + 1, fy + 20), QColor(Qt::white));
        QCOMPARE(image.pixelColor(fx + 3, fy + 20), QColor(Qt::black));
        QCOMPARE(image.pixelColor(fx + 111, fy + 20), QColor(Qt::white));
        QCOMPARE(image.pixelColor(fx + 20, fy + 45), QColor(Qt::white));
        QCOMPARE(faceColour(image.pixelColor(fx + 30, fy + 25)), 0);
    }

    void buttonsSitBesideTheBox_data() {
        QTest::addColumn<bool>("running");
        QTest::addColumn<double>("ratio");
        QTest::newRow("stopped") << false << 1.0;
        QTest::newRow("running") << true << 1.0;
        QTest::newRow("stopped, double density") << false << 2.0;
    }
    void buttonsSitBesideTheBox() {
        QFETCH(bool, running);
        QFETCH(double, ratio);
        TestBoard board;
        clockAt(board, 3000, 2000).setActive(running);
        const QImage image = render(board, ratio);
        const auto hue = [](const QColor& c) {
            if (c.green() > c.red() + 40 && c.green() > c.blue() + 40)
                return 'g';
            if (c.red() > c.green() + 40 && c.red() > c.blue() + 40)
                return 'r';
            if (c.red() > c.blue() + 60 && c.green() > c.blue() + 60)
                return 'y';
            return '?';
        };
        const int r = int(ratio);
        // Start/stop at (3550, 1750), reset at (3550, 2000): a black border, the bar's colour within.
        for (const auto& [y, colour] : {std::pair{1750, running ? 'r' : 'g'}, std::pair{2000, 'y'}}) {
            const int bx = px(3550, ratio), by = px(y, ratio);
            QCOMPARE(image.pixelColor(bx, by), QColor(Qt::black));
            QCOMPARE(image.pixelColor(bx + 31 * r - 1, by + 14 * r - 1), QColor(Qt::black));
            QCOMPARE(hue(image.pixelColor(bx + 15 * r, by + r)), colour);
            // Left of the button lies the face's grey-brown panel.
            QVERIFY(distance(image.pixelColor(bx - 1, by + 7 * r), QColor(113, 99, 95)) < 40);
        }
    }

    void selectedClockHasRedOutline() {
        TestBoard board;
        clockAt(board, 3000, 2000).setSelected(true);
        clockAt(board, 3000, 4500);
        const QImage image = render(board);
        // From (2450, 1700) to (3550, 2300), two pixels wide.
        for (const auto& [x, y] : {std::pair{3000, 1700}, std::pair{3550, 2000}, std::pair{3000, 2300},
                                   std::pair{2450, 2000}, std::pair{2450, 1700}, std::pair{3550, 2300}}) {
            QVERIFY2(isRed(pixelAt(image, x, y)), qPrintable(QStringLiteral("%1, %2").arg(x).arg(y)));
            QVERIFY(isRed(image.pixelColor(px(x) - 1, px(y) - 1)));
        }
        QVERIFY(!isRed(pixelAt(image, 3000, 1650)));
        // The unselected clock has none.
        QVERIFY(!isRed(pixelAt(image, 3000, 4200)));
        QVERIFY(!isRed(pixelAt(image, 2450, 4500)));
    }

    void linkRunsFromBoxToTargetCorner_data() {
        QTest::addColumn<QPointF>("target");
        QTest::addColumn<QPointF>("from");
        QTest::addColumn<QPointF>("to");
        QTest::newRow("right") << QPointF(6000, 2000) << QPointF(3500, 1750) << QPointF(5500, 1750);
        QTest::newRow("below") << QPointF(3000, 4000) << QPointF(2500, 2250) << QPointF(2500, 3750);
        QTest::newRow("below right") << QPointF(6000, 5000) << QPointF(3500, 2250) << QPointF(5500, 4750);
    }
    void linkRunsFromBoxToTargetCorner() {
        QFETCH(QPointF, target);
        QFETCH(QPointF, from);
        QFETCH(QPointF, to);
        TestBoard board;
        clsClock& source = clockAt(board, 3000, 2000);
        clsClock& linked = clockAt(board, float(target.x()), float(target.y()));
        source.setLinkID(linked.ID());
        const QImage image = linksOnly(board);
        const QPointF mid = (from + to) / 2;
        QVERIFY(isBlue(pixelAt(image, mid.x(), mid.y())));
        QVERIFY(isBlue(
            pixelAt(image, from.x() + (to.x() - from.x()) * 0.1, from.y() + (to.y() - from.y()) * 0.1)));
        // The red disc of radius 100 at the corner, and nothing beyond either end.
        QVERIFY(isRed(pixelAt(image, to.x(), to.y())));
        QVERIFY(isRed(pixelAt(image, to.x() - 80, to.y())));
        const QPointF step = (to - from) / std::hypot(to.x() - from.x(), to.y() - from.y()) * 200;
        QCOMPARE(pixelAt(image, to.x() + step.x(), to.y() + step.y()), QColor(Qt::white));
        QCOMPARE(pixelAt(image, from.x() - step.x(), from.y() - step.y()), QColor(Qt::white));
    }

    void linkIsHiddenUnderFacesAndMarkedAtCorner() {
        TestBoard board;
        clsClock& source = clockAt(board, 3000, 2000);
        source.setLinkID(clockAt(board, 6000, 2000).ID());
        const QImage image = render(board);
        QVERIFY(isBlue(pixelAt(image, 4500, 1750)));
        QVERIFY(!isBlue(pixelAt(image, 3300, 1750))); // under the source's face
        QVERIFY(!isBlue(pixelAt(image, 5700, 1750))); // under the target's face
        // Left of the target's face, the part of the disc outside its mask.
        QVERIFY(isRed(pixelAt(image, 5425, 1750)));
    }

    void noLinkDrawn_data() {
        QTest::addColumn<double>("linkID");
        QTest::addColumn<float>("targetX");
        QTest::addColumn<float>("targetY");
        QTest::newRow("no link") << 0.0 << 6000.f << 4000.f;
        QTest::newRow("below one") << 0.99 << 6000.f << 4000.f;
        QTest::newRow("negative") << -5.0 << 6000.f << 4000.f;
        QTest::newRow("nobody has it") << 12345.0 << 6000.f << 4000.f;
        QTest::newRow("target corner past left edge") << 77.0 << 400.f << 4000.f;
        QTest::newRow("target corner past top edge") << 77.0 << 6000.f << 200.f;
    }
    void noLinkDrawn() {
        QFETCH(double, linkID);
        QFETCH(float, targetX);
        QFETCH(float, targetY);
        TestBoard board;
        clsClock& source = clockAt(board, 3000, 2000);
        clockAt(board, targetX, targetY).setStoredId(77);
        source.setLinkID(linkID);
        const QImage image = linksOnly(board);
        QCOMPARE(countPixels(image, isBlue), 0);
        QCOMPARE(countPixels(image, isRed), 0);
    }

    void groupBoxAroundItsClocks() {
        TestBoard board;
        clockAt(board, 3000, 2000).setGroupNum(0);
        board.clocks.computeGroupBounds();
        board.options.setChecked(Option::ViewBounds, true);
        const QImage image = render(board);
        // From (2300, 1550) to (4200, 2450).
        for (const auto& [x, y] : {std::pair{3000, 1550}, std::pair{4200, 2000}, std::pair{3000, 2450},
                                   std::pair{2300, 2000}, std::pair{2300, 1550}, std::pair{4200, 2450}})
            QVERIFY2(isNavy(pixelAt(image, x, y)), qPrintable(QStringLiteral("%1, %2").arg(x).arg(y)));
        QVERIFY(!isNavy(pixelAt(image, 3000, 1500)));
        QVERIFY(!isNavy(pixelAt(image, 4250, 2000)));
        // The label stands above the box's top-left corner.
        const QImage label = image.copy(px(2300), px(1350), px(1500), px(200));
        QVERIFY(countPixels(label, isNavy) > 20);
        const QImage right = image.copy(px(4300), px(1350), px(1000), px(1000));
        QCOMPARE(countPixels(right, isNavy), 0);

        board.options.setChecked(Option::ViewBounds, false);
        QCOMPARE(countPixels(render(board), isNavy), 0);
    }

    void laterPaintingCovers() {
        TestBoard board;
        clockAt(board, 3000, 2000).setGroupNum(0);
        // The second clock, in no group, is drawn over the first and under the first's group box.
        clsClock& second = clockAt(board, 3300, 2300);
        second.setActive(true);
        second.setCurrentTime(60);
        board.clocks.computeGroupBounds();
        board.options.setChecked(Option::ViewBounds, true);
        const QImage image = render(board);
        QCOMPARE(faceColour(pixelAt(image, 2850, 2250)), 2);
        QVERIFY(isNavy(pixelAt(image, 3300, 2450)));
    }

    void clockTexts_data() {
        QTest::addColumn<double>("seconds");
        QTest::addColumn<QString>("text");
        QTest::newRow("hour, minutes, seconds") << 3725.0 << QStringLiteral("01:02:05");
        QTest::newRow("past 16 bits of hours") << 32768.0 * 3600 << QStringLiteral("32768:00:00");
        QTest::newRow("overshot") << -2.0 << QStringLiteral("-00:00:02");
    }
    void clockTexts() {
        QFETCH(double, seconds);
        QFETCH(QString, text);
        TestBoard board;
        clsClock& c = clockAt(board, 3000, 2000);
        c.setCurrentTime(seconds);
        c.setPurpose(QStringLiteral("Tea"));
        RecordingCanvas canvas;
        ClockPainter(*m_pictures).draw(canvas, c);
        QCOMPARE(canvas.texts.size(), 2);
        QCOMPARE(canvas.texts[0].text, text);
        QCOMPARE(canvas.texts[0].x, 2500 + 1000.0 / 7);
        QCOMPARE(canvas.texts[0].y, 1750.0);
        QCOMPARE(canvas.texts[1].text, QStringLiteral("Tea"));
        QCOMPARE(canvas.texts[1].x, 2525.0);
        QCOMPARE(canvas.texts[1].y, 2000.0);
        for (const auto& t : canvas.texts) {
            QVERIFY(t.bold);
            QCOMPARE(t.colour, QColor(Qt::black));
        }
        QCOMPARE(canvas.lineWidth, 2);
        QVERIFY(!canvas.bold);
    }

    void groupLabels_data() {
        QTest::addColumn<int>("group");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("label");
        QTest::newRow("named") << 3 << QStringLiteral("Kitchen") << QStringLiteral("Group 3 : Kitchen");
        QTest::newRow("unnamed") << 0 << QString() << QStringLiteral("Group 0 : ");
    }
    void groupLabels() {
        QFETCH(int, group);
        QFETCH(QString, name);
        QFETCH(QString, label);
        TestBoard board;
        clockAt(board, 3000, 2000).setGroupNum(qint16(group));
        clockAt(board, 6000, 4000).setGroupNum(qint16(group));
        clockAt(board, 5000, 5000); // in no group
        board.clocks.groups().setName(group, name);
        board.clocks.computeGroupBounds();
        board.options.setChecked(Option::ViewBounds, true);
        RecordingCanvas canvas;
        BoardRenderer(*m_pictures).render(canvas, board.clocks, board.options);
        const RecordingCanvas::Text& last = canvas.texts.last();
        QCOMPARE(last.text, label);
        QCOMPARE(last.x, 2300.0);
        QCOMPARE(last.y, 1350.0);
        QVERIFY(!last.bold);
        QCOMPARE(last.colour, QColor(0, 0, 128));
        QCOMPARE(canvas.calls.count(QStringLiteral("line")), 4);
    }

    void farOffAndUnreadablePositions() {
        TestBoard board;
        const float inf = std::numeric_limits<float>::infinity();
        const float nan = std::numeric_limits<float>::quiet_NaN();
        clsClock& far = clockAt(board, 1e30f, -1e30f);
        clsClock& lost = clockAt(board, nan, 2000);
        clsClock& endless = clockAt(board, inf, inf);
        clsClock& onBoard = clockAt(board, 3000, 2000);
        for (clsClock* c : {&far, &lost, &endless, &onBoard}) {
            c->setSelected(true);
            c->setGroupNum(2);
            c->setPurpose(QString(5000, QLatin1Char('W')));
        }
        far.setLinkID(onBoard.ID());
        onBoard.setLinkID(far.ID());
        lost.setLinkID(onBoard.ID());
        board.clocks.computeGroupBounds();
        board.options.setChecked(Option::ViewBounds, true);
        QPainterCanvas canvas(Qt::white);
        QImage image(600, 400, QImage::Format_RGB32);
        for (int pass = 0; pass < 3; ++pass) {
            canvas.begin(image, 1.0);
            BoardRenderer(*m_pictures).render(canvas, board.clocks, board.options);
            canvas.end();
        }
        // The clock on the board is drawn as usual, under its long name.
        QCOMPARE(faceColour(pixelAt(image, 3250, 2210)), 0);
        QVERIFY(isRed(pixelAt(image, 3000, 1700)));
    }
};

QTEST_MAIN(TestBoardRenderer)
#include "tst_boardrenderer.moc"
