#include "TestBoard.h"

// The board's order, identifiers and removal.
class TestClockCollection : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    // New identifiers span 1-99999, redrawn while taken; links reach the lower index of a duplicate, if any.
    void identifiers() {
        TestBoard b;
        b.random.queue = {0.5, 0.5, 0.0, 0.9999999};
        b.random.queue.insert(b.random.queue.end(), 1000, 0.0); // every draw taken: the lowest free one
        b.play("1 20 20 5");
        QList<double> ids;
        for (int i = 0; i < 4; ++i)
            ids << b.clocks.clock(i).ID();
        QCOMPARE(ids, QList<double>({50000, 1, 99999, 2}));
        b.clocks.clock(0).setLinkID(777);
        b.play("| s0 t1 s0"); // completes with nobody to start, and restarts
        b.clocks.clock(1).setStoredId(777);
        b.clocks.clock(2).setStoredId(777);
        b.play("| t1");
        QCOMPARE(b.states(), "stop 0, run 19, stop 20, stop 5");
    }

    // Deleting keeps the order of the rest and renews the groups' in-use flags, but not their boxes.
    void deletion_data() {
        QTest::addColumn<QString>("selected");
        QTest::addColumn<int>("index"); // -1: delete the selection
        QTest::addColumn<QString>("left");
        QTest::newRow("one clock") << "" << 2 << "1, 2, 4, 5";
        QTest::newRow("the first") << "" << 0 << "2, 3, 4, 5";
        QTest::newRow("past the end") << "" << 5 << "1, 2, 3, 4, 5";
        QTest::newRow("below zero") << "" << -2 << "1, 2, 3, 4, 5";
        QTest::newRow("the selection") << "01011" << -1 << "1, 3";
        QTest::newRow("everything") << "11111" << -1 << "";
    }
    void deletion() {
        QFETCH(QString, selected);
        QFETCH(int, index);
        QFETCH(QString, left);
        TestBoard b;
        b.play("1 2 3 4 5");
        b.clocks.clock(2).setGroupNum(3);
        b.clocks.clock(4).setGroupNum(4);
        b.clocks.computeGroupBounds();
        b.clocks.clock(2).move(500, 500);
        b.select(selected);
        const clsClock* fourth = &b.clocks.clock(3);
        index == -1 ? b.clocks.deleteSelected() : b.clocks.deleteClock(index);
        const GroupTable& g = b.clocks.groups();
        QCOMPARE(b.states().remove("stop "), left); // each clock is known by its duration
        QCOMPARE(b.clocks.indexOf(fourth), left.split(", ").indexOf("4"));
        QVERIFY(g.group(3).inUse == left.contains('3') && g.group(4).inUse == left.contains('5'));
        QCOMPARE(g.group(3).left, 4500.f - 500 - 200);
        b.clocks.groups().setName(3, "Kitchen");
        b.clocks.removeAllClocks();
        QVERIFY(b.clocks.clockCount() == 0 && g.name(3).isEmpty() && !g.group(3).inUse && !g.group(4).inUse);
    }
};

QTEST_GUILESS_MAIN(TestClockCollection)
#include "tst_clockcollection.moc"
