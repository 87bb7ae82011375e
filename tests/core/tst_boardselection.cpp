#include "TestBoard.h"
#include "core/Arranger.h"
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

    // Rows from the top left, as many to a row as the canvas width allows: a left edge up to width - 1000.
    void autoArrange() {
        TestBoard b;
        addAt(b, QList<QPointF>(6, {-5000, 12345}));
        const auto arrangedAt = [&b](double width) {
            b.canvas.setSize(width, 6000);
            Arranger(b.clocks, b.canvas).autoArrange();
            return centres(b);
        };
        const QList<QPointF> row{{900, 650}, {3000, 650}, {5100, 650}, {7200, 650}, {9300, 650}, {900, 1750}};
        QCOMPARE(arrangedAt(10000), row);
        QCOMPARE(arrangedAt(9800), row);
        QCOMPARE(arrangedAt(9799), row.mid(0, 4) + QList<QPointF>({{900, 1750}, {3000, 1750}}));
        QCOMPARE(arrangedAt(1399).mid(0, 2), (QList<QPointF>{{900, 1750}, {900, 2850}})); // even the first
    }

    // Edges count as inside: a clock's box at (3000, 2000), and its start/stop (0) and reset (1) buttons.
    void pointsOnAClock() {
        TestBoard b;
        addAt(b, {{3000, 2000}});
        BoardSelection sel(b.clocks);
        QStringList seen; // the clock hit / the button under the point
        for (const QPointF& d :
             {QPointF(-500, 0), QPointF(500, 250), QPointF(-500.5, 0), QPointF(550, -250), QPointF(550, -40),
              QPointF(550, -20), QPointF(1015, 210), QPointF(549, -100)}) {
            const float x = float(3000 + d.x()), y = float(2000 + d.y());
            seen << QString("%1/%2").arg(sel.hitTest(x, y)).arg(b.clocks.clock(0).getButtonClick(x, y));
        }
        QCOMPARE(seen.join(' '), "0/-1 0/-1 -1/-1 -1/0 -1/0 -1/-1 -1/1 -1/-1");
    }

    // Where boxes and buttons overlap the lowest index answers, and only one clock acts.
    void lowestIndexWins() {
        TestBoard b;
        addAt(b, {{3400, 2000}, {3000, 2000}, {3000, 2000}, {4300, 1850}});
        BoardSelection sel(b.clocks);
        QCOMPARE(QList<int>({sel.hitTest(3000, 2000), sel.hitTest(2600, 2000), sel.hitTest(4000, 1800)}),
                 QList<int>({0, 1, 3}));
        sel.clickClockButtons(3600, 1800); // the start buttons of clocks 1 and 2, in clock 0's box
        sel.clickClockButtons(4000, 1800); // the start buttons of clocks 0, 1 and 2, in clock 3's box
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
