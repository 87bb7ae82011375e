#include "TestBoard.h"
#include "clock/clsClock.h"
#include "core/BoardSelection.h"

#include <QCoreApplication>
#include <QPointF>
#include <QStandardPaths>
#include <QTest>

namespace {
// Selection states as text, one character a clock in board order: "101" = clocks 0 and 2 selected.
QString selectionOf(const ClockCollection& clocks) {
    QString s;
    for (int i = 0; i < clocks.clockCount(); ++i)
        s += clocks.clock(i).selected() ? QLatin1Char('1') : QLatin1Char('0');
    return s;
}

void setSelection(ClockCollection& clocks, const QString& mask) {
    for (int i = 0; i < clocks.clockCount(); ++i)
        clocks.clock(i).setSelected(i < mask.size() && mask[i] == QLatin1Char('1'));
}

QString purposes(const ClockCollection& clocks) {
    QString s;
    for (int i = 0; i < clocks.clockCount(); ++i)
        s += clocks.clock(i).purpose();
    return s;
}

QPointF centre(const clsClock& c) {
    return {c.myX(), c.myY()};
}

// Clocks named A, B, C … at the given centres.
void addClocks(TestBoard& b, const QList<QPointF>& centres) {
    for (const QPointF& p : centres) {
        clsClock& c = b.add(60);
        c.setPurpose(QString(QChar(u'A' + b.clocks.clockCount() - 1)));
        c.setPosition(float(p.x()), float(p.y()));
    }
}
} // namespace

class TstBoardSelection : public QObject {
    Q_OBJECT
private slots:
    void hitTest_data();
    void hitTest();
    void hitTest_overlappingBoxesLowestIndexWins();
    void clickClockButtons_data();
    void clickClockButtons();
    void clickClockButtons_operatesOnlyTheLowestIndex();
    void clickClockButtons_buttonOverAnotherBox();
    void dragClock_data();
    void dragClock();
    void dragClock_groupBoundsFollowOnlyWhileShown_data();
    void dragClock_groupBoundsFollowOnlyWhileShown();
    void selectGroup_data();
    void selectGroup();
    void assignSelectedToGroup_data();
    void assignSelectedToGroup();
    void startStopSelected();
    void resetSelected();
    void deleteSelected_data();
    void deleteSelected();
    void deleteSelected_wholeGroupClearsItsUseOnly();
};

void TstBoardSelection::hitTest_data() {
    QTest::addColumn<float>("px");
    QTest::addColumn<float>("py");
    QTest::addColumn<int>("expected");
    // One clock centred at (3000, 2000): its box runs 2500..3500 by 1750..2250.
    QTest::newRow("centre") << 3000.f << 2000.f << 0;
    QTest::newRow("left edge") << 2500.f << 2000.f << 0;
    QTest::newRow("right edge") << 3500.f << 2000.f << 0;
    QTest::newRow("top edge") << 3000.f << 1750.f << 0;
    QTest::newRow("bottom edge") << 3000.f << 2250.f << 0;
    QTest::newRow("bottom-left corner") << 2500.f << 2250.f << 0;
    QTest::newRow("left of the box") << 2499.5f << 2000.f << -1;
    QTest::newRow("below the box") << 3000.f << 2250.5f << -1;
    QTest::newRow("on the start button") << 3600.f << 1800.f << -1;
}

void TstBoardSelection::hitTest() {
    QFETCH(float, px);
    QFETCH(float, py);
    QFETCH(int, expected);
    TestBoard b;
    BoardSelection sel(b.clocks);
    QCOMPARE(sel.hitTest(px, py), -1); // empty board
    addClocks(b, {{3000, 2000}});
    QCOMPARE(sel.hitTest(px, py), expected);
}

void TstBoardSelection::hitTest_overlappingBoxesLowestIndexWins() {
    TestBoard b;
    addClocks(b, {{3400, 2000}, {3000, 2000}, {3000, 2000}});
    BoardSelection sel(b.clocks);
    QCOMPARE(sel.hitTest(3000, 2000), 0);
    QCOMPARE(sel.hitTest(2600, 2000), 1);
}

void TstBoardSelection::clickClockButtons_data() {
    QTest::addColumn<float>("dx");
    QTest::addColumn<float>("dy");
    QTest::addColumn<bool>("active");
    QTest::addColumn<double>("time");
    // Points relative to the centre of a running clock with 30 of 60 seconds left.
    QTest::newRow("start/stop top-left corner") << 550.f << -250.f << false << 30.0;
    QTest::newRow("start/stop bottom edge") << 550.f << -40.f << false << 30.0;
    QTest::newRow("gap between the buttons") << 550.f << -20.f << true << 30.0;
    QTest::newRow("reset top-left corner") << 550.f << 0.f << false << 60.0;
    QTest::newRow("reset bottom-right corner") << 1015.f << 210.f << false << 60.0;
    QTest::newRow("right of the reset button") << 1016.f << 100.f << true << 30.0;
    QTest::newRow("left of the buttons") << 549.f << -100.f << true << 30.0;
    QTest::newRow("inside the box") << 0.f << 0.f << true << 30.0;
}

void TstBoardSelection::clickClockButtons() {
    QFETCH(float, dx);
    QFETCH(float, dy);
    QFETCH(bool, active);
    QFETCH(double, time);
    TestBoard b;
    addClocks(b, {{3000, 2000}});
    clsClock& c = b.clocks.clock(0);
    c.setActive(true);
    c.setCurrentTime(30);
    BoardSelection(b.clocks).clickClockButtons(3000 + dx, 2000 + dy);
    QCOMPARE(c.active(), active);
    QCOMPARE(c.currentTime(), time);
}

void TstBoardSelection::clickClockButtons_operatesOnlyTheLowestIndex() {
    TestBoard b;
    addClocks(b, {{3000, 2000}, {3000, 2000}});
    BoardSelection(b.clocks).clickClockButtons(3600, 1800);
    QVERIFY(b.clocks.clock(0).active());
    QVERIFY(!b.clocks.clock(1).active());
}

void TstBoardSelection::clickClockButtons_buttonOverAnotherBox() {
    TestBoard b;
    // Clock B's box (3800..4800 by 1600..2100) lies under A's start button (3550..4015 by 1750..1960).
    addClocks(b, {{3000, 2000}, {4300, 1850}});
    BoardSelection sel(b.clocks);
    sel.clickClockButtons(3900, 1850);
    QVERIFY(b.clocks.clock(0).active());
    QVERIFY(!b.clocks.clock(1).active());
    QCOMPARE(sel.hitTest(3900, 1850), 1);
}

void TstBoardSelection::dragClock_data() {
    QTest::addColumn<QString>("selected");
    QTest::addColumn<int>("grabbed");
    QTest::addColumn<bool>("armed");
    QTest::addColumn<QString>("moved");
    QTest::newRow("nothing selected") << "000" << 1 << true << "010";
    QTest::newRow("unselected clock, others selected") << "101" << 1 << true << "010";
    QTest::newRow("selected clock takes the selection") << "101" << 2 << true << "101";
    QTest::newRow("only the grabbed clock selected") << "010" << 1 << true << "010";
    QTest::newRow("first step after a load") << "101" << 2 << false << "000";
    QTest::newRow("index past the end") << "111" << 3 << true << "000";
    QTest::newRow("negative index") << "111" << -1 << true << "000";
}

void TstBoardSelection::dragClock() {
    QFETCH(QString, selected);
    QFETCH(int, grabbed);
    QFETCH(bool, armed);
    QFETCH(QString, moved);
    TestBoard b;
    addClocks(b, {{1000, 1000}, {3000, 1000}, {5000, 1000}});
    setSelection(b.clocks, selected);
    b.clocks.setDragArmed(armed);
    BoardSelection(b.clocks).dragClock(grabbed, 150, -45);
    QString actual;
    for (int i = 0; i < 3; ++i) {
        const QPointF start(1000 + 2000 * i, 1000);
        const QPointF now = centre(b.clocks.clock(i));
        if (now == start + QPointF(150, -45))
            actual += QLatin1Char('1');
        else if (now == start)
            actual += QLatin1Char('0');
        else
            actual += QLatin1Char('?');
    }
    QCOMPARE(actual, moved);
    QCOMPARE(selectionOf(b.clocks), selected); // dragging never changes the selection
    QVERIFY(b.clocks.dragArmed());             // a dropped step arms the next one
}

void TstBoardSelection::dragClock_groupBoundsFollowOnlyWhileShown_data() {
    QTest::addColumn<bool>("shown");
    QTest::addColumn<float>("left");
    QTest::newRow("view on") << true << 2300.f + 1000;
    QTest::newRow("view off: stale") << false << 2300.f;
}

void TstBoardSelection::dragClock_groupBoundsFollowOnlyWhileShown() {
    QFETCH(bool, shown);
    QFETCH(float, left);
    TestBoard b;
    addClocks(b, {{3000, 2000}});
    b.clocks.clock(0).setGroupNum(4);
    b.clocks.computeGroupBounds();
    b.options.setChecked(Option::ViewBounds, shown);
    BoardSelection(b.clocks).dragClock(0, 1000, 0);
    QCOMPARE(b.clocks.groups().group(4).left, left);
}

void TstBoardSelection::selectGroup_data() {
    QTest::addColumn<int>("group");
    QTest::addColumn<QString>("expected");
    // Groups of the clocks: 0, none, 5, 0, 9.
    QTest::newRow("group 0") << 0 << "10010";
    QTest::newRow("group 5") << 5 << "00100";
    QTest::newRow("group 9") << 9 << "00001";
    QTest::newRow("empty group deselects all") << 3 << "00000";
}

void TstBoardSelection::selectGroup() {
    QFETCH(int, group);
    QFETCH(QString, expected);
    TestBoard b;
    addClocks(b, {{1000, 1000}, {3000, 1000}, {5000, 1000}, {7000, 1000}, {1000, 3000}});
    const qint16 groups[] = {0, -1, 5, 0, 9};
    for (int i = 0; i < 5; ++i)
        b.clocks.clock(i).setGroupNum(groups[i]);
    setSelection(b.clocks, QStringLiteral("11111"));
    BoardSelection(b.clocks).selectGroup(group);
    QCOMPARE(selectionOf(b.clocks), expected);
}

void TstBoardSelection::assignSelectedToGroup_data() {
    QTest::addColumn<QString>("selected");
    QTest::addColumn<QList<int>>("groups");
    QTest::newRow("nothing selected") << "000" << QList<int>{5, -1, -1};
    QTest::newRow("two selected") << "011" << QList<int>{5, 2, 2};
}

void TstBoardSelection::assignSelectedToGroup() {
    QFETCH(QString, selected);
    QFETCH(QList<int>, groups);
    TestBoard b;
    b.options.setChecked(Option::ViewBounds, false);
    addClocks(b, {{3000, 2000}, {5000, 2000}, {7000, 2000}});
    b.clocks.clock(0).setGroupNum(5);
    b.clocks.computeGroupBounds();
    b.clocks.clock(0).move(1000, 0); // group 5's box is now stale
    setSelection(b.clocks, selected);

    BoardSelection(b.clocks).assignSelectedToGroup(2);

    for (int i = 0; i < 3; ++i)
        QCOMPARE(int(b.clocks.clock(i).groupNum()), groups[i]);
    QCOMPARE(selectionOf(b.clocks), selected);
    QCOMPARE(b.clocks.groups().group(5).left, 3300.f); // recomputed even with the view off
    QCOMPARE(b.clocks.groups().group(2).inUse, groups.contains(2));
}

void TstBoardSelection::startStopSelected() {
    TestBoard b;
    addClocks(b, {{1000, 1000}, {3000, 1000}, {5000, 1000}});
    BoardSelection sel(b.clocks);
    sel.startStopSelected(true); // nothing selected: nothing starts
    for (int i = 0; i < 3; ++i)
        QVERIFY(!b.clocks.clock(i).active());

    clsClock& linked = b.clocks.clock(2);
    b.clocks.clock(0).setLinkID(linked.ID());
    setSelection(b.clocks, QStringLiteral("110"));
    sel.startStopSelected(true);
    QVERIFY(b.clocks.clock(0).active() && b.clocks.clock(1).active());

    // Starting a running clock again still resets the clock it links to.
    linked.setActive(true);
    linked.setCurrentTime(12);
    sel.startStopSelected(true);
    QVERIFY(!linked.active());
    QCOMPARE(linked.currentTime(), 60.0);

    sel.startStopSelected(false);
    QVERIFY(!b.clocks.clock(0).active() && !b.clocks.clock(1).active());
}

void TstBoardSelection::resetSelected() {
    TestBoard b;
    addClocks(b, {{1000, 1000}, {3000, 1000}});
    for (int i = 0; i < 2; ++i) {
        b.clocks.clock(i).setActive(true);
        b.clocks.clock(i).setCurrentTime(7);
    }
    setSelection(b.clocks, QStringLiteral("01"));
    BoardSelection(b.clocks).resetSelected();
    QVERIFY(b.clocks.clock(0).active());
    QCOMPARE(b.clocks.clock(0).currentTime(), 7.0);
    QVERIFY(!b.clocks.clock(1).active());
    QCOMPARE(b.clocks.clock(1).currentTime(), 60.0);
}

void TstBoardSelection::deleteSelected_data() {
    QTest::addColumn<QString>("selected");
    QTest::addColumn<QString>("remaining");
    QTest::newRow("nothing selected") << "00000"
                                      << "ABCDE";
    QTest::newRow("clocks 1 and 3") << "01010"
                                    << "ACE";
    QTest::newRow("everything") << "11111"
                                << "";
}

void TstBoardSelection::deleteSelected() {
    QFETCH(QString, selected);
    QFETCH(QString, remaining);
    TestBoard b;
    addClocks(b, {{1000, 1000}, {3000, 1000}, {5000, 1000}, {7000, 1000}, {1000, 3000}});
    setSelection(b.clocks, selected);
    BoardSelection(b.clocks).deleteSelected();
    QCOMPARE(purposes(b.clocks), remaining);
}

void TstBoardSelection::deleteSelected_wholeGroupClearsItsUseOnly() {
    TestBoard b;
    addClocks(b, {{1000, 1000}, {3000, 1000}, {5000, 3000}});
    b.clocks.clock(0).setGroupNum(2);
    b.clocks.clock(1).setGroupNum(2);
    b.clocks.clock(2).setGroupNum(3);
    b.clocks.computeGroupBounds();
    const GroupRecord before = b.clocks.groups().group(3);
    b.clocks.clock(2).move(500, 500);
    setSelection(b.clocks, QStringLiteral("110"));

    BoardSelection(b.clocks).deleteSelected();

    QVERIFY(!b.clocks.groups().group(2).inUse);
    QVERIFY(b.clocks.groups().group(3).inUse);
    QCOMPARE(b.clocks.groups().group(3).left, before.left); // not recomputed
    QCOMPARE(b.clocks.groups().group(3).bottom, before.bottom);
}

int main(int argc, char* argv[]) {
    QStandardPaths::setTestModeEnabled(true);
    QCoreApplication app(argc, argv);
    TstBoardSelection test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_boardselection.moc"
