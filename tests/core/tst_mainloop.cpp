#include "TestBoard.h"
#include "core/IEventPump.h"
#include "core/IPassView.h"
#include "core/MainLoop.h"
#include "core/RepaintScheduler.h"

#include <QRandomGenerator>

namespace {
// A loop with one running count-up clock; it sleeps by moving the fake clock to the moment asked for.
struct Rig final : IEventPump, IPassView {
    TestBoard b;
    clsClock& c = b.add(0);
    RepaintScheduler repaint;
    MainLoop loop{b.clocks, b.time, b.options, *this, *this, repaint};

    explicit Rig(bool sync) {
        b.options.setChecked(Option::Sync, sync);
        c.setCountType(1);
        loop.advance(); // the first synchronised pass only sets the common second
        c.setActive(true);
    }
    void dispatch(std::optional<qint64> wakeAtMs) override {
        b.time.set(std::max(b.time.nowMs(), wakeAtMs.value_or(0)));
    }
    void present() override {}
    void advanceAfter(qint64 ms) {
        b.time.advance(ms);
        loop.advance();
    }
};
} // namespace

// The loop's timing: catch-up after a hold, carried fractions, mode switches, drift, and how it sleeps.
class TestMainLoop : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    // The seconds shown after each step: N ms, then an advance; S or U, a switch to synchronised or
    // unsynchronised; R N, advances N ms long with random gaps of 0-50 ms; P N, N passes that sleep as asked.
    void timing_data() {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<bool>("sync");
        QTest::addColumn<QString>("shown");
        // A modal dialog held the loop for 30.4 s; synchronised, the 0.4 s is carried to the next count.
        QTest::newRow("held, synchronised") << "30400 599 1" << true << "30 30 31";
        QTest::newRow("held, unsynchronised counts one") << "30400 599 1" << false << "1 1 1";
        QTest::newRow("held past 16 bits") << "40000500" << true << "40000";
        QTest::newRow("to synchronised, no second twice") << "1001 1001 S 0 999 1" << false << "1 2 2 2 3";
        // The random walk ends exactly a day on; own seconds count once more than 1000 ms have passed.
        QTest::newRow("a day without drift, synchronised") << "R86400000 1" << true << "86400 86400";
        QTest::newRow("a day without drift, unsynchronised") << "R86400000 1" << false << "86399 86400";
        QTest::newRow("sleeps to the next second, synchronised") << "P12" << true << "11";
        QTest::newRow("sleeps to the next second, unsynchronised") << "P12" << false << "11";
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
            if (step == "S" || step == "U")
                r.b.options.setChecked(Option::Sync, step == "S");
            else if (step[0] == 'R')
                for (const qint64 end = r.b.time.nowMs() + n; r.b.time.nowMs() < end;)
                    r.advanceAfter(gaps.bounded(51));
            else if (step[0] == 'P')
                for (int i = 0; i < n; ++i)
                    r.loop.pass();
            else
                r.advanceAfter(step.toLongLong());
            if (step != "S" && step != "U")
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
