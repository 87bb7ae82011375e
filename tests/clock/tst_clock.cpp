#include "TestBoard.h"

// Clocks on a board: defaults, counting, tick bands, completion, sounds and links.
class TestClock : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    // Where a new clock stands, and which tick volumes it takes.
    void placeAndTickVolumes() {
        TestBoard b;
        clsClock& c = *b.clocks.appendClock();
        // The centre, the start/stop button's corner and the reset button's.
        const auto place = [&c] {
            const CanvasPoint start = c.buttonCorner(0), reset = c.buttonCorner(1);
            return QList<float>{c.myX(), c.myY(), start.x, start.y, reset.x, reset.y};
        };
        QCOMPARE(place(), QList<float>({4500, 3000, 5050, 2750, 5050, 3000}));
        const int volumes[][2] = {{5, 0}, {-1, 0}, {2, 101}, {2, -1}, {4, 0}}; // only the last in range
        for (const auto& v : volumes)
            c.setTickVol(qint16(v[0]), qint16(v[1]));
        QCOMPARE(QList<int>({c.tickVol(0), c.tickVol(1), c.tickVol(2), c.tickVol(3), c.tickVol(4)}),
                 QList<int>({5, 15, 50, 75, 0}));
        c.setTopLeft({400, 400});
        QCOMPARE(place(), QList<float>({900, 650, 1450, 400, 1450, 650}));
    }

    // Boards built and played by TestBoard::play: the first tick heard, the alarms and the states shown.
    void counting_data() {
        QTest::addColumn<QString>("script");
        QTest::addColumn<int>("tick"); // percent; -1: none heard
        QTest::addColumn<int>("alarms");
        QTest::addColumn<QString>("states");
        QTest::newRow("band 0 at 61") << "61 | s0 t1" << 5 << 0 << "run 60";
        QTest::newRow("band 1 at 60") << "60 | s0 t1" << 15 << 0 << "run 59";
        QTest::newRow("band 2 at 45") << "45 | s0 t1" << 50 << 0 << "run 44";
        QTest::newRow("band 3 at 30") << "30 | s0 t1" << 75 << 0 << "run 29";
        QTest::newRow("band 3 at 16") << "16 | s0 t1" << 75 << 0 << "run 15";
        QTest::newRow("band 4 at 15") << "15 | s0 t1" << 100 << 0 << "run 14";
        QTest::newRow("count up: soft, never completes") << "3u | s0 t10" << 1 << 0 << "run 13";
        // A count-down clock completes exactly once; its link starts later in the same walk and counts too.
        QTest::newRow("lands on zero") << "1>1 50 | s0 t1" << 100 << 1 << "stop 0, run 49";
        QTest::newRow("overshoots") << "1>1 50 | s0 t3" << 100 << 1 << "stop -2, run 47";
        QTest::newRow("a fraction") << "0.5>1 50 | s0 t1" << 100 << 1 << "stop -0.5, run 49";
        QTest::newRow("start below zero runs on") << "1>1 50 | s0 t3 r1 s0" << 100 << 1 << "run -2, stop 50";
        QTest::newRow("and stops silently") << "1>1 50 | s0 t3 r1 s0 t1" << 100 << 1 << "stop -2, stop 50";
        QTest::newRow("count up stopped at zero") << "0u | s0 s0" << -1 << 0 << "stop 0";
        QTest::newRow("start at zero refills") << "1 | s0 t1 s0" << 100 << 1 << "run 1";
        QTest::newRow("stopping leaves the link alone")
            << "5>1 50 | s0 s1 t1 s0" << 100 << 0 << "stop 4, run 49";
        QTest::newRow("a link start refills") << "50 1>0 | s1 s0 t1" << 15 << 1 << "run 50, stop 0";
        QTest::newRow("self-linked cannot start") << "20>0 | s0" << -1 << 0 << "stop 20";
        // A -> B -> C -> A. A sits before C, so when C starts it, A counts from the next pass on.
        QTest::newRow("ring: A resets B") << "2>1 3>2 4>0 | s1 t1 s0" << 100 << 0 << "run 2, stop 3, stop 4";
        QTest::newRow("ring: A to B") << "2>1 3>2 4>0 | s0 t2" << 100 << 1 << "stop 0, run 1, stop 4";
        QTest::newRow("ring: B to C") << "2>1 3>2 4>0 | s0 t2 t1" << 100 << 2 << "stop 2, stop 0, run 3";
        QTest::newRow("ring: C to A") << "2>1 3>2 4>0 | s0 t2 t1 t3" << 100 << 3 << "run 2, stop 3, stop 0";
    }
    void counting() {
        QFETCH(QString, script);
        QFETCH(int, tick);
        QFETCH(int, alarms);
        QFETCH(QString, states);
        TestBoard b;
        b.play(script);
        QCOMPARE(b.sound.plays.value(0).gain,
                 tick < 0 ? 0.0 : clsSound::millibelsToGain(clsSound::percentToMillibels(tick)));
        QCOMPARE(b.sound.count(false), alarms);
        QCOMPARE(b.states(), states);
    }

    // What mute, sound off, alarm off and a silent last band let through; the clock and its link run on.
    void soundGates_data() {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<int>("ticks");
        QTest::addColumn<int>("alarms");
        QTest::newRow("all on") << "all on" << 2 << 1;
        QTest::newRow("mute") << "mute" << 0 << 0;
        QTest::newRow("sound off") << "sound off" << 0 << 0;
        QTest::newRow("alarm off") << "alarm off" << 2 << 0;
        QTest::newRow("band 4 silent") << "band 4 silent" << 0 << 1;
    }
    void soundGates() {
        QFETCH(QString, setup);
        QFETCH(int, ticks);
        QFETCH(int, alarms);
        TestBoard b;
        b.options.setChecked(Option::Mute, setup == "mute");
        b.play("2>1 10");
        b.clocks.clock(1).setSoundActive(false);
        b.clocks.clock(0).setSoundActive(setup != "sound off");
        b.clocks.clock(0).setAlarmActive(setup != "alarm off");
        b.clocks.clock(0).setTickVol(4, setup == "band 4 silent" ? 0 : 100);
        b.play("| s0 t1 t1");
        QCOMPARE(b.states(), "stop 0, run 9");
        QCOMPARE(b.sound.count(true), ticks);
        QCOMPARE(b.sound.count(false), alarms);
    }
};

QTEST_GUILESS_MAIN(TestClock)
#include "tst_clock.moc"
