#include "TestBoard.h"
#include "core/BoardSelection.h"
#include <QRegularExpression>

namespace {
void addAt(TestBoard& b, const QList<QPointF>& centres) {
    for (const QPointF& p : centres)
        b.add(60).setPosition(float(p.x()), float(p.y()));
}
} // namespace

// Where clocks stand, and what points, clicks, drags and group keys reach (the band: see the window tests).
class TestBoardSelection : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    // Edges count as inside: a clock at (3000, 2000), its face's cover, its box and its start/stop (0) and
    // reset (1) buttons.
    void pointsOnAClock_data() {
        QTest::addColumn<QPointF>("offset"); // from the clock's centre
        QTest::addColumn<bool>("face");
        QTest::addColumn<int>("hit");
        QTest::addColumn<int>("button");
        QTest::newRow("top left corner") << QPointF(-500, -250) << true << 0 << -1;
        QTest::newRow("bottom right corner") << QPointF(500, 250) << true << 0 << -1;
        QTest::newRow("just left of the box") << QPointF(-500.5, 0) << true << -1 << -1;
        QTest::newRow("start button corner") << QPointF(550, -250) << true << -1 << 0;
        QTest::newRow("start button bottom") << QPointF(550, -40) << true << -1 << 0;
        QTest::newRow("between the buttons") << QPointF(550, -20) << true << -1 << -1;
        QTest::newRow("reset button far corner") << QPointF(1015, 210) << true << -1 << 1;
        QTest::newRow("in the gap before them") << QPointF(549, -100) << true << -1 << -1;
        QTest::newRow("face's top left") << QPointF(-545, -295) << true << -1 << -1;
        QTest::newRow("face's bottom right") << QPointF(1075, 320) << true << -1 << -1;
        QTest::newRow("left of the face") << QPointF(-545.5, 0) << false << -1 << -1;
        QTest::newRow("above the face") << QPointF(0, -295.5) << false << -1 << -1;
        QTest::newRow("right of the face") << QPointF(1075.5, 0) << false << -1 << -1;
        QTest::newRow("below the face") << QPointF(0, 320.5) << false << -1 << -1;
    }
    void pointsOnAClock() {
        QFETCH(QPointF, offset);
        QFETCH(bool, face);
        QFETCH(int, hit);
        QFETCH(int, button);
        TestBoard b;
        addAt(b, {{3000, 2000}});
        const float x = float(3000 + offset.x()), y = float(2000 + offset.y());
        const BoardSelection sel(b.clocks);
        QCOMPARE(sel.topClockAt(x, y), face ? 0 : -1);
        QCOMPARE(sel.hitTest(x, y), hit);
        QCOMPARE(sel.buttonAt(x, y), button);
    }

    // Clock 1 lies on clock 0; clock 2's box covers the start button of clock 1. The clock drawn on top
    // answers, and a button hidden under another face does nothing.
    void topClockAnswers_data() {
        QTest::addColumn<QPointF>("point");
        QTest::addColumn<int>("hit");
        QTest::addColumn<QString>("states"); // after a click at the point
        QTest::newRow("on both boxes") << QPointF(3000, 2000) << 1 << "stop 60, stop 60, stop 60";
        QTest::newRow("start of the top one") << QPointF(3600, 1800) << -1 << "stop 60, run 60, stop 60";
        QTest::newRow("start under a face") << QPointF(3900, 1800) << 2 << "stop 60, stop 60, stop 60";
        QTest::newRow("nothing there") << QPointF(1000, 1000) << -1 << "stop 60, stop 60, stop 60";
    }
    void topClockAnswers() {
        QFETCH(QPointF, point);
        QFETCH(int, hit);
        QFETCH(QString, states);
        TestBoard b;
        addAt(b, {{3000, 2000}, {3000, 2000}, {4300, 1850}});
        BoardSelection sel(b.clocks);
        const float x = float(point.x()), y = float(point.y());
        QCOMPARE(sel.hitTest(x, y), hit);
        const int acted = sel.clickClockButtons(x, y); // the clock whose button ran, for a double click
        QCOMPARE(b.states(), states);
        QCOMPARE(acted, int(states.split(", ").indexOf(QRegularExpression("run.*"))));
    }

    // A click replaces or adds to the selection; an index no longer on the board (its clock was deleted
    // under the pointer) selects nothing.
    void clickSelect_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<bool>("exclusive");
        QTest::addColumn<QString>("after"); // from "01"
        QTest::newRow("first, alone") << 0 << true << "10";
        QTest::newRow("first, added") << 0 << false << "11";
        QTest::newRow("deleted, alone") << 2 << true << "00";
        QTest::newRow("deleted, added") << 2 << false << "01";
        QTest::newRow("none, added") << -1 << false << "01";
    }
    void clickSelect() {
        QFETCH(int, index);
        QFETCH(bool, exclusive);
        QFETCH(QString, after);
        TestBoard b;
        addAt(b, {{1000, 1000}, {3000, 1000}, {5000, 1000}});
        b.select("010");
        b.clocks.deleteSelected(); // the last clock moves down into the gap
        b.select("01");
        BoardSelection(b.clocks).clickSelect(index, exclusive);
        QCOMPARE(b.selection(), after);
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
        QList<QPointF> centres;
        for (int i = 0; i < 3; ++i)
            centres << QPointF(b.clocks.clock(i).myX(), b.clocks.clock(i).myY());
        QCOMPARE(centres, (QList<QPointF>{{1000, 1100}, {3100, 1000}, {5000, 1100}}));
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
