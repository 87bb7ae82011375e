#include "TestBoard.h"
#include "clock/clsClock.h"

#include <QStandardPaths>
#include <QTest>

// One clock's defaults, geometry, counting, tick bands and completion.
class TestClock : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void newClockDefaults() {
        TestBoard b;
        b.random.queue = {0.5};
        clsClock& c = *b.clocks.appendClock();
        QCOMPARE(c.myX(), 4500.0f);
        QCOMPARE(c.myY(), 3000.0f);
        QCOMPARE(c.myLeft(), 4000.0);
        QCOMPARE(c.myRight(), 5000.0);
        QCOMPARE(c.myTop(), 2750.0);
        QCOMPARE(c.myBottom(), 3250.0);
        QCOMPARE(c.buttonCorner(0).x, 5050.0f);
        QCOMPARE(c.buttonCorner(0).y, 2750.0f);
        QCOMPARE(c.buttonCorner(1).y, 3000.0f);
        QCOMPARE(c.ID(), 50000.0);
        QCOMPARE(c.groupNum(), qint16(-1));
        QCOMPARE(c.linkID(), 0.0);
        QVERIFY(c.soundActive() && c.alarmActive() && !c.active() && !c.selected());
        QCOMPARE(c.alarmFile(), TestBoard::alarmPath());
        QCOMPARE(c.alarmVolume(), qint16(100));
        const qint16 vols[] = {5, 15, 50, 75, 100};
        for (int i = 0; i < 5; ++i)
            QCOMPARE(c.tickVol(i), vols[i]);
    }

    void identifierRange_data() {
        QTest::addColumn<double>("r");
        QTest::addColumn<double>("id");
        QTest::newRow("lowest") << 0.0 << 1.0;
        QTest::newRow("highest") << 0.9999999 << 99999.0;
    }
    void identifierRange() {
        QFETCH(double, r);
        QFETCH(double, id);
        TestBoard b;
        b.random.queue = {r};
        QCOMPARE(b.clocks.appendClock()->ID(), id);
    }

    void setTopLeftMovesButtons() {
        TestBoard b;
        clsClock& c = b.add(10);
        c.setTopLeft({400, 400});
        QCOMPARE(c.myX(), 900.0f);
        QCOMPARE(c.myY(), 650.0f);
        QCOMPARE(c.buttonCorner(0).x, 1450.0f);
        QCOMPARE(c.buttonCorner(0).y, 400.0f);
        QCOMPARE(c.buttonCorner(1).y, 650.0f);
        c.move(-100, 50);
        QCOMPARE(c.buttonCorner(1).x, 1350.0f);
        QCOMPARE(c.buttonCorner(1).y, 700.0f);
    }

    void setTickVolRejectsOutOfRange_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("percent");
        QTest::addColumn<bool>("stored");
        QTest::newRow("index 5") << 5 << 50 << false;
        QTest::newRow("index -1") << -1 << 50 << false;
        QTest::newRow("101 percent") << 2 << 101 << false;
        QTest::newRow("-1 percent") << 2 << -1 << false;
        QTest::newRow("silence band 4") << 4 << 0 << true;
    }
    void setTickVolRejectsOutOfRange() {
        QFETCH(int, index);
        QFETCH(int, percent);
        QFETCH(bool, stored);
        TestBoard b;
        clsClock& c = b.add(10);
        c.setTickVol(qint16(index), qint16(percent));
        const qint16 defaults[] = {5, 15, 50, 75, 100};
        for (int i = 0; i < 5; ++i)
            QCOMPARE(c.tickVol(i), (stored && i == index) ? qint16(percent) : defaults[i]);
    }

    void resetStopsAndRefills() {
        TestBoard b;
        clsClock& c = b.add(90);
        c.toggleStartStop();
        b.clocks.tickAll(5);
        QCOMPARE(c.currentTime(), 85.0);
        c.resetClock();
        QVERIFY(!c.active());
        QCOMPARE(c.currentTime(), 90.0);
    }

    // Volume of the tick heard for a clock that shows `time` before the second is counted.
    void tickBands_data() {
        QTest::addColumn<double>("time");
        QTest::addColumn<int>("countType");
        QTest::addColumn<int>("percent");
        QTest::newRow("band 0") << 61.0 << 0 << 5;
        QTest::newRow("band 1 at 60") << 60.0 << 0 << 15;
        QTest::newRow("band 2 at 45") << 45.0 << 0 << 50;
        QTest::newRow("band 3 at 16") << 16.0 << 0 << 75;
        QTest::newRow("band 3 at 30") << 30.0 << 0 << 75;
        QTest::newRow("band 4 at 15") << 15.0 << 0 << 100;
        QTest::newRow("band 4 below zero") << -2.0 << 0 << -1; // already run out: stops silently
        QTest::newRow("count up is soft") << 5.0 << 1 << 1;
    }
    void tickBands() {
        QFETCH(double, time);
        QFETCH(int, countType);
        QFETCH(int, percent);
        TestBoard b;
        clsClock& c = b.add(100);
        c.setCountType(qint16(countType));
        c.setCurrentTime(time);
        c.setActive(true);
        b.clocks.tickAll(1);
        if (percent < 0) {
            QCOMPARE(b.sound.count(true), 1);
            QVERIFY(!c.active());
            return;
        }
        QCOMPARE(b.sound.count(true), 1);
        const double expected = clsSound::millibelsToGain(clsSound::percentToMillibels(percent));
        QCOMPARE(b.sound.plays.first().gain, expected);
    }

    void sixteenSecondsThenFifteen() {
        TestBoard b;
        clsClock& c = b.add(16);
        c.toggleStartStop();
        b.clocks.tickAll(1);
        b.clocks.tickAll(1);
        QCOMPARE(c.currentTime(), 14.0);
        QCOMPARE(b.sound.plays[0].gain, clsSound::millibelsToGain(clsSound::percentToMillibels(75)));
        QCOMPARE(b.sound.plays[1].gain, 1.0);
    }

    void silentLastBandStillAlarms() {
        TestBoard b;
        clsClock& c = b.add(3);
        c.setTickVol(4, 0);
        c.toggleStartStop();
        for (int i = 0; i < 3; ++i)
            b.clocks.tickAll(1);
        QCOMPARE(b.sound.count(true), 0);
        QCOMPARE(b.sound.count(false), 1);
        QVERIFY(!c.active());
    }

    // A count-down clock completes exactly once, even when one count overshoots zero.
    void completion_data() {
        QTest::addColumn<double>("start");
        QTest::addColumn<int>("count");
        QTest::addColumn<double>("end");
        QTest::newRow("lands on zero") << 1.0 << 1 << 0.0;
        QTest::newRow("overshoots") << 1.0 << 3 << -2.0;
        QTest::newRow("fraction") << 0.5 << 1 << -0.5;
    }
    void completion() {
        QFETCH(double, start);
        QFETCH(int, count);
        QFETCH(double, end);
        TestBoard b;
        clsClock& a = b.add(start);
        clsClock& next = b.add(50);
        a.setLinkID(next.ID());
        a.toggleStartStop();
        b.clocks.tickAll(qint16(count));
        QCOMPARE(a.currentTime(), end);
        QVERIFY(!a.active());
        QCOMPARE(b.sound.count(false), 1);
        QVERIFY(next.active());
        // Started by the link later in the same walk, so it counted the same batch.
        QCOMPARE(next.currentTime(), 50.0 - count);

        // Pressing start below zero runs it again without a refill; its next count stops it silently.
        if (end < 0) {
            next.resetClock();
            a.toggleStartStop();
            QVERIFY(a.active());
            QCOMPARE(a.currentTime(), end);
            b.clocks.tickAll(1);
            QVERIFY(!a.active());
            QCOMPARE(a.currentTime(), end);
            QCOMPARE(b.sound.count(false), 1);
            QVERIFY(!next.active());
        }
    }

    void startAtZeroRefills() {
        TestBoard b;
        clsClock& c = b.add(30);
        c.setCurrentTime(0);
        c.toggleStartStop();
        QVERIFY(c.active());
        QCOMPARE(c.currentTime(), 30.0);
        c.toggleStartStop();
        QVERIFY(!c.active());
        QCOMPARE(c.currentTime(), 30.0);
    }

    void countUpNeverCompletes() {
        TestBoard b;
        clsClock& c = b.add(3);
        c.setCountType(1);
        c.setCurrentTime(0);
        c.setActive(true);
        for (int i = 0; i < 10; ++i)
            b.clocks.tickAll(1);
        QVERIFY(c.active());
        QCOMPARE(c.currentTime(), 10.0);
        QCOMPARE(b.sound.count(false), 0);
    }

    // Who may sound: mute, the clock's sound switch, and "Enable Alarm" for the alarm.
    void soundGates_data() {
        QTest::addColumn<bool>("mute");
        QTest::addColumn<bool>("soundActive");
        QTest::addColumn<bool>("alarmActive");
        QTest::addColumn<int>("ticks");
        QTest::addColumn<int>("alarms");
        QTest::newRow("all on") << false << true << true << 2 << 1;
        QTest::newRow("muted") << true << true << true << 0 << 0;
        QTest::newRow("sound off") << false << false << true << 0 << 0;
        QTest::newRow("alarm off") << false << true << false << 2 << 0;
    }
    void soundGates() {
        QFETCH(bool, mute);
        QFETCH(bool, soundActive);
        QFETCH(bool, alarmActive);
        QFETCH(int, ticks);
        QFETCH(int, alarms);
        TestBoard b;
        b.options.setChecked(Option::Mute, mute);
        clsClock& c = b.add(2);
        clsClock& next = b.add(10);
        c.setLinkID(next.ID());
        next.setSoundActive(false);
        c.setSoundActive(soundActive);
        c.setAlarmActive(alarmActive);
        c.toggleStartStop();
        b.clocks.tickAll(1);
        b.clocks.tickAll(1);
        QCOMPARE(b.sound.count(true), ticks);
        QCOMPARE(b.sound.count(false), alarms);
        // Silence never stops the clock or its chain.
        QVERIFY(!c.active());
        QVERIFY(next.active());
    }

    void alarmVolumeIsApplied() {
        TestBoard b;
        clsClock& c = b.add(1);
        c.setAlarmVolume(50);
        c.toggleStartStop();
        b.clocks.tickAll(1);
        QCOMPARE(b.sound.count(false), 1);
        QCOMPARE(b.sound.plays.last().gain, clsSound::millibelsToGain(-2000));
    }

    void missingTickFileStillCountsAndLogsOnce() {
        TestBoard b;
        b.sound.available = {TestBoard::alarmPath()};
        clsClock& c = b.add(5);
        c.toggleStartStop();
        for (int i = 0; i < 5; ++i)
            b.clocks.tickAll(1);
        QVERIFY(!c.active());
        QCOMPARE(c.currentTime(), 0.0);
        QCOMPARE(b.sound.count(false), 1);
        QCOMPARE(b.log.lines, QStringList({"Unable to initSounds", "Unable to set volume on ticks",
                                           "Unable to play tick"}));
    }
};

QTEST_GUILESS_MAIN(TestClock)
#include "tst_clock.moc"
