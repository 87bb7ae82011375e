#include "TestBoard.h"

// Clocks on their board: defaults, counting, sounds, links, identifiers and removal.
class TestClock : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void newClockDefaultsAndGeometry() {
        TestBoard b;
        clsClock& c = *b.clocks.appendClock();
        // The centre, the start/stop button's corner and the reset button's.
        const auto place = [&c] {
            const CanvasPoint start = c.buttonCorner(0), reset = c.buttonCorner(1);
            return QList<float>{c.myX(), c.myY(), start.x, start.y, reset.x, reset.y};
        };
        QCOMPARE(place(), QList<float>({4500, 3000, 5050, 2750, 5050, 3000}));
        QVERIFY(c.soundActive() && c.alarmActive() && !c.active() && !c.selected());
        QVERIFY(c.groupNum() == -1 && c.linkID() == 0.0 && c.alarmVolume() == 100);
        QCOMPARE(c.alarmFile(), TestBoard::alarmPath());
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
        QTest::newRow("band 3 at 16") << "16 | s0 t1" << 75 << 0 << "run 15";
        QTest::newRow("band 4 at 15") << "15 | s0 t1" << 100 << 0 << "run 14";
        QTest::newRow("count up: soft, never completes") << "3u | s0 t10" << 1 << 0 << "run 13";
        // A count-down clock completes exactly once; its link starts later in the same walk and counts too.
        QTest::newRow("lands on zero") << "1>1 50 | s0 t1" << 100 << 1 << "stop 0, run 49";
        QTest::newRow("overshoots") << "1>1 50 | s0 t3" << 100 << 1 << "stop -2, run 47";
        QTest::newRow("a fraction") << "0.5>1 50 | s0 t1" << 100 << 1 << "stop -0.5, run 49";
        QTest::newRow("start below zero runs on") << "1>1 50 | s0 t3 r1 s0" << 100 << 1 << "run -2, stop 50";
        QTest::newRow("and stops silently") << "1>1 50 | s0 t3 r1 s0 t1" << 100 << 1 << "stop -2, stop 50";
        QTest::newRow("start at zero refills") << "1 | s0 t1 s0" << 100 << 1 << "run 1";
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
    void soundGates() {
        QStringList heard;
        for (const QString setup : {"all on", "mute", "sound off", "alarm off", "band 4 silent"}) {
            TestBoard b;
            b.options.setChecked(Option::Mute, setup == "mute");
            b.play("2>1 10");
            b.clocks.clock(1).setSoundActive(false);
            b.clocks.clock(0).setSoundActive(setup != "sound off");
            b.clocks.clock(0).setAlarmActive(setup != "alarm off");
            b.clocks.clock(0).setTickVol(4, setup == "band 4 silent" ? 0 : 100);
            b.play("| s0 t1 t1");
            QCOMPARE(b.states(), "stop 0, run 9");
            heard << QString("%1/%2").arg(b.sound.count(true)).arg(b.sound.count(false)); // ticks/alarms
        }
        QCOMPARE(heard, QStringList({"2/1", "0/0", "0/0", "2/0", "0/1"}));
    }

    // New identifiers span 1-99999, redrawn while taken; links reach the lower index of a duplicate, if any.
    void identifiers() {
        TestBoard b;
        b.random.queue = {0.5, 0.5, 0.0, 0.9999999};
        b.play("1 20 20");
        QCOMPARE(QList<double>({b.clocks.clock(0).ID(), b.clocks.clock(1).ID(), b.clocks.clock(2).ID()}),
                 QList<double>({50000, 1, 99999}));
        b.clocks.clock(0).setLinkID(777);
        b.play("| s0 t1 s0"); // completes with nobody to start, and restarts
        b.clocks.clock(1).setStoredId(777);
        b.clocks.clock(2).setStoredId(777);
        b.play("| t1");
        QCOMPARE(b.states(), "stop 0, run 19, stop 20");
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
        index == -1 ? b.clocks.deleteSelected() : b.clocks.deleteClock(index);
        const GroupTable& g = b.clocks.groups();
        QCOMPARE(b.states().remove("stop "), left); // each clock is known by its duration
        QVERIFY(g.group(3).inUse == left.contains('3') && g.group(4).inUse == left.contains('5'));
        QCOMPARE(g.group(3).left, 4500.f - 500 - 200);
        b.clocks.groups().setName(3, "Kitchen");
        b.clocks.removeAllClocks();
        QVERIFY(b.clocks.clockCount() == 0 && g.name(3).isEmpty() && !g.group(3).inUse && !g.group(4).inUse);
    }
};

QTEST_GUILESS_MAIN(TestClock)
#include "tst_clock.moc"
