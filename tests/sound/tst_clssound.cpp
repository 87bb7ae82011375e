#include "TestBoard.h"
#include "clock/clsClock.h"
#include "sound/clsSound.h"

// One clock's sound over a fake device: volumes, the log-once rule, a device that comes late, the alarm file.
class TestClsSound : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    // A clock of 2 s runs out over two passes: what is heard ("t" tick, "a" alarm, at their gains), the
    // clock's end and the log's lines.
    void sounds_data() {
        textRows(
            {"setup", "heard"},
            {{"all well", "", "t1 t1 a1 stop 0"},
             {"volumes: linear in decibels, clamped", "volumes", "t1 t1 a0.01 stop 0"},
             {"no alarm file: one line", "no alarm", "t1 t1 stop 0; Unable to play chime"},
             {"a missing alarm keeps the good one", "bad alarm", "t1 t1 a0.1 stop 0"},
             {"ticks fail as the pass ends: once", "end fails", "t1 t1 a1 stop 0; Unable to play tick"},
             {"device found when a sound is wanted", "late device", "t1 t1 a1 stop 0; Unable to initSounds"},
             {"device found for the alarm alone", "late device, silent ticks",
              "a1 stop 0; Unable to initSounds"},
             {"no device at all", "no device",
              "stop 0; Unable to initSounds; Unable to set volume on ticks; Unable to play tick; "
              "Unable to play chime"},
             {"no tick file; logged again only after working in between", "no tick",
              "a1 stop 0; Unable to initSounds; Unable to set volume on ticks; Unable to play tick; "
              "Unable to initSounds; Unable to play tick"}});
    }
    void sounds() {
        QFETCH(QString, setup);
        QFETCH(QString, heard);
        TestBoard board;
        const QString good = TestBoard::folder() + QStringLiteral("/sounds/alarms/buzzer.wav");
        board.sound.available = {TestBoard::tickPath(), TestBoard::alarmPath(), good};
        if (setup.startsWith("no "))
            board.sound.available.removeAt(setup == "no tick" ? 0 : 1);
        board.sound.endPassFails = setup == "end fails";
        board.sound.deviceUp = !setup.contains("device");
        clsClock& clock = board.add(2); // its sounds are loaded now
        board.sound.deviceUp = setup != "no device";
        if (setup == "bad alarm") {
            clock.setAlarmFile(good);
            clock.setAlarmFile(QStringLiteral("/gone.wav"));
            clock.setAlarmVolume(50);
        }
        if (setup == "volumes") {
            clock.setAlarmVolume(-5);
        }
        clock.setTickVol(4, setup.endsWith("silent ticks") ? 0 : setup == "volumes" ? 120 : 100);
        clock.toggleStartStop();
        for (int pass = 0; pass < 3; ++pass)
            board.clocks.tickAll(1);
        if (setup == "no tick") { // it comes, is played, goes again
            board.sound.available << TestBoard::tickPath();
            clock.sound().initSounds();
            clock.sound().playTick();
            board.sound.available.clear();
            clock.sound().initSounds();
            clock.sound().playTick();
            board.sound.plays.pop_back();
        }
        QStringList out;
        for (const FakeSoundService::Play& p : board.sound.plays)
            out << (p.tick ? "t" : "a") + QString::number(p.gain, 'g', 3);
        QCOMPARE((QStringList{(out << board.states()).join(' ')} + board.log.lines).join("; "), heard);
    }
};

QTEST_GUILESS_MAIN(TestClsSound)
#include "tst_clssound.moc"
