#include "TestBoard.h"
#include "core/IEventPump.h"
#include "core/IPassView.h"
#include "core/MainLoop.h"
#include "core/RepaintScheduler.h"

#include <QRandomGenerator>

namespace {
// A loop with one running count-up clock. Its dispatch notes the wake-up asked for and, when following,
// sleeps by moving the fake clock there.
struct Rig final : IEventPump, IPassView {
    TestBoard b;
    clsClock& c = b.add(0);
    RepaintScheduler repaint;
    MainLoop loop{b.clocks, b.time, b.options, *this, *this, repaint};
    std::optional<qint64> wake;
    bool follow = true;
    QString presented; // w: the whole board, c: the changed clocks

    explicit Rig(bool sync) {
        b.options.setChecked(Option::Sync, sync);
        c.setCountType(1);
        loop.advance(); // the first synchronised pass only sets the common second
        c.setActive(true);
    }
    void dispatch(std::optional<qint64> wakeAtMs) override {
        wake = wakeAtMs;
        if (follow)
            b.time.set(std::max(b.time.nowMs(), wakeAtMs.value_or(0)));
    }
    void present() override { presented += 'w'; }
    void presentChangedClocks() override { presented += 'c'; }
    void advanceAfter(qint64 ms) {
        b.time.advance(ms);
        loop.advance();
    }
};
} // namespace

// The loop's timing: catch-up after a hold, carried fractions, mode switches, starts, drift, how it sleeps
// and what it repaints.
class TestMainLoop : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    // The seconds shown after each step: N, N ms and then an advance; S or U, synchronised or unsynchronised
    // from the next advance on; s, start/stop and an advance; W N, a pass and then a sleep of N ms, which the
    // loop must not want to cut short; T N, N switches of mode, each followed 499 ms later by an advance;
    // R N, advances N ms long with random gaps of 0-50 ms; P N, N passes that sleep as asked; p, one pass
    // that stays at the moment; r, a repaint asked for; w, "w" and the ms until the loop would wake; q, "q1"
    // if a repaint is pending (it is then painted), else "q0"; v, "v" and what was presented since the last
    // v. Steps S, U and r show nothing. Modes: s synchronised, u unsynchronised, su both.
    void timing_data() {
        textRows(
            {"steps", "modes", "shown"},
            {// A modal dialog held the loop for 30.4 s; synchronised, the 0.4 s is carried to the next count.
             {"held, synchronised", "30400 599 1", "s", "30 30 31"},
             {"held, unsynchronised counts one", "30400 599 1", "u", "1 1 1"},
             {"held past 16 bits", "40000500", "s", "40000"},
             // Switching keeps the clock's phase: nothing counted twice, no part of a second lost.
             {"to synchronised", "1300 S 700 1", "u", "1 2 2"},
             {"to unsynchronised", "1500 U 500 1", "s", "1 1 2"},
             {"switched twenty times", "T20 21", "u", "9 10"},
             // Nothing runs, so the loop sleeps; a start then counts a second on the phase the clock had.
             {"start after a quiet spell, synchronised", "s W5300 s 700 1", "s", "0 0 0 1 1"},
             {"start a second after the common count", "s W1000 s 999 1", "s", "0 0 0 0 1"},
             {"start after a quiet spell, unsynchronised", "s W5300 s 700 1", "u", "0 0 0 0 1"},
             {"own second a second after the last", "s W1000 s 1000 1", "u", "0 0 0 1 1"},
             // The random walk ends exactly a day on; own seconds count once more than 1000 ms have passed.
             {"a day without drift, synchronised", "R86400000 1", "s", "86400 86400"},
             {"a day without drift, unsynchronised", "R86400000 1", "u", "86399 86400"},
             {"sleeps to the next second", "P12", "su", "11"},
             {"wakes for the common second", "p 300 w", "s", "0 0 w700"},
             {"wakes once the own second is over", "p 300 w", "u", "0 0 w701"},
             {"a count asks for a repaint", "q 1001 q 500 q", "su", "q1 1 q1 1 q0"},
             {"a repaint between frames wakes the loop", "s p 5 r w", "s", "0 0 0 w11"},
             // The first picture is the whole board, a count repaints the changed clocks, then nothing.
             {"a count repaints the changed clocks", "P1 v P1 v s P1 v", "s", "0 vw 1 vc 1 1 v"}});
    }
    void timing() {
        QFETCH(QString, steps);
        QFETCH(QString, modes);
        QFETCH(QString, shown);
        for (const QChar mode : modes) {
            Rig r(mode == 's');
            QRandomGenerator gaps(42);
            QStringList seen;
            for (const QString& step : steps.split(' ')) {
                const qint64 n = step.mid(1).toLongLong(), now = r.b.time.nowMs();
                switch (step[0].toLatin1()) {
                case 'S':
                case 'U':
                    r.b.options.setChecked(Option::Sync, step == "S");
                    continue;
                case 'r':
                    r.repaint.request();
                    continue;
                case 'q':
                    seen << QStringLiteral("q%1").arg(int(r.repaint.takeDue(now)));
                    continue;
                case 'w':
                    seen << QStringLiteral("w%1").arg(r.loop.nextWakeMs().value_or(now - 1) - now);
                    continue;
                case 'v':
                    seen << 'v' + std::exchange(r.presented, QString());
                    continue;
                case 's':
                    r.c.toggleStartStop();
                    r.loop.advance();
                    break;
                case 'W':
                case 'p':
                    r.follow = false;
                    r.loop.pass();
                    r.follow = true;
                    QVERIFY2(!r.wake || *r.wake >= now + n,
                             qPrintable(QString::number(r.wake.value_or(now) - now)));
                    r.b.time.advance(n);
                    break;
                case 'T':
                    for (int i = 0; i < n; ++i) {
                        r.b.options.setChecked(Option::Sync, !r.b.options.isChecked(Option::Sync));
                        r.advanceAfter(499);
                    }
                    break;
                case 'R':
                    while (r.b.time.nowMs() < now + n)
                        r.advanceAfter(gaps.bounded(51));
                    break;
                case 'P':
                    for (int i = 0; i < n; ++i)
                        r.loop.pass();
                    break;
                default:
                    r.advanceAfter(step.toLongLong());
                }
                seen << QString::number(r.c.currentTime());
            }
            QCOMPARE(seen.join(' '), shown);
        }
    }

    // w: the whole board asked for; c: changed clocks asked for; then what the next take gives, once a frame
    // has passed since the first picture (pending from the start).
    void repaintKinds_data() {
        textRows({"asked", "taken"}, {{"nothing", "", "0"},
                                      {"changed clocks", "c", "1"},
                                      {"whole", "w", "2"},
                                      {"whole, then changed clocks", "wc", "2"},
                                      {"changed clocks, then whole", "cw", "2"}});
    }
    void repaintKinds() {
        QFETCH(QString, asked);
        QFETCH(QString, taken);
        using R = RepaintScheduler::Repaint;
        RepaintScheduler s;
        QCOMPARE(s.take(0), R::Whole);
        for (QChar k : asked)
            k == 'w' ? s.request() : s.requestChangedClocks();
        QCOMPARE(s.dueAtMs(), asked.isEmpty() ? -1 : RepaintScheduler::frameMs);
        const R kinds[] = {s.take(5), s.take(RepaintScheduler::frameMs), s.take(1000)};
        QCOMPARE(QList<R>(std::begin(kinds), std::end(kinds)),
                 QList<R>({R::None, R(taken.toInt()), R::None}));
    }
};

QTEST_GUILESS_MAIN(TestMainLoop)
#include "tst_mainloop.moc"
