#include "TestBoard.h"
#include "core/BoardSelection.h"

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

    // Edges count as inside. A clock at (3000, 2000): the clock on top at the point (its face's cover), the
    // clock whose box holds it, and the button there (0 start/stop, 1 reset).
    void pointsOnAClock_data() {
        textRows({"offset", "found"}, {{"top left corner", "-500,-250", "0 0 -1"},
                                       {"bottom right corner", "500,250", "0 0 -1"},
                                       {"just left of the box", "-500.5,0", "0 -1 -1"},
                                       {"start button corner", "550,-250", "0 -1 0"},
                                       {"start button bottom", "550,-40", "0 -1 0"},
                                       {"between the buttons", "550,-20", "0 -1 -1"},
                                       {"reset button far corner", "1015,210", "0 -1 1"},
                                       {"in the gap before them", "549,-100", "0 -1 -1"},
                                       {"face's top left", "-545,-295", "0 -1 -1"},
                                       {"face's bottom right", "1075,320", "0 -1 -1"},
                                       {"left of the face", "-545.5,0", "-1 -1 -1"},
                                       {"above the face", "0,-295.5", "-1 -1 -1"},
                                       {"right of the face", "1075.5,0", "-1 -1 -1"},
                                       {"below the face", "0,320.5", "-1 -1 -1"}});
    }
    void pointsOnAClock() {
        QFETCH(QString, offset);
        QFETCH(QString, found);
        TestBoard b;
        addAt(b, {{3000, 2000}});
        const float x = 3000 + offset.section(',', 0, 0).toFloat(),
                    y = 2000 + offset.section(',', 1).toFloat();
        const BoardSelection sel(b.clocks);
        QCOMPARE(QStringLiteral("%1 %2 %3")
                     .arg(sel.topClockAt(x, y))
                     .arg(sel.hitTest(x, y))
                     .arg(sel.buttonAt(x, y)),
                 found);
    }

    // Clock 1 lies on clock 0; clock 2's box covers the start button of clock 1. The clock drawn on top
    // answers, and a button hidden under another face does nothing. Then: the clock hit, the clock whose
    // button ran after a click there (for a double click), and the board.
    void topClockAnswers_data() {
        textRows({"point", "after"}, {{"on both boxes", "3000,2000", "1 -1 stop 60, stop 60, stop 60"},
                                      {"start of the top one", "3600,1800", "-1 1 stop 60, run 60, stop 60"},
                                      {"start under a face", "3900,1800", "2 -1 stop 60, stop 60, stop 60"},
                                      {"nothing there", "1000,1000", "-1 -1 stop 60, stop 60, stop 60"}});
    }
    void topClockAnswers() {
        QFETCH(QString, point);
        QFETCH(QString, after);
        TestBoard b;
        addAt(b, {{3000, 2000}, {3000, 2000}, {4300, 1850}});
        BoardSelection sel(b.clocks);
        const float x = point.section(',', 0, 0).toFloat(), y = point.section(',', 1).toFloat();
        const int hit = sel.hitTest(x, y);
        const int acted = sel.clickClockButtons(x, y);
        QCOMPARE(QStringLiteral("%1 %2 ").arg(hit).arg(acted) + b.states(), after);
    }

    // A click replaces or adds to the selection ("01" before); an index no longer on the board (its clock
    // was deleted under the pointer) selects nothing.
    void clickSelect_data() {
        textRows({"click", "after"}, {{"first, alone", "0 alone", "10"},
                                      {"first, added", "0 added", "11"},
                                      {"deleted, alone", "2 alone", "00"},
                                      {"deleted, added", "2 added", "01"},
                                      {"none, added", "-1 added", "01"}});
    }
    void clickSelect() {
        QFETCH(QString, click);
        QFETCH(QString, after);
        TestBoard b;
        addAt(b, {{1000, 1000}, {3000, 1000}, {5000, 1000}});
        b.select("010");
        b.clocks.deleteSelected(); // the last clock moves down into the gap
        b.select("01");
        BoardSelection(b.clocks).clickSelect(click.section(' ', 0, 0).toInt(), click.endsWith("alone"));
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
        QCOMPARE(b.centres(), "1000,1100 3100,1000 5000,1100");
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
