#include "TestBoard.h"
#include "sound/clsSound.h"

// Clocks on a board: counting, tick bands, completion, sounds and links.
class TestClock : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    // A board played by TestBoard::play after "mute" (the board), or for clock 0 "quiet" (sound off),
    // "noalarm" or "silent4" (last band at 0): the first tick's volume, ticks and alarms heard, the states.
    void counting_data() {
        textRows({"script", "seen"},
                 {{"band 0 at 61", "61 | s0 t1", "5% 1 0: run 60"},
                  {"band 1 at 60", "60 | s0 t1", "15% 1 0: run 59"},
                  {"band 2 at 45", "45 | s0 t1", "50% 1 0: run 44"},
                  {"band 3 at 30", "30 | s0 t1", "75% 1 0: run 29"},
                  {"band 4 at 15", "15 | s0 t1", "100% 1 0: run 14"},
                  {"count up: soft, never completes", "3u | s0 t10", "1% 1 0: run 13"},
                  // A count-down clock completes once; its link starts later in the same walk and counts too.
                  {"lands on zero", "1>1 50 | s0 t1", "100% 2 1: stop 0, run 49"},
                  {"a fraction", "0.5>1 50 | s0 t1", "100% 2 1: stop -0.5, run 49"},
                  {"start below zero runs on", "1>1 50 | s0 t3 r1 s0", "100% 2 1: run -2, stop 50"},
                  {"and stops silently", "1>1 50 | s0 t3 r1 s0 t1", "100% 3 1: stop -2, stop 50"},
                  {"count up stopped at zero", "0u | s0 s0", "- 0 0: stop 0"},
                  {"start at zero refills", "1 | s0 t1 s0", "100% 1 1: run 1"},
                  {"stopping leaves the link alone", "5>1 50 | s0 s1 t1 s0", "100% 2 0: stop 4, run 49"},
                  {"a link start refills", "50 1>0 | s1 s0 t1", "15% 2 1: run 50, stop 0"},
                  {"self-linked cannot start", "20>0 | s0", "- 0 0: stop 20"},
                  // A -> B -> C -> A. A sits before C, so when C starts it, A counts from the next pass on.
                  {"ring: A resets B", "2>1 3>2 4>0 | s1 t1 s0", "100% 1 0: run 2, stop 3, stop 4"},
                  {"ring: A to B", "2>1 3>2 4>0 | s0 t2", "100% 2 1: stop 0, run 1, stop 4"},
                  {"ring: B to C", "2>1 3>2 4>0 | s0 t2 t1", "100% 4 2: stop 2, stop 0, run 3"},
                  {"ring: C to A", "2>1 3>2 4>0 | s0 t2 t1 t3", "100% 5 3: run 2, stop 3, stop 0"},
                  // What the sound settings let through; the clock and its link run on.
                  {"mute", "mute 2>1 10 | s0 t1 t1", "- 0 0: stop 0, run 9"},
                  {"sound off", "quiet 2>1 10 | s0 t1 t1", "100% 1 0: stop 0, run 9"},
                  {"alarm off", "noalarm 2>1 10 | s0 t1 t1", "100% 3 0: stop 0, run 9"},
                  {"band 4 silent", "silent4 2>1 10 | s0 t1 t1", "100% 1 1: stop 0, run 9"}});
    }
    void counting() {
        QFETCH(QString, script);
        TestBoard b;
        const QString gate = script[0].isLetter() ? script.section(' ', 0, 0) : QString();
        b.play(script.mid(gate.size()).section('|', 0, 0));
        b.options.setChecked(Option::Mute, gate == "mute");
        b.clocks.clock(0).setSoundActive(gate != "quiet");
        b.clocks.clock(0).setAlarmActive(gate != "noalarm");
        b.clocks.clock(0).setTickVol(gate == "silent4" ? 4 : 5, 0); // a band the clock lacks is refused
        b.clocks.clock(0).setTickVol(2, 101);                       // and so is a volume past 100 %
        b.play("|" + script.section('|', 1));
        QString tick = "-";
        for (int percent = 0; percent <= 100 && tick == "-" && !b.sound.plays.isEmpty(); ++percent)
            if (b.sound.plays[0].gain == clsSound::millibelsToGain(clsSound::percentToMillibels(percent)))
                tick = QString::number(percent) + '%';
        QTEST(QString("%1 %2 %3: ").arg(tick).arg(b.sound.count(true)).arg(b.sound.count(false)) + b.states(),
              "seen");
    }
};

QTEST_GUILESS_MAIN(TestClock)
#include "tst_clock.moc"
