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
    void present() override {}
    void advanceAfter(qint64 ms) {
        b.time.advance(ms);
        loop.advance();
    }
    void passInPlace() {
        follow = false;
        loop.pass();
        follow = true;
    }
};
} // namespace

// The loop's timing: catch-up after a hold, carried fractions, mode switches, starts, drift, and how it
// sleeps.
class TestMainLoop : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    // The seconds shown after each step: N, N ms and then an advance; S or U, synchronised or unsynchronised
    // from the next advance on (nothing shown); s, start/stop pressed and an advance; W N, the loop passes
    // and then sleeps N ms, which it must not want to cut short; T N, N switches of mode, each followed 499
    // ms later by an advance; R N, advances N ms long with random gaps of 0-50 ms; P N, N passes that sleep
    // as asked; p, one pass that stays at the moment; r, a repaint asked for (nothing shown); w, "w" and the
    // milliseconds until the loop would wake now, or "w-" for never; q, "q1" if a repaint is pending (it is
    // then painted), else "q0".
    void timing_data() {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<bool>("sync");
        QTest::addColumn<QString>("shown");
        // A modal dialog held the loop for 30.4 s; synchronised, the 0.4 s is carried to the next count.
        QTest::newRow("held, synchronised") << "30400 599 1" << true << "30 30 31";
        QTest::newRow("held, unsynchronised counts one") << "30400 599 1" << false << "1 1 1";
        QTest::newRow("held past 16 bits") << "40000500" << true << "40000";
        // Switching keeps the clock's phase: nothing counted twice, no part of a second lost.
        QTest::newRow("to synchronised") << "1300 S 700 1" << false << "1 2 2";
        QTest::newRow("to unsynchronised") << "1500 U 500 1" << true << "1 1 2";
        QTest::newRow("switched twenty times") << "T20 21" << false << "9 10";
        // Nothing runs, so the loop sleeps; a start then counts a second on the phase the clock had.
        QTest::newRow("start after a quiet spell, synchronised") << "s W5300 s 700 1" << true << "0 0 0 1 1";
        QTest::newRow("start a second after the common count") << "s W1000 s 999 1" << true << "0 0 0 0 1";
        QTest::newRow("start after a quiet spell, unsynchronised")
            << "s W5300 s 700 1" << false << "0 0 0 0 1";
        // The random walk ends exactly a day on; own seconds count once more than 1000 ms have passed.
        QTest::newRow("a day without drift, synchronised") << "R86400000 1" << true << "86400 86400";
        QTest::newRow("a day without drift, unsynchronised") << "R86400000 1" << false << "86399 86400";
        QTest::newRow("sleeps to the next second, synchronised") << "P12" << true << "11";
        QTest::newRow("sleeps to the next second, unsynchronised") << "P12" << false << "11";
        QTest::newRow("wakes for the common second") << "p 300 w" << true << "0 0 w700";
        QTest::newRow("wakes once the own second is over") << "p 300 w" << false << "0 0 w701";
        QTest::newRow("a count asks for a repaint, synchronised")
            << "q 1001 q 500 q" << true << "q1 1 q1 1 q0";
        QTest::newRow("a count asks for a repaint, unsynchronised")
            << "q 1001 q 500 q" << false << "q1 1 q1 1 q0";
        QTest::newRow("own second a second after the last") << "s W1000 s 1000 1" << false << "0 0 0 1 1";
        QTest::newRow("a repaint between frames wakes the loop") << "s p 5 r w" << true << "0 0 0 w11";
    }
    void timing() {
        QFETCH(QString, steps);
        QFETCH(bool, sync);
        QFETCH(QString, shown);
        Rig r(sync);
        QRandomGenerator gaps(42);
        QStringList seen;
        for (const QString& step : steps.split(' ')) {
            const qint64 n = step.mid(1).toLongLong();
            const qint64 now = r.b.time.nowMs();
            switch (step[0].toLatin1()) {
            case 'S':
            case 'U':
                r.b.options.setChecked(Option::Sync, step == "S");
                continue;
            case 'r':
                r.repaint.request();
                continue;
            case 'q': // whether a repaint is pending; it is then painted
                seen << QStringLiteral("q%1").arg(int(r.repaint.takeDue(now)));
                continue;
            case 'w': {
                const auto wake = r.loop.nextWakeMs();
                seen << (wake ? QStringLiteral("w%1").arg(*wake - now) : QStringLiteral("w-"));
                continue;
            }
            case 's':
                r.c.toggleStartStop();
                r.loop.advance();
                break;
            case 'W':
                r.passInPlace();
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
            case 'p':
                r.passInPlace();
                break;
            default:
                r.advanceAfter(step.toLongLong());
            }
            seen << QString::number(r.c.currentTime());
        }
        QCOMPARE(seen.join(' '), shown);
    }

    void repaintsAtMostOncePerFrame() {
        RepaintScheduler s; // a repaint is pending from the start
        QVERIFY(s.takeDue(1000));
        s.request(); // then, in order: too early, when due, when none is pending
        QCOMPARE(QList<qint64>({s.takeDue(1010), s.dueAtMs(), s.takeDue(1016), s.takeDue(2000), s.dueAtMs()}),
                 QList<qint64>({false, 1016, true, false, -1}));
    }
};

QTEST_GUILESS_MAIN(TestMainLoop)
#include "tst_mainloop.moc"
