#include "TestBoard.h"
#include "sound/clsSound.h"

// Clocks on a board and their sound over a fake device: counting, tick bands, completion, links, failures.
class TestClock : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    // A board played after the gates in front: ticks and alarms heard and their gains, the states, the log.
    void counting_data() {
        textRows(
            {"script", "seen"},
            {{"bands at 61, 60, 45, 30, 15 s; counting up", "61 60 45 30 15 3u | s0 s1 s2 s3 s4 s5 t1",
              "6 0 t0.0126 t0.02 t0.1 t0.316 t1 t0.0105: run 60, run 59, run 44, run 29, run 14, run 4"},
             // A count-down clock completes once; its link starts later in the same walk and counts too.
             {"lands on zero", "1>1 50 | s0 t1", "2 1 t1 a1 t0.02: stop 0, run 49"},
             {"a fraction", "0.5>1 50 | s0 t1", "2 1 t1 a1 t0.02: stop -0.5, run 49"},
             {"started below zero: runs on a pass, then stops silently", "1>1 50 | s0 t3 r1 s0 t1",
              "3 1 t1 a1 t0.02: stop -2, stop 50"},
             {"start at zero refills", "1 | s0 t1 s0", "1 1 t1 a1: run 1"},
             {"stopping leaves the link alone", "5>1 50 | s0 s1 t1 s0", "2 0 t1 t0.02: stop 4, run 49"},
             {"a link start refills", "50 1>0 | s1 s0 t1", "2 1 t0.02 t1 a1: run 50, stop 0"},
             {"self-linked cannot start", "20>0 | s0", "0 0: stop 20"},
             // A -> B -> C -> A. A sits before C, so when C starts it, A counts from the next pass on.
             {"ring: A resets B", "2>1 3>2 4>0 | s1 t1 s0", "1 0 t1: run 2, stop 3, stop 4"},
             {"ring: C to A", "2>1 3>2 4>0 | s0 t2 t1 t3", "5 3 t1 a1: run 2, stop 3, stop 0"},
             {"mute", "mute 2>1 10 | s0 t1 t1", "0 0: stop 0, run 9"},
             {"sound off", "quiet 2>1 10 | s0 t1 t1", "1 0 t1: stop 0, run 9"},
             {"alarm off", "alarmoff 2>1 10 | s0 t1 t1", "3 0 t1: stop 0, run 9"},
             {"band 4 silent", "silent4 2>1 10 | s0 t1 t1", "1 1 a1 t1: stop 0, run 9"},
             {"alarm volume below 0: clamped", "low 2 | s0 t1 t1", "2 1 t1 a0.01: stop 0"},
             {"a missing alarm keeps the good one; 50 % is -20 dB", "badalarm 2 | s0 t1 t1",
              "2 1 t1 a0.1: stop 0"},
             // Failures are logged once; the device is looked for again when a sound is wanted.
             {"no alarm file", "noalarm 2 | s0 t1 t1", "2 0 t1: stop 0; Unable to play chime"},
             {"ticks fail as the pass ends", "endfails 2 | s0 t1 t1",
              "2 1 t1 a1: stop 0; Unable to play tick"},
             {"late device", "late 2 | s0 t1 t1", "2 1 t1 a1: stop 0; Unable to initSounds"},
             {"late device, for the alarm alone", "late silent4 2 | s0 t1 t1",
              "0 1 a1: stop 0; Unable to initSounds"},
             {"no device at all", "nodevice 2 | s0 t1 t1",
              "0 0: stop 0; Unable to initSounds; Unable to set volume on ticks; Unable to play tick; "
              "Unable to play chime"},
             {"no tick file; logged again only after working in between", "notick 2 | s0 t1 t1",
              "0 1 a1: stop 0; Unable to initSounds; Unable to set volume on ticks; Unable to play tick; "
              "Unable to initSounds; Unable to play tick"}});
    }
    void counting() {
        QFETCH(QString, script);
        TestBoard b;
        QStringList gates;
        while (script[0].isLetter()) {
            gates << script.section(' ', 0, 0);
            script = script.section(' ', 1);
        }
        const QString good = TestBoard::folder() + QStringLiteral("/sounds/alarms/buzzer.wav");
        b.sound.available = {TestBoard::tickPath(), TestBoard::alarmPath(), good};
        if (gates.contains("notick") || gates.contains("noalarm"))
            b.sound.available.removeAt(gates.contains("notick") ? 0 : 1);
        b.sound.endPassFails = gates.contains("endfails");
        b.sound.deviceUp = !gates.contains("late") && !gates.contains("nodevice");
        b.play(script.section('|', 0, 0)); // the clocks' sounds are loaded now
        b.sound.deviceUp = !gates.contains("nodevice");
        clsClock& clock = b.clocks.clock(0);
        b.options.setChecked(Option::Mute, gates.contains("mute"));
        clock.setSoundActive(!gates.contains("quiet"));
        clock.setAlarmActive(!gates.contains("alarmoff"));
        clock.setTickVol(gates.contains("silent4") ? 4 : 5, 0); // a band the clock lacks is refused
        clock.setTickVol(2, 101);                               // and so is a volume past 100 %
        if (gates.contains("badalarm")) {
            clock.setAlarmFile(good);
            clock.setAlarmFile(QStringLiteral("/gone.wav"));
        }
        clock.setAlarmVolume(gates.contains("low") ? -5 : gates.contains("badalarm") ? 50 : 100);
        b.play("|" + script.section('|', 1));
        if (gates.contains("notick")) { // it comes, is played, goes again
            b.sound.available << TestBoard::tickPath();
            clock.sound().initSounds();
            clock.sound().playTick();
            b.sound.available.clear();
            clock.sound().initSounds();
            clock.sound().playTick();
            b.sound.plays.pop_back();
        }
        QStringList heard{QString("%1 %2").arg(b.sound.count(true)).arg(b.sound.count(false))};
        for (const FakeSoundService::Play& p : b.sound.plays)
            if (!heard.contains((p.tick ? "t" : "a") + QString::number(p.gain, 'g', 3)))
                heard << (p.tick ? "t" : "a") + QString::number(p.gain, 'g', 3);
        QTEST((QStringList{heard.join(' ') + ": " + b.states()} + b.log.lines).join("; "), "seen");
    }
};

QTEST_GUILESS_MAIN(TestClock)
#include "tst_clock.moc"
