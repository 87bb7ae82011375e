#include "TestBoard.h"
#include "clock/clsClock.h"
#include "core/IAddClockHooks.h"

#include <QStandardPaths>
#include <QTest>

namespace {
struct RecordingHooks final : IAddClockHooks {
    QStringList calls;
    ClockCollection* clocks = nullptr;
    void arrangeAfterAdd() override { calls << "arrange"; }
    void showSetForm(int index) override {
        calls << QStringLiteral("dialog %1 of %2").arg(index).arg(clocks->clockCount());
    }
};

QStringList names(const ClockCollection& clocks) {
    QStringList out;
    for (int i = 0; i < clocks.clockCount(); ++i)
        out << clocks.clock(i).purpose();
    return out;
}
} // namespace

// The board: order, removal, identifiers and what links do.
class TestClockCollection : public QObject {
    Q_OBJECT

    void addNamed(TestBoard& b, const QStringList& list) {
        for (const QString& n : list)
            b.add(60).setPurpose(n);
    }

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void addClockRunsHooksInOrder_data() {
        QTest::addColumn<bool>("arrange");
        QTest::addColumn<QStringList>("calls");
        QTest::newRow("arrange on") << true << QStringList{"arrange", "dialog 1 of 2"};
        QTest::newRow("arrange off") << false << QStringList{"dialog 1 of 2"};
    }
    void addClockRunsHooksInOrder() {
        QFETCH(bool, arrange);
        QFETCH(QStringList, calls);
        TestBoard b;
        RecordingHooks hooks;
        hooks.clocks = &b.clocks;
        b.clocks.setAddClockHooks(&hooks);
        b.options.setChecked(Option::ViewArrange, arrange);
        b.add(1);
        QCOMPARE(b.clocks.addClock(), 1);
        QCOMPARE(hooks.calls, calls);
    }

    void deletionKeepsOrder_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<QStringList>("left");
        QTest::newRow("middle") << 1 << QStringList{"A", "C", "D"};
        QTest::newRow("first") << 0 << QStringList{"B", "C", "D"};
        QTest::newRow("past the end") << 7 << QStringList{"A", "B", "C", "D"};
        QTest::newRow("negative") << -1 << QStringList{"A", "B", "C", "D"};
    }
    void deletionKeepsOrder() {
        QFETCH(int, index);
        QFETCH(QStringList, left);
        TestBoard b;
        addNamed(b, {"A", "B", "C", "D"});
        b.clocks.deleteClock(index);
        QCOMPARE(names(b.clocks), left);
    }

    void deleteSelectedKeepsOthersInOrder() {
        TestBoard b;
        addNamed(b, {"A", "B", "C", "D", "E"});
        b.clocks.clock(1).setSelected(true);
        b.clocks.clock(3).setSelected(true);
        b.clocks.clock(4).setGroupNum(2);
        b.clocks.computeGroupBounds();
        QVERIFY(b.clocks.groups().group(2).inUse);
        b.clocks.clock(4).setSelected(true);
        b.clocks.deleteSelected();
        QCOMPARE(names(b.clocks), QStringList({"A", "C"}));
        QVERIFY(!b.clocks.groups().group(2).inUse);
        // Deleting nothing keeps every index.
        b.clocks.deleteSelected();
        QCOMPARE(names(b.clocks), QStringList({"A", "C"}));
    }

    void removeAllClearsGroups() {
        TestBoard b;
        addNamed(b, {"A", "B"});
        b.clocks.clock(0).setGroupNum(3);
        b.clocks.groups().setName(3, "Kitchen");
        b.clocks.computeGroupBounds();
        b.clocks.removeAllClocks();
        QCOMPARE(b.clocks.clockCount(), 0);
        for (int g = 0; g < 10; ++g) {
            QVERIFY(b.clocks.groups().name(g).isEmpty());
            QVERIFY(!b.clocks.groups().group(g).inUse);
        }
    }

    void newIdentifiersAreUnique() {
        TestBoard b;
        // The generator repeats itself; the second clock must draw again.
        b.random.queue = {0.25, 0.25, 0.25, 0.75};
        const double first = b.clocks.appendClock()->ID();
        const double second = b.clocks.appendClock()->ID();
        QCOMPARE(first, 25000.0);
        QCOMPARE(second, 75000.0);
    }

    void duplicateIdentifiersReachTheLowerIndex() {
        TestBoard b;
        clsClock& a = b.add(10);
        clsClock& twin1 = b.add(20);
        clsClock& twin2 = b.add(20);
        twin1.setStoredId(777);
        twin2.setStoredId(777);
        a.setLinkID(777);
        QCOMPARE(b.clocks.findClockIndex(777), 1);
        a.toggleStartStop();
        b.clocks.tickAll(10);
        QVERIFY(twin1.active());
        QVERIFY(!twin2.active());
        QCOMPARE(b.clocks.findClockIndex(4242), -1);
    }

    // A -> B -> C -> A: starting resets the next, completion passes the run along the ring.
    void chainAndRing() {
        TestBoard b;
        clsClock& a = b.add(2);
        clsClock& bb = b.add(3);
        clsClock& c = b.add(4);
        a.setLinkID(bb.ID());
        bb.setLinkID(c.ID());
        c.setLinkID(a.ID());
        bb.toggleStartStop();
        b.clocks.tickAll(1);  // B 2
        bb.toggleStartStop(); // B stops at 2
        a.toggleStartStop();  // starting A resets B
        QVERIFY(!bb.active());
        QCOMPARE(bb.currentTime(), 3.0);

        b.clocks.tickAll(1); // A 1
        b.clocks.tickAll(1); // A completes; B refilled, started and counts this batch: 2
        QVERIFY(!a.active());
        QVERIFY(bb.active());
        QCOMPARE(bb.currentTime(), 2.0);
        b.clocks.tickAll(1);
        b.clocks.tickAll(1); // B completes; C starts (resetting A) and counts: 3
        QVERIFY(!bb.active());
        QVERIFY(c.active());
        QCOMPARE(c.currentTime(), 3.0);
        for (int i = 0; i < 3; ++i)
            b.clocks.tickAll(1);
        // C completed and started A, which sits earlier: A counts from the next pass on.
        QVERIFY(!c.active());
        QVERIFY(a.active());
        QCOMPARE(a.currentTime(), 2.0);
        b.clocks.tickAll(1);
        QCOMPARE(a.currentTime(), 1.0);
    }

    void selfLinkedClockCannotStart() {
        TestBoard b;
        clsClock& c = b.add(20);
        c.setLinkID(c.ID());
        c.setCurrentTime(12);
        c.toggleStartStop();
        QVERIFY(!c.active());
        QCOMPARE(c.currentTime(), 20.0);
        c.setActive(true);
        QVERIFY(!c.active());
    }

    void stoppingNeverTouchesTheLink() {
        TestBoard b;
        clsClock& a = b.add(5);
        clsClock& target = b.add(9);
        a.setLinkID(target.ID());
        target.setActive(true);
        b.clocks.tickAll(2);
        a.setActive(false);
        QVERIFY(target.active());
        QCOMPARE(target.currentTime(), 7.0);
    }

    void linkToDeletedClockIsInert() {
        TestBoard b;
        clsClock& target = b.add(9);
        b.add(1).setLinkID(target.ID());
        b.clocks.deleteClock(0);
        clsClock& a = b.clocks.clock(0);
        a.toggleStartStop();
        b.clocks.tickAll(1);
        QVERIFY(!a.active());
        QCOMPARE(b.clocks.clockCount(), 1);
    }
};

QTEST_GUILESS_MAIN(TestClockCollection)
#include "tst_clockcollection.moc"
