#include "TestBoard.h"
#include "clock/clsClock.h"
#include "sound/clsSound.h"

// One clock's sound over a fake device: the volume mapping, the log-once rule, a device that comes late
// and the alarm file.
class TestClsSound : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    // Percent to millibels is linear and clamped at both ends.
    void volumeMapping() {
        QCOMPARE(QList<int>({clsSound::percentToMillibels(-5), clsSound::percentToMillibels(1),
                             clsSound::percentToMillibels(50), clsSound::percentToMillibels(120)}),
                 QList<int>({-4000, -3960, -2000, 0}));
    }

    // Without its tick file a clock still counts down and completes; each failure is logged once,
    // and again only after the same operation has worked in between.
    void missingTickFile() {
        TestBoard board;
        board.sound.available = {TestBoard::alarmPath()};
        clsClock& clock = board.add(20);
        clock.toggleStartStop();
        for (int i = 0; i < 20; ++i)
            board.clocks.tickAll(1);
        QVERIFY(!clock.active() && clock.currentTime() == 0.0);
        QCOMPARE(board.log.lines.join("; "),
                 "Unable to initSounds; Unable to set volume on ticks; Unable to play tick");

        board.sound.available << TestBoard::tickPath();
        clock.sound().initSounds();
        clock.sound().playTick();
        board.sound.available.clear();
        clock.sound().initSounds();
        clock.sound().playTick();
        QCOMPARE(board.log.lines.mid(3), QStringList({"Unable to initSounds", "Unable to play tick"}));
    }

    // A clock of 2 s runs out over two passes: what is heard (ticks and alarms) and what the log holds.
    void failuresLogged_data() {
        textRows(
            {"setup", "heard"}, // ticks, alarms; then the log's lines
            {{"all well", "", "2 1"},
             {"no alarm file: one line", "no alarm", "2 0; Unable to play chime"},
             {"ticks fail as the pass ends: once", "end fails", "2 1; Unable to play tick"},
             {"device found when a sound is wanted", "late device", "2 1; Unable to initSounds"},
             {"device found for the alarm alone", "late device, silent ticks", "0 1; Unable to initSounds"},
             {"no device at all", "no device",
              "0 0; Unable to initSounds; Unable to set volume on ticks; Unable to play tick; "
              "Unable to play chime"}});
    }
    void failuresLogged() {
        QFETCH(QString, setup);
        QFETCH(QString, heard);
        TestBoard board;
        if (setup == "no alarm")
            board.sound.available = {TestBoard::tickPath()};
        board.sound.endPassFails = setup == "end fails";
        board.sound.deviceUp = !setup.contains("device");
        clsClock& clock = board.add(2);
        board.sound.deviceUp = setup != "no device";
        clock.setTickVol(4, setup.endsWith("silent ticks") ? 0 : 100);
        clock.toggleStartStop();
        board.clocks.tickAll(1);
        board.clocks.tickAll(1);
        const QString counts =
            QStringLiteral("%1 %2").arg(board.sound.count(true)).arg(board.sound.count(false));
        QCOMPARE((QStringList{counts} + board.log.lines).join("; "), heard);
    }

    // A missing alarm file set after a good one keeps the good sound, at the clock's alarm volume.
    void missingAlarmKeepsTheGoodSound() {
        TestBoard board;
        const QString good = TestBoard::folder() + QStringLiteral("/sounds/alarms/buzzer.wav");
        board.sound.available << good;
        clsClock& clock = board.add(1);
        clock.setAlarmFile(good);
        clock.setAlarmFile(QStringLiteral("/gone.wav"));
        QCOMPARE(clock.alarmFile(), QStringLiteral("/gone.wav"));
        clock.setAlarmVolume(50);
        clock.toggleStartStop();
        board.clocks.tickAll(1);
        QCOMPARE(board.sound.plays.last().path, good);
        QCOMPARE(board.sound.plays.last().gain, 0.1);
        QVERIFY(board.log.lines.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestClsSound)
#include "tst_clssound.moc"
