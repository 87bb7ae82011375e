// A simulated day: 1000 clocks in rings of ten linked clocks, one running in each ring, driven by the loop
// on a fake clock whose wake-ups come late by up to a given time. Every completion due in the day happens,
// once, and every ring still runs at the end. ZENTRIQ_SOAK_HOURS shortens the day (for slow sanitizer
// builds); the default is 24.
#include "TestBoard.h"
#include "core/IEventPump.h"
#include "core/IPassView.h"
#include "core/MainLoop.h"
#include "core/RepaintScheduler.h"

#include <QRandomGenerator>

namespace {
constexpr int rings = 100, ringSize = 10;

// A clock started by a link counts in the same pass when it comes later in the walk, so a ring's k-th
// completion falls at the sum of its durations less the forward links crossed; the last clock starts the
// first one, which comes earlier in the walk.
qint64 completionsDue(const std::vector<int>& durations, qint64 seconds) {
    std::vector<qint64> first(durations.size());
    qint64 at = 0;
    for (std::size_t j = 0; j < durations.size(); ++j)
        first[j] = at += durations[j] - (j ? 1 : 0);
    const qint64 period = first.back();
    qint64 due = 0;
    for (qint64 f : first)
        due += f <= seconds ? (seconds - f) / period + 1 : 0;
    return due;
}

struct Day final : IEventPump, IPassView {
    TestBoard b;
    RepaintScheduler repaint;
    MainLoop loop{b.clocks, b.time, b.options, *this, *this, repaint};
    QRandomGenerator random{7};
    int lateMs = 0;
    qint64 completions = 0;

    void dispatch(std::optional<qint64> wakeAtMs) override {
        const qint64 late = lateMs ? random.bounded(lateMs + 1) : 0;
        b.time.set(std::max(b.time.nowMs(), wakeAtMs.value_or(b.time.nowMs() + 1000) + late));
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
        const qint64 seconds = qEnvironmentVariableIntValue("ZENTRIQ_SOAK_HOURS") > 0
                                   ? 3600 * qint64(qEnvironmentVariableIntValue("ZENTRIQ_SOAK_HOURS"))
                                   : 86400;
        Day day;
        day.lateMs = lateMs;
        day.b.sound.recordPlays = false;
        day.b.options.setChecked(Option::Sync, true);
        day.b.clocks.setCompletionHandler(
            [&day](const QVector<CompletedClock>& done) { day.completions += done.size(); });
        qint64 due = 0;
        for (int r = 0; r < rings; ++r) {
            std::vector<int> durations;
            for (int j = 0; j < ringSize; ++j)
                durations.push_back(int(day.b.add(5 + (3 * r + j) % 11).duration()));
            due += completionsDue(durations, seconds);
        }
        for (int i = 0; i < rings * ringSize; ++i) {
            const int next = i % ringSize == ringSize - 1 ? i - ringSize + 1 : i + 1;
            day.b.clocks.clock(i).setLinkID(day.b.clocks.clock(next).ID());
        }
        day.loop.pass(); // the common second starts here
        for (int r = 0; r < rings; ++r)
            day.b.clocks.clock(r * ringSize).setActive(true);

        const qint64 end = day.b.time.nowMs() + seconds * 1000 + 500;
        while (day.b.time.nowMs() < end)
            day.loop.pass();
        QCOMPARE(day.completions, due);
        for (int r = 0; r < rings; ++r) {
            int running = 0;
            for (int j = 0; j < ringSize; ++j)
                running += day.b.clocks.clock(r * ringSize + j).active() ? 1 : 0;
            QCOMPARE(running, 1);
        }
    }
};

QTEST_GUILESS_MAIN(TestSoakDay)
#include "tst_soakday.moc"
