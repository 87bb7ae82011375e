// The board painted through the real canvas into an image, checked where its parts belong.
#include "TestAssets.h"
#include "TestBoard.h"
#include "clock/clsClock.h"
#include "display/BoardRenderer.h"
#include "display/CanvasWidget.h"
#include "display/ClockPainter.h"
#include "display/GroupPainter.h"
#include "display/PictureStore.h"
#include "display/QPainterCanvas.h"

#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>
#include <cmath>
#include <memory>
#include <sys/stat.h>

class TestBoardRenderer : public QObject {
    Q_OBJECT

    std::unique_ptr<PictureStore> m_pictures;

    // Device pixel of a canvas position, as the canvas rounds it.
    static int px(double twips) { return int(std::lround(twips / 15.0)); }
    static QColor pixelAt(const QImage& image, double x, double y) { return image.pixelColor(px(x), px(y)); }
    static bool near(const QColor& a, const QColor& b, int tolerance = 30) {
        const int r = a.red() - b.red(), g = a.green() - b.green(), bl = a.blue() - b.blue();
        return r * r + g * g + bl * bl < tolerance * tolerance;
    }
    inline static const QColor cream{194, 184, 152}, red{218, 128, 127}, green{149, 195, 151};
    static bool isBlue(const QColor& c) { return c.blue() > 200 && c.red() < 90 && c.green() < 90; }
    static bool isRed(const QColor& c) { return c.red() > 200 && c.green() < 90 && c.blue() < 90; }
    static bool isNavy(const QColor& c) { return c.blue() > 60 && c.red() < 60 && c.green() < 60; }
    QImage render(const TestBoard& board, const PictureStore* pictures = nullptr) const {
        QImage image(px(9000), px(6000), QImage::Format_RGB32);
        QPainterCanvas canvas(image, Qt::white, 1.0);
        BoardRenderer(pictures ? *pictures : *m_pictures).render(canvas, board.clocks, board.options);
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
        QVERIFY2(m_pictures->complete(), qPrintable(m_pictures->problems().join(QLatin1Char(' '))));
    }

    // The face's colour and the start/stop bar follow the state; the face's corner is at (x-590, y-340),
    // the start/stop button at (x+550, y-250), the reset button at (x+550, y).
    void faceAndButtons_data() {
        QTest::addColumn<bool>("running");
        QTest::addColumn<double>("seconds");
        QTest::addColumn<QColor>("face");
        QTest::newRow("stopped") << false << 5.0 << cream;
        QTest::newRow("running exactly 10 s") << true << 10.0 << red;
        QTest::newRow("running 10.5 s") << true << 10.5 << green;
        QTest::newRow("running, overshot") << true << -2.0 << red;
    }
    void faceAndButtons() {
        QFETCH(bool, running);
        QFETCH(double, seconds);
        QFETCH(QColor, face);
        TestBoard board;
        clsClock& c = clockAt(board, 3000, 2000);
        c.setActive(running);
        c.setCurrentTime(seconds);
        const QImage image = render(board);
        QVERIFY(near(pixelAt(image, 3250, 2100), face));
        int ink = 0; // the time, in black, on the face's panel
        for (int y = px(1750); y < px(1950); ++y)
            for (int x = px(2643); x < px(3200); ++x)
                ink += image.pixelColor(x, y).lightness() < 40 ? 1 : 0;
        QVERIFY2(ink > 40, qPrintable(QString::number(ink)));
        // Outside the face's mask the canvas shows; inside it, the face's black frame.
        QCOMPARE(image.pixelColor(px(2410) + 1, px(1660) + 20), QColor(Qt::white));
        QCOMPARE(image.pixelColor(px(2410) + 3, px(1660) + 20), QColor(Qt::black));
        const QColor bar = running ? QColor(243, 171, 157) : QColor(170, 243, 157);
        for (const auto& [y, colour] : {std::pair{1750, bar}, std::pair{2000, QColor(243, 229, 157)}}) {
            const int bx = px(3550), by = px(y);
            QCOMPARE(image.pixelColor(bx, by), QColor(Qt::black));
            QVERIFY(near(image.pixelColor(bx + 15, by + 1), colour, 30));
            QVERIFY(near(image.pixelColor(bx - 1, by + 7), QColor(113, 99, 95), 40)); // the face's panel
        }
    }

    // A picture that is missing, of the wrong size or no file at all is named once in the error log, and a
    // plain stand-in keeps the faces' colours and the buttons (green "Start", red "Stop") in place.
    void plainStandIns_data() {
        textRows({"file", "damage", "line"},
                 {{"red face missing", "box1.png", "gone", "Unable to load picture "},
                  {"mask of the wrong size", "boxMatte.png", "small",
                   "Picture of the wrong size (10 x 10, not 118 x 50): "},
                  {"start bar a named pipe", "button1.png", "pipe", "Unable to load picture "},
                  {"stop bar missing", "button2.png", "gone", "Unable to load picture "}});
    }
    void plainStandIns() {
        QFETCH(QString, file);
        QFETCH(QString, damage);
        QFETCH(QString, line);
        const QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir("pictures"));
        const QDir assets(TestAssets::programFolder() + "/pictures");
        for (const QString& name : assets.entryList(QDir::Files))
            QVERIFY(QFile::copy(assets.filePath(name), dir.filePath("pictures/" + name)));
        const QString path = dir.filePath("pictures/" + file);
        QVERIFY(QFile::remove(path));
        if (damage == "small")
            QVERIFY(QImage(10, 10, QImage::Format_RGB32).save(path));
        if (damage == "pipe")
            QVERIFY(mkfifo(qPrintable(path), 0600) == 0);
        FakeSoundService sound;
        MemoryErrorLog log;
        TestBoard board(sound, log, dir.path());
        const CanvasWidget widget(board.clocks, board.canvas);
        QCOMPARE(log.lines, QStringList(line + path));
        clockAt(board, 3000, 2000);
        clsClock& running = clockAt(board, 3000, 4000);
        running.setActive(true);
        running.setCurrentTime(5);
        const PictureStore pictures(dir.path()); // the same stand-ins the widget drew with
        const QImage image = render(board, &pictures);
        QVERIFY(near(pixelAt(image, 3250, 2100), cream, 40));
        QVERIFY(near(pixelAt(image, 3250, 4100), red, 40));
        const QColor start = image.pixelColor(px(3550) + 15, px(1750) + 1);
        const QColor stop = image.pixelColor(px(3550) + 15, px(3750) + 1);
        QVERIFY(start.green() > start.red() + 40 && stop.red() > stop.green() + 40);
    }

    // A link runs blue from the source's box to the target's top-left corner, is marked there by a red
    // disc and lies under the target's face; nothing is drawn without a target whose corner is on the canvas.
    void links_data() {
        QTest::addColumn<QPointF>("target");
        QTest::addColumn<double>("link");  // the target's id is 77
        QTest::addColumn<QPointF>("from"); // none when nothing is drawn
        using P = QPointF;
        QTest::newRow("right") << P(6000, 2000) << 77.0 << P(3500, 1750);
        QTest::newRow("below") << P(3000, 4000) << 77.0 << P(2500, 2250);
        QTest::newRow("below right, slanted") << P(7000, 4500) << 77.0 << P(3500, 2250);
        QTest::newRow("above left, slanted") << P(1000, 400) << 77.0 << P(2500, 1750);
        QTest::newRow("below one") << P(6000, 4000) << 0.99 << P();
        QTest::newRow("nobody has it") << P(6000, 4000) << 12345.0 << P();
        QTest::newRow("corner past left edge") << P(400, 4000) << 77.0 << P();
        QTest::newRow("corner just past left edge") << P(499, 4000) << 77.0 << P();
    }
    void links() {
        QFETCH(QPointF, target);
        QFETCH(double, link);
        QFETCH(QPointF, from);
        TestBoard board;
        clsClock& source = clockAt(board, 3000, 2000);
        source.setLinkID(link);
        clockAt(board, float(target.x()), float(target.y())).setStoredId(77);
        const QImage image = render(board);
        if (from.isNull()) {
            source.setLinkID(0);
            QCOMPARE(image, render(board));
            return;
        }
        const QPointF to = target - QPointF(500, 250);
        const QLineF line(from, to);
        QVERIFY(isBlue(pixelAt(image, line.center().x(), line.center().y())));
        QVERIFY(isRed(pixelAt(image, to.x() - 75, to.y()))); // the disc left of the target's face
        const QPointF nearEnd = line.pointAt(1 - 20 / line.length());
        const QColor end = pixelAt(image, nearEnd.x(), nearEnd.y());
        QVERIFY2(!isBlue(end) && !isRed(end), "the line's end lies under the target's face");
    }

    // Group 0's box around one clock at (3000, 2000) with its label above; a later clock is painted over an
    // earlier one, and the boxes over both; no boxes unless asked for.
    void groupBox() {
        TestBoard board;
        clockAt(board, 3000, 2000).setGroupNum(0);
        clockAt(board, 3300, 2300).setActive(true); // in no group
        board.clocks.computeGroupBounds();
        board.options.setChecked(Option::ViewBounds, true);
        const QImage image = render(board);
        for (const auto& [x, y] : {std::pair{2300, 1550}, std::pair{4200, 2000}, std::pair{4200, 2450},
                                   std::pair{3000, 2450}, std::pair{2300, 2000}})
            QVERIFY2(isNavy(pixelAt(image, x, y)), qPrintable(QStringLiteral("%1, %2").arg(x).arg(y)));
        QVERIFY(!isNavy(pixelAt(image, 3000, 1500)));
        QVERIFY(!isNavy(pixelAt(image, 4250, 2000)));
        QVERIFY(near(pixelAt(image, 2850, 2250), green));
        board.options.setChecked(Option::ViewBounds, false);
        const QImage off = render(board);
        const QRect label(px(2300), px(1350), px(1500), px(150));
        QVERIFY(!isNavy(pixelAt(off, 2300, 1550)));
        QVERIFY(image.copy(label) != off.copy(label));
        QImage alone(image.size(), QImage::Format_RGB32); // the label in plain type, whatever came before
        QPainterCanvas canvas(alone, Qt::white, 1.0);
        canvas.clear();
        GroupPainter::drawGroupBounds(canvas, board.clocks.groups());
        canvas.end();
        QCOMPARE(image.copy(label), alone.copy(label));
    }

    // The selection outline is two pixels wide from (x-550, y-300) to (x+550, y+300), an unselected
    // clock has none; unreadable positions, selected, grouped and linked, paint beside them.
    void selectionOutlineBesideUnreadablePositions() {
        TestBoard board;
        clockAt(board, 3000, 4500);
        for (const auto& [x, y] :
             {std::pair{3000.f, 2000.f}, std::pair{NAN, 2000.f}, std::pair{INFINITY, INFINITY}}) {
            clsClock& c = clockAt(board, x, y);
            c.setSelected(true);
            c.setGroupNum(2);
            c.setLinkID(board.clocks.clock(1).ID());
        }
        board.clocks.clock(1).setLinkID(board.clocks.clock(2).ID());
        board.clocks.computeGroupBounds();
        board.options.setChecked(Option::ViewBounds, true);
        const QImage image = render(board);
        for (const auto& [x, y] :
             {std::pair{2450, 1700}, std::pair{3000, 1700}, std::pair{3550, 2000}, std::pair{2450, 2300}}) {
            QVERIFY2(isRed(pixelAt(image, x, y)), qPrintable(QStringLiteral("%1, %2").arg(x).arg(y)));
            QVERIFY(isRed(image.pixelColor(px(x) - 1, px(y) - 1)));
        }
        QVERIFY(!isRed(pixelAt(image, 3000, 1650)));
        QVERIFY(!isRed(pixelAt(image, 2450, 4500)));
        QVERIFY(near(pixelAt(image, 3250, 2210), cream));
    }

    // A name stays on its face's panel: one too long for it ends in "…" and leaves the button panel,
    // right of x+505, as it is without a name.
    void nameStaysOnItsPanel_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("cut");
        QTest::newRow("short") << "Tea" << false;
        QTest::newRow("60 characters")
            << "Proof the dough, then shape and bake at two hundred degrees." << true;
    }
    void nameStaysOnItsPanel() {
        QFETCH(QString, name);
        QFETCH(bool, cut);
        const QString shown = ClockPainter(*m_pictures).shownName(name);
        QCOMPARE(shown != name, cut);
        QCOMPARE(shown.endsWith(QChar(0x2026)), cut);
        TestBoard board;
        clsClock& c = clockAt(board, 3000, 2000);
        const QImage nameless = render(board);
        c.setPurpose(name);
        const QImage named = render(board);
        const QRect panel(px(2525), px(2000), px(3490) - px(2525), px(250));
        const QRect beside(px(3505), px(2000), px(4180) - px(3505), px(250));
        QVERIFY(named.copy(panel) != nameless.copy(panel));
        QCOMPARE(named.copy(beside), nameless.copy(beside));
    }
};

QTEST_MAIN(TestBoardRenderer)
#include "tst_boardrenderer.moc"
