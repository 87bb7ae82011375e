#include "TestBoard.h"
#include "clock/clsClock.h"
#include "core/IEventPump.h"
#include "core/IPassView.h"
#include "core/MainLoop.h"
#include "core/RepaintScheduler.h"

#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTest>

namespace {
// Sleeps by moving the fake clock to the moment the loop asked to be woken.
struct SleepingPump final : IEventPump {
    FakeTimeSource& time;
    QVector<std::optional<qint64>> requests;
    explicit SleepingPump(FakeTimeSource& t) : time(t) {}
    void dispatch(std::optional<qint64> wakeAtMs) override {
        requests << wakeAtMs;
        if (wakeAtMs && *wakeAtMs > time.nowMs())
            time.set(*wakeAtMs);
    }
};

struct CountingView final : IPassView {
    int presents = 0;
    void present() override { ++presents; }
};

struct Rig {
    TestBoard b;
    SleepingPump pump{b.time};
    CountingView view;
    RepaintScheduler repaint;
    MainLoop loop{b.clocks, b.time, b.options, pump, view, repaint};
};
} // namespace

// The loop's timing: catch-up, hold-ups, drift, mode switches and how it waits.
class TestMainLoop : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    // A modal dialog held the loop for 30.4 s while one clock ran.
    void heldLoop_data() {
        QTest::addColumn<bool>("sync");
        QTest::addColumn<double>("counted");
        QTest::newRow("synchronised catches up") << true << 30.0;
        QTest::newRow("unsynchronised counts one") << false << 1.0;
    }
    void heldLoop() {
        QFETCH(bool, sync);
        QFETCH(double, counted);
        Rig r;
        r.b.options.setChecked(Option::Sync, sync);
        clsClock& c = r.b.add(100);
        r.loop.advance(); // the first synchronised pass only sets the common second
        c.setActive(true);
        r.loop.advance();
        QCOMPARE(c.currentTime(), 100.0);
        r.b.time.advance(30400);
        r.loop.advance();
        QCOMPARE(c.currentTime(), 100.0 - counted);
        if (sync) {
            // The 0.4 s is carried: 0.6 s later the next second counts.
            r.b.time.advance(599);
            r.loop.advance();
            QCOMPARE(c.currentTime(), 70.0);
            r.b.time.advance(1);
            r.loop.advance();
            QCOMPARE(c.currentTime(), 69.0);
        }
    }

    void fractionIsCarried() {
        Rig r;
        clsClock& c = r.b.add(100);
        r.loop.advance();
        c.setActive(true);
        r.b.time.advance(1999);
        r.loop.advance();
        QCOMPARE(c.currentTime(), 99.0);
        r.b.time.advance(1);
        r.loop.advance();
        QCOMPARE(c.currentTime(), 98.0);
    }

    void longHoldIsCountedInBatches() {
        Rig r;
        clsClock& c = r.b.add(0);
        c.setCountType(1);
        r.loop.advance();
        c.setActive(true);
        r.b.time.advance(qint64(40000) * 1000 + 500); // more than a 16-bit count
        r.loop.advance();
        QCOMPARE(c.currentTime(), 40000.0);
    }

    // 24 hours of passes with random gaps: every clock shows exactly the elapsed whole seconds.
    void noDriftOverADay_data() {
        QTest::addColumn<bool>("sync");
        QTest::newRow("synchronised") << true;
        QTest::newRow("unsynchronised") << false;
    }
    void noDriftOverADay() {
        QFETCH(bool, sync);
        Rig r;
        r.b.options.setChecked(Option::Sync, sync);
        clsClock& c = r.b.add(0);
        c.setCountType(1);
        r.loop.advance();
        c.setActive(true);
        const qint64 start = r.b.time.nowMs();
        QRandomGenerator gaps(42);
        const qint64 day = qint64(24) * 3600 * 1000;
        while (r.b.time.nowMs() - start < day) {
            r.b.time.advance(gaps.bounded(51));
            r.loop.advance();
        }
        const qint64 elapsed = r.b.time.nowMs() - start;
        // Unsynchronised, a second counts once strictly more than 1000 ms have passed.
        const qint64 expected = sync ? elapsed / 1000 : (elapsed - 1) / 1000;
        QCOMPARE(qint64(c.currentTime()), expected);
    }

    void switchingToSyncDoesNotCountAgain() {
        Rig r;
        r.b.options.setChecked(Option::Sync, false);
        clsClock& c = r.b.add(100);
        r.loop.advance();
        c.setActive(true);
        for (int i = 0; i < 50; ++i) { // 5 s unsynchronised
            r.b.time.advance(100);
            r.loop.advance();
        }
        const double before = c.currentTime();
        QCOMPARE(before, 96.0);
        r.b.options.setChecked(Option::Sync, true);
        r.loop.advance();
        QCOMPARE(c.currentTime(), before);
        r.b.time.advance(999);
        r.loop.advance();
        QCOMPARE(c.currentTime(), before);
        r.b.time.advance(1);
        r.loop.advance();
        QCOMPARE(c.currentTime(), before - 1);
    }

    void switchingToOwnSecondsKeepsThePhase() {
        Rig r;
        clsClock& c = r.b.add(100);
        r.loop.advance();
        c.setActive(true);
        r.b.time.advance(3000);
        r.loop.advance();
        QCOMPARE(c.currentTime(), 97.0);
        r.b.time.advance(200);
        r.b.options.setChecked(Option::Sync, false);
        r.loop.advance();
        QCOMPARE(c.currentTime(), 97.0);
        r.b.time.advance(801);
        r.loop.advance();
        QCOMPARE(c.currentTime(), 96.0);
    }

    // A clock started 0.3 s into its own second counts 0.7 s later.
    void ownSecondKeepsItsPhase() {
        Rig r;
        r.b.options.setChecked(Option::Sync, false);
        clsClock& c = r.b.add(100);
        r.loop.advance(); // the clock's own second begins here
        r.b.time.advance(5300);
        c.setActive(true);
        r.b.time.advance(700);
        r.loop.advance();
        QCOMPARE(c.currentTime(), 100.0);
        r.b.time.advance(1);
        r.loop.advance();
        QCOMPARE(c.currentTime(), 99.0);
    }

    // The loop sleeps until the next due second instead of spinning.
    void waitsForTheNextSecond_data() {
        QTest::addColumn<bool>("sync");
        QTest::addColumn<double>("shown");
        // Started 0.1 s after the common second, and 0.1 s into the clock's own second.
        QTest::newRow("synchronised") << true << 88.0;
        QTest::newRow("unsynchronised") << false << 89.0;
    }
    void waitsForTheNextSecond() {
        QFETCH(bool, sync);
        QFETCH(double, shown);
        Rig r;
        r.b.options.setChecked(Option::Sync, sync);
        clsClock& c = r.b.add(100);
        r.loop.pass();
        r.b.time.advance(100);
        c.setActive(true);
        r.repaint.request();
        r.pump.requests.clear();
        const qint64 start = r.b.time.nowMs();
        for (int i = 0; i < 12; ++i)
            r.loop.pass();
        // Every pass slept until a second was due, counted it and painted it once.
        QCOMPARE(c.currentTime(), shown);
        QVERIFY(r.b.time.nowMs() - start >= 11000);
        for (const auto& wake : r.pump.requests)
            QVERIFY(wake.has_value());
        QCOMPARE(r.view.presents, 1 + int(100 - shown) + (sync ? 0 : 1));
    }

    void idleUnsynchronisedBoardSleepsUntilAnEvent() {
        Rig r;
        r.b.options.setChecked(Option::Sync, false);
        r.b.add(100);
        r.loop.pass(); // first paint
        r.loop.pass();
        QVERIFY(!r.pump.requests.last().has_value());
    }

    void repaintsAtMostOncePerFrame() {
        RepaintScheduler s;
        QVERIFY(s.takeDue(1000));
        s.request();
        QVERIFY(!s.takeDue(1010));
        QCOMPARE(s.dueAtMs(), qint64(1016));
        QVERIFY(s.takeDue(1016));
        QVERIFY(!s.takeDue(2000));
        QCOMPARE(s.dueAtMs(), qint64(-1));
    }

    void quitEndsTheLoop() {
        Rig r;
        r.loop.requestQuit(3);
        QCOMPARE(r.loop.run(), 3);
    }
};

QTEST_GUILESS_MAIN(TestMainLoop)
#include "tst_mainloop.moc"
