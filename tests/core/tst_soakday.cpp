// A simulated day: 1000 clocks in rings of ten linked clocks, one running in each ring, driven by the loop
// on a fake clock woken late by up to a given time. Every completion due happens once, every ring still
// runs at the end. ZENTRIQ_SOAK_HOURS shortens the day (for slow sanitizer builds).
#include "TestBoard.h"
#include "core/IEventPump.h"
#include "core/IPassView.h"
#include "core/MainLoop.h"
#include "core/RepaintScheduler.h"

#include <QRandomGenerator>

namespace {
// A clock started by a link counts in the same pass when it comes later in the walk, so a ring's k-th
// completion falls at the sum of its durations less the forward links crossed; the last clock starts the
// first one, which comes earlier in the walk.
qint64 completionsDue(const std::vector<int>& durations, qint64 seconds) {
    std::vector<qint64> first(durations.size());
    for (std::size_t j = 0, at = 0; j < durations.size(); ++j)
        first[j] = qint64(at += durations[j] - (j ? 1 : 0));
    qint64 due = 0;
    for (qint64 f : first)
        due += f <= seconds ? (seconds - f) / first.back() + 1 : 0;
    return due;
}

struct Day final : IEventPump, IPassView {
    TestBoard b;
    RepaintScheduler repaint;
    MainLoop loop{b.clocks, b.time, b.options, *this, *this, repaint};
    QRandomGenerator random{7};
    int lateMs = 0;

    void dispatch(std::optional<qint64> wakeAtMs) override {
        b.time.set(std::max(b.time.nowMs(), wakeAtMs.value_or(b.time.nowMs() + 1000) +
                                                (lateMs ? random.bounded(lateMs + 1) : 0)));
    }
    void present() override {}
};
} // namespace

class TestSoakDay : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void dayOfRings_data() {
        QTest::addColumn<int>("lateMs");
        QTest::newRow("woken on time") << 0;
        QTest::newRow("woken up to 0.4 s late") << 400;
    }
    void dayOfRings() {
        QFETCH(int, lateMs);
        const int hours = qEnvironmentVariableIntValue("ZENTRIQ_SOAK_HOURS");
        const qint64 seconds = 3600 * qint64(hours > 0 ? hours : 24);
        const int rings = 100, size = 10;
        Day day;
        day.lateMs = lateMs;
        day.b.sound.recordPlays = false;
        day.b.options.setChecked(Option::Sync, true);
        qint64 completions = 0, due = 0;
        day.b.clocks.setCompletionHandler(
            [&](const QVector<CompletedClock>& done) { completions += done.size(); });
        for (int r = 0; r < rings; ++r) {
            std::vector<int> durations;
            for (int j = 0; j < size; ++j)
                durations.push_back(int(day.b.add(5 + (3 * r + j) % 11).duration()));
            due += completionsDue(durations, seconds);
        }
        for (int i = 0; i < rings * size; ++i)
            day.b.clocks.clock(i).setLinkID(
                day.b.clocks.clock(i % size == size - 1 ? i - size + 1 : i + 1).ID());
        day.loop.pass(); // the common second starts here
        for (int r = 0; r < rings; ++r)
            day.b.clocks.clock(r * size).setActive(true);
        for (const qint64 end = day.b.time.nowMs() + seconds * 1000 + 500; day.b.time.nowMs() < end;)
            day.loop.pass();
        QCOMPARE(completions, due);
        for (int r = 0; r < rings; ++r) {
            int running = 0;
            for (int j = 0; j < size; ++j)
                running += day.b.clocks.clock(r * size + j).active() ? 1 : 0;
            QCOMPARE(running, 1);
        }
    }
};

QTEST_GUILESS_MAIN(TestSoakDay)
#include "tst_soakday.moc"
