#include "TestBoard.h"
#include "core/IEventPump.h"
#include "core/IPassView.h"
#include "core/MainLoop.h"
#include "core/RepaintScheduler.h"

#include <QRandomGenerator>
#include <functional>
#include <map>

namespace {
// A loop on a fake clock with a running count-up clock; dispatch sleeps to the wake-up asked for.
struct Rig final : IEventPump, IPassView {
    TestBoard b;
    RepaintScheduler repaint;
    MainLoop loop{b.clocks, b.time, b.options, *this, *this, repaint};
    clsClock& c = b.add(0);
    std::optional<qint64> wake;
    int lateMs = 0;
    QRandomGenerator late{7};
    QString presented; // w: the whole board, c: the changed clocks

    explicit Rig(bool sync) {
        b.options.setChecked(Option::Sync, sync);
        c.setCountType(1);
        loop.advance(); // the first synchronised pass only sets the common second
        c.setActive(true);
    }
    void dispatch(std::optional<qint64> wakeAtMs) override {
        wake = wakeAtMs;
        const qint64 now = b.time.nowMs(), delay = lateMs ? late.bounded(lateMs + 1) : 0;
        b.time.set(std::max(now, wakeAtMs.value_or(now + 1000) + delay));
    }
    void present() override { presented += 'w'; }
    void presentChangedClocks() override { presented += 'c'; }
    void advanceAfter(qint64 ms) {
        b.time.advance(ms);
        loop.advance();
    }
    // Completions less those due and the clocks still running (one a ring) after running 100 rings of ten
    // linked clocks. A clock started by a link later in the walk counts in the same pass.
    QString dayOfRings(int wokenLateMs, qint64 seconds) {
        lateMs = wokenLateMs;
        const int first = b.clocks.clockCount();
        qint64 completions = 0, running = 0;
        b.sound.recordPlays = false;
        b.clocks.setCompletionHandler(
            [&](const QVector<CompletedClock>& done) { completions += done.size(); });
        for (int r = 0; r < 100; ++r) {
            std::vector<qint64> done(10); // each clock's first completion
            for (int j = 0; j < 10; ++j)
                done[j] = (j ? done[j - 1] - 1 : 0) + qint64(b.add(5 + (3 * r + j) % 11).duration());
            for (int j = 0; j < 10; ++j)
                b.clocks.clock(first + 10 * r + j)
                    .setLinkID(b.clocks.clock(first + 10 * r + (j + 1) % 10).ID());
            for (qint64 f : done)
                completions -= f <= seconds ? (seconds - f) / done.back() + 1 : 0;
            b.clocks.clock(first + 10 * r).setActive(true); // on the common second the rig began
        }
        for (const qint64 end = b.time.nowMs() + seconds * 1000 + 500; b.time.nowMs() < end;)
            loop.pass();
        for (int i = first; i < b.clocks.clockCount(); ++i)
            running += b.clocks.clock(i).active() ? 1 : 0;
        return QStringLiteral("%1 %2").arg(completions).arg(running);
    }
};
} // namespace

// The loop's timing: catch-up, carried fractions, mode switches, starts, drift, sleep, repaints, links.
class TestMainLoop : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    // The count-up clock's seconds after each step: N, an advance N ms on; S1 or S0, synchronised or not from
    // the next advance; s, start/stop and an advance; W N, a pass, then a sleep of N ms the loop must not cut
    // short; T N, N switches of mode, each 499 ms before an advance; R N, advances over N ms with random gaps
    // of 0-50 ms; P N, N passes sleeping as asked. Shown instead: w, ms until the loop would wake; v, what
    // was presented since the last v; D N, a day of rings woken up to N ms late. r asks for a repaint.
    // Modes: s synchronised, u not.
    void timing_data() {
        textRows({"steps", "modes", "shown"},
                 {{"held, synchronised", "30400 599 1", "s", "30 30 31"},
                  {"held, unsynchronised counts one", "30400 599 1", "u", "1 1 1"},
                  {"held past 16 bits", "40000500", "s", "40000"},
                  {"to synchronised", "1300 S1 700 1", "u", "1 2 2"},
                  {"to unsynchronised", "1500 S0 500 1", "s", "1 1 2"},
                  {"switched twenty times", "T20 21", "u", "9 10"},
                  {"start after a quiet spell, synchronised", "s W5300 s 700 1", "s", "0 0 0 1 1"},
                  {"start a second after the common count", "s W1000 s 999 1", "s", "0 0 0 0 1"},
                  {"start after a quiet spell, unsynchronised", "s W5300 s 700 1", "u", "0 0 0 0 1"},
                  {"own second a second after the last", "s W1000 s 1000 1", "u", "0 0 0 1 1"},
                  {"a day without drift, synchronised", "R86400000 1", "s", "86400 86400"},
                  {"a day without drift, unsynchronised", "R86400000 1", "u", "86399 86400"},
                  {"sleeps to the next second", "P12", "su", "11"},
                  {"wakes for the common second", "W0 300 w", "s", "0 0 w700"},
                  {"wakes once the own second is over", "W0 300 w", "u", "0 0 w701"},
                  {"a repaint between frames wakes the loop", "s W0 5 r w", "s", "0 0 0 w11"},
                  {"a count repaints the changed clocks", "P1 v P1 v s P1 v", "s", "0 vw 1 vc 1 1 v"},
                  {"a day of rings, woken on time", "D0", "s", "0 100"},
                  {"a day of rings, woken late", "D400", "s", "0 100"}});
    }
    void timing() {
        QFETCH(QString, steps);
        QFETCH(QString, modes);
        QFETCH(QString, shown);
        const int hours = qEnvironmentVariableIntValue("ZENTRIQ_SOAK_HOURS"); // shorter for sanitizer builds
        for (const QChar mode : modes) {
            Rig r(mode == 's');
            QRandomGenerator gaps(42);
            QStringList seen;
            qint64 now = 0;
            const std::map<char, std::function<void(qint64)>> ops = {
                {'S', [&](qint64 n) { r.b.options.setChecked(Option::Sync, n == 1); }},
                {'r', [&](qint64) { r.repaint.request(); }},
                {'w',
                 [&](qint64) {
                     seen << QStringLiteral("w%1").arg(r.loop.nextWakeMs().value_or(now - 1) - now);
                 }},
                {'v', [&](qint64) { seen << 'v' + std::exchange(r.presented, QString()); }},
                {'D', [&](qint64 n) { seen << r.dayOfRings(int(n), 3600 * qint64(hours > 0 ? hours : 24)); }},
                {'s',
                 [&](qint64) {
                     r.c.toggleStartStop();
                     r.loop.advance();
                 }},
                {'W',
                 [&](qint64 n) {
                     r.loop.pass();
                     QVERIFY2(!r.wake || *r.wake >= now + n,
                              qPrintable(QString::number(r.wake.value_or(now) - now)));
                     r.b.time.set(now + n); // the loop reads the time again only in its next pass
                 }},
                {'T',
                 [&](qint64 n) {
                     for (int i = 0; i < n; ++i) {
                         r.b.options.setChecked(Option::Sync, !r.b.options.isChecked(Option::Sync));
                         r.advanceAfter(499);
                     }
                 }},
                {'R',
                 [&](qint64 n) {
                     while (r.b.time.nowMs() < now + n)
                         r.advanceAfter(gaps.bounded(51));
                 }},
                {'P', [&](qint64 n) {
                     for (int i = 0; i < n; ++i)
                         r.loop.pass();
                 }}};
            for (const QString& step : steps.split(' ')) {
                now = r.b.time.nowMs();
                const auto op = ops.find(step[0].toLatin1());
                op == ops.end() ? r.advanceAfter(step.toLongLong()) : op->second(step.mid(1).toLongLong());
                if (!QStringLiteral("SrwvD").contains(step[0]))
                    seen << QString::number(r.c.currentTime());
            }
            QCOMPARE(seen.join(' '), shown);
        }
    }
};

QTEST_GUILESS_MAIN(TestMainLoop)
#include "tst_mainloop.moc"
