// Repainting only the clocks whose look changed: which areas are asked for, and that painting just those
// areas over the last picture gives the same pixels as painting the whole board afresh.
#include "TestBoard.h"
#include "clock/clsClock.h"
#include "display/BoardRenderer.h"
#include "display/CanvasWidget.h"
#include "display/ClockLooks.h"
#include "display/ClockPainter.h"
#include "display/PictureStore.h"
#include "display/QPainterCanvas.h"

#include <QtTest>
#include <memory>

namespace {
// Three clocks: a running one at the left, a stopped one far to the right, and one whose face lies over
// the lower half of the running one's (clear of the band its time is written in), linked to the far one
// so that its line crosses the board.
struct Board {
    TestBoard b;
    clsClock& running = place(b.add(600), 1500, 1000);
    clsClock& far = place(b.add(60), 7000, 4500);
    clsClock& over = place(b.add(90), 2400, 1400);

    Board() {
        // Named, so that a clock painted twice over shows in its name's softened edges.
        running.setPurpose(QStringLiteral("Tea"));
        far.setPurpose(QStringLiteral("Rice"));
        over.setPurpose(QStringLiteral("Eggs"));
        running.setActive(true);
        over.setLinkID(far.ID());
    }
    static clsClock& place(clsClock& c, float x, float y) {
        c.setPosition(x, y);
        return c;
    }
    // One change a user or the loop makes; true when it moves more than faces.
    bool change(const QString& what) {
        if (what == "count")
            b.clocks.tickAll(1);
        else if (what == "select")
            far.setSelected(true);
        else if (what == "rename")
            far.setPurpose(QStringLiteral("Bread"));
        else if (what == "start underneath")
            running.setActive(false);
        else if (what == "move")
            far.move(-300, 0);
        else if (what == "relink")
            over.setLinkID(running.ID());
        else if (what == "add")
            place(b.add(30), 5000, 1000);
        else if (what == "remove")
            b.clocks.deleteClock(1);
        return what == "move" || what == "relink" || what == "add" || what == "remove";
    }
};

QRect pixels(const QRectF& twips) {
    return QRectF(twips.topLeft() / 15.0, twips.bottomRight() / 15.0).toAlignedRect();
}
} // namespace

class TestClockLooks : public QObject {
    Q_OBJECT

    std::unique_ptr<PictureStore> m_pictures;

    QImage paint(const Board& board, QImage image, const QRegion& area, QPainterCanvas& canvas) const {
        canvas.begin(image, 1.0, area);
        BoardRenderer(*m_pictures).render(canvas, board.b.clocks, board.b.options);
        canvas.end();
        return image;
    }

private slots:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        m_pictures = std::make_unique<PictureStore>(QCoreApplication::applicationDirPath() + "/..");
        QVERIFY(m_pictures->complete());
    }

    // The clocks whose areas are asked for ("time": just the band the time is written in), and that the last
    // picture, painted over in those areas, equals a whole new picture.
    void changes_data() {
        QTest::addColumn<QString>("change");
        QTest::addColumn<QStringList>("repainted");
        QTest::newRow("nothing") << QString() << QStringList();
        QTest::newRow("a second counted") << "count" << QStringList{"running time"};
        QTest::newRow("selected") << "select" << QStringList{"far"};
        QTest::newRow("renamed") << "rename" << QStringList{"far"};
        QTest::newRow("stopped under another") << "start underneath" << QStringList{"running"};
        QTest::newRow("moved: whole board") << "move" << QStringList{"whole"};
        QTest::newRow("relinked: whole board") << "relink" << QStringList{"whole"};
        QTest::newRow("added: whole board") << "add" << QStringList{"whole"};
        QTest::newRow("removed: whole board") << "remove" << QStringList{"whole"};
    }
    void changes() {
        QFETCH(QString, change);
        QFETCH(QStringList, repainted);
        Board board;
        board.over.setSelected(true);
        board.b.options.setChecked(Option::ViewBounds, true);
        const QImage blank(600, 400, QImage::Format_RGB32);
        QPainterCanvas kept(Qt::white);
        ClockLooks looks;
        looks.takeAll(board.b.clocks);
        const QImage before = paint(board, blank, QRegion(blank.rect()), kept);
        const bool whole = board.change(change);
        QCOMPARE(whole, repainted == QStringList{"whole"});
        const std::optional<QVector<QRectF>> areas = looks.takeChanged(board.b.clocks);
        QCOMPARE(!areas, whole);
        QRegion asked(blank.rect());
        if (areas) {
            asked = QRegion();
            for (const QRectF& a : *areas)
                asked += pixels(a);
            const std::pair<const char*, clsClock*> named[] = {
                {"running", &board.running}, {"far", &board.far}, {"over", &board.over}};
            for (const auto& [name, clock] : named) {
                const QRect face = pixels(ClockPainter::area(*clock)),
                            time = pixels(ClockPainter::timeArea(*clock));
                QCOMPARE(asked.intersected(face) == QRegion(face), repainted.contains(name));
                QCOMPARE(asked.intersected(time) == QRegion(time),
                         repainted.contains(name + QStringLiteral(" time")) || repainted.contains(name));
            }
            QCOMPARE(asked.rectCount() > 0, !repainted.isEmpty());
        }
        QCOMPARE(looks.takeChanged(board.b.clocks)->size(), 0); // taken: nothing more is asked for
        const QImage part = paint(board, before, asked, kept);
        // A second canvas with the same history: a text shown twice is copied from an image it made.
        QPainterCanvas fresh(Qt::white);
        paint(board, blank, QRegion(blank.rect()), fresh);
        QCOMPARE(part != before, !repainted.isEmpty());
        QCOMPARE(part, paint(board, blank, QRegion(blank.rect()), fresh));
    }

    // The window's canvas: a counted second paints the running clock's time and leaves the far clock.
    void canvasPaintsChangedClocksOnly() {
        Board board;
        CanvasWidget canvas(board.b.clocks, board.b.canvas);
        canvas.resize(600, 400);
        canvas.show();
        QVERIFY(QTest::qWaitForWindowExposed(&canvas));
        canvas.repaintWhole();
        QTest::qWait(100); // the picture asked for is painted, not merged with the next one
        QCOMPARE(canvas.lastPaintedArea(), QRegion(canvas.rect()));
        board.change("count");
        canvas.repaintChangedClocks();
        QTRY_VERIFY(canvas.lastPaintedArea() != QRegion(canvas.rect()));
        const QRegion painted = canvas.lastPaintedArea();
        QVERIFY(painted.contains(pixels(ClockPainter::timeArea(board.running))));
        QVERIFY(!painted.intersects(pixels(ClockPainter::area(board.far))));
        board.change("move");
        canvas.repaintChangedClocks();
        QTRY_COMPARE(canvas.lastPaintedArea(), QRegion(canvas.rect()));
    }
};

QTEST_MAIN(TestClockLooks)
#include "tst_clocklooks.moc"
