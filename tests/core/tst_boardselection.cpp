#include "TestBoard.h"
#include "core/BoardSelection.h"

namespace {
void addAt(TestBoard& b, const QList<QPointF>& centres) {
    for (const QPointF& p : centres)
        b.add(60).setPosition(float(p.x()), float(p.y()));
}

QList<QPointF> centres(const TestBoard& b) {
    QList<QPointF> out;
    for (int i = 0; i < b.clocks.clockCount(); ++i)
        out << QPointF(b.clocks.clock(i).myX(), b.clocks.clock(i).myY());
    return out;
}
} // namespace

// Where clocks stand, and what points, clicks, drags and group keys reach (the band: see the window tests).
class TestBoardSelection : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    // Edges count as inside: a clock's box at (3000, 2000), and its start/stop (0) and reset (1) buttons.
    void pointsOnAClock_data() {
        QTest::addColumn<QPointF>("offset"); // from the clock's centre
        QTest::addColumn<int>("hit");
        QTest::addColumn<int>("button");
        QTest::newRow("left edge") << QPointF(-500, 0) << 0 << -1;
        QTest::newRow("bottom right corner") << QPointF(500, 250) << 0 << -1;
        QTest::newRow("just left of the box") << QPointF(-500.5, 0) << -1 << -1;
        QTest::newRow("start button corner") << QPointF(550, -250) << -1 << 0;
        QTest::newRow("start button bottom") << QPointF(550, -40) << -1 << 0;
        QTest::newRow("between the buttons") << QPointF(550, -20) << -1 << -1;
        QTest::newRow("reset button far corner") << QPointF(1015, 210) << -1 << 1;
        QTest::newRow("in the gap before them") << QPointF(549, -100) << -1 << -1;
    }
    void pointsOnAClock() {
        QFETCH(QPointF, offset);
        QFETCH(int, hit);
        QFETCH(int, button);
        TestBoard b;
        addAt(b, {{3000, 2000}});
        const float x = float(3000 + offset.x()), y = float(2000 + offset.y());
        QCOMPARE(BoardSelection(b.clocks).hitTest(x, y), hit);
        QCOMPARE(int(b.clocks.clock(0).getButtonClick(x, y)), button);
    }

    // Where boxes and buttons overlap the lowest index answers, and only one clock acts.
    void lowestIndexWins() {
        TestBoard b;
        addAt(b, {{3400, 2000}, {3000, 2000}, {3000, 2000}, {4300, 1850}});
        BoardSelection sel(b.clocks);
        QCOMPARE(QList<int>({sel.hitTest(3000, 2000), sel.hitTest(2600, 2000), sel.hitTest(4000, 1800)}),
                 QList<int>({0, 1, 3}));
        // The start buttons of clocks 1 and 2 in clock 0's box; of clocks 0, 1 and 2 in clock 3's box; none.
        QCOMPARE(QList<int>({sel.clickClockButtons(3600, 1800), sel.clickClockButtons(4000, 1800),
                             sel.clickClockButtons(3000, 2000)}),
                 QList<int>({1, 0, -1}));
        QCOMPARE(b.states(), "run 60, run 60, stop 60, stop 60");
    }

    // An unselected clock moves alone, a selected one with the selection; a load drops the next first step.
    void dragClock() {
        TestBoard b;
        addAt(b, {{1000, 1000}, {3000, 1000}, {5000, 1000}});
        b.select("101");
        BoardSelection sel(b.clocks);
        sel.dragClock(1, 100, 0);
        sel.dragClock(2, 0, 100);
        sel.dragClock(3, 7, 7); // past the end
        b.clocks.setDragArmed(false);
        sel.dragClock(2, 7, 7);
        QCOMPARE(centres(b), (QList<QPointF>{{1000, 1100}, {3100, 1000}, {5000, 1100}}));
        QVERIFY(b.selection() == "101" && b.clocks.dragArmed());
    }

    // Shift+digit moves the selection into a group; with nothing selected it only renews the group boxes.
    void groupBoxes() {
        TestBoard b;
        b.options.setChecked(Option::ViewBounds, false);
        addAt(b, {{3000, 2000}, {6000, 2000}});
        b.clocks.clock(0).setGroupNum(0);
        BoardSelection sel(b.clocks);
        const GroupRecord& g = b.clocks.groups().group(0);
        sel.assignSelectedToGroup(5);
        QCOMPARE(QRectF(QPointF(g.left, g.top), QPointF(g.right, g.bottom)), QRectF(2300, 1550, 1900, 900));
        QVERIFY(g.inUse && !b.clocks.groups().group(5).inUse);
        b.select("01");
        sel.assignSelectedToGroup(5);
        QVERIFY(b.clocks.clock(1).groupNum() == 5 && b.clocks.groups().group(5).inUse);
    }
};

QTEST_GUILESS_MAIN(TestBoardSelection)
#include "tst_boardselection.moc"
