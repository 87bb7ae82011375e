#include "BenchApp.h"
#include "TestAssets.h"
#include "TestBoard.h"
#include "clock/clsClock.h"
#include "sound/OpenAlSoundService.h"
#include "sound/clsSound.h"

#include <QThread>
#include <benchmark/benchmark.h>
#include <fstream>
#include <malloc.h>
#include <memory>
#include <unistd.h>
#include <vector>

// Sound costs on the real OpenAL Soft device. Without a sound card the silent "null" output is
// used (it still mixes in real time); ALSOFT_DRIVERS chooses another.
namespace {

void chooseOutput() {
    if (!qEnvironmentVariableIsSet("ALSOFT_DRIVERS"))
        qputenv("ALSOFT_DRIVERS", "null");
    ensureGuiApplication(); // the device is paused by a timer
}

double residentKb() {
    std::ifstream statm("/proc/self/statm");
    long pages = 0;
    long resident = 0;
    statm >> pages >> resident;
    return double(resident) * double(sysconf(_SC_PAGESIZE)) / 1024.0;
}

// Bytes taken from the heap and still in use; unlike the resident size it does not hide memory
// that earlier benchmarks freed and this one reuses.
double heapKb() {
    const struct mallinfo2 info = mallinfo2();
    return double(info.uordblks + info.hblkhd) / 1024.0;
}

// 1000 clocks' sound objects on one device, each ready with the default tick and alarm.
struct ThousandSounds {
    explicit ThousandSounds(int count) {
        for (int i = 0; i < count; ++i) {
            sounds.push_back(std::make_unique<clsSound>(service, log, TestAssets::programFolder()));
            sounds.back()->initSounds();
            sounds.back()->setAlarmFile(TestAssets::programFolder() +
                                        QStringLiteral("/sounds/alarms/wristWatch.wav"));
        }
    }
    FakeTimeSource time;
    OpenAlSoundService service{time};
    MemoryErrorLog log;
    std::vector<std::unique_ptr<clsSound>> sounds;
};

// Synchronised mode: every clock ticks in the same pass, so the ticks merge into one play.
void soundSecondSynchronised(benchmark::State& state) {
    chooseOutput();
    ThousandSounds s(int(state.range(0)));
    int volume = 0;
    for (auto _ : state) {
        for (auto& sound : s.sounds) {
            sound->setVolume(5 + volume++ % 96);
            sound->playTick();
        }
        s.service.endPass();
    }
    state.SetLabel(s.service.deviceName().toStdString());
    state.counters["log_lines"] = double(s.log.lines.size());
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// Unsynchronised mode at its worst: each clock's tick in a pass of its own, each a real play
// on a source from the pool.
void soundSecondSpread(benchmark::State& state) {
    chooseOutput();
    ThousandSounds s(int(state.range(0)));
    int volume = 0;
    for (auto _ : state) {
        for (auto& sound : s.sounds) {
            sound->setVolume(5 + volume++ % 96);
            sound->playTick();
            s.service.endPass();
        }
    }
    state.SetLabel(s.service.deviceName().toStdString());
    state.counters["sources"] = double(s.service.sourceCount());
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// The whole second of a board: tickAll over running clocks, band choice, volume and play.
void boardSecondSynchronised(benchmark::State& state) {
    chooseOutput();
    FakeTimeSource time;
    OpenAlSoundService service(time);
    MemoryErrorLog log;
    TestBoard board(service, log, TestAssets::programFolder());
    board.options.setChecked(Option::Sync, true);
    for (int i = 0; i < state.range(0); ++i) {
        clsClock* c = board.clocks.appendClock();
        c->setDuration(1e9); // never completes
        c->resetClock();
        c->setActive(true);
    }
    for (auto _ : state)
        board.clocks.tickAll(1);
    state.SetLabel(service.deviceName().toStdString());
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// Memory of N clocks' sound state: what the clocks add once the one shared device is open and
// the default sounds are decoded (that fixed cost is reported as device_kb). Resident sizes are
// telling only when this runs first in its process; heap sizes always are.
void soundStateMemory(benchmark::State& state) {
    chooseOutput();
    for (auto _ : state) {
        const double rss0 = residentKb();
        const double heap0 = heapKb();
        auto first = std::make_unique<ThousandSounds>(1);
        const double rss1 = residentKb();
        const double heap1 = heapKb();
        std::vector<std::unique_ptr<clsSound>> more;
        for (int i = 0; i < state.range(0); ++i) {
            more.push_back(
                std::make_unique<clsSound>(first->service, first->log, TestAssets::programFolder()));
            more.back()->initSounds();
            more.back()->setAlarmFile(TestAssets::programFolder() +
                                      QStringLiteral("/sounds/alarms/wristWatch.wav"));
        }
        state.counters["device_kb"] = heap1 - heap0;
        state.counters["device_rss_kb"] = rss1 - rss0;
        state.counters["heap_kb"] = heapKb() - heap1;
        state.counters["rss_kb"] = residentKb() - rss1;
        state.counters["buffers"] = double(first->service.bufferCount());
        benchmark::DoNotOptimize(more.data());
    }
}

// The same for whole clocks on a board, for comparison.
void boardMemory(benchmark::State& state) {
    chooseOutput();
    for (auto _ : state) {
        FakeTimeSource time;
        OpenAlSoundService service(time);
        MemoryErrorLog log;
        TestBoard board(service, log, TestAssets::programFolder());
        board.clocks.appendClock();
        const double rss1 = residentKb();
        const double heap1 = heapKb();
        for (int i = 0; i < state.range(0); ++i)
            board.clocks.appendClock();
        state.counters["heap_kb"] = heapKb() - heap1;
        state.counters["rss_kb"] = residentKb() - rss1;
    }
}

// From a clock's count to its tick started on a device that was paused for being idle: the device is
// resumed first, so this is what the pause adds to a tick's latency.
void tickAfterPause(benchmark::State& state) {
    chooseOutput();
    ThousandSounds s(1);
    clsSound& sound = *s.sounds.front();
    for (auto _ : state) {
        state.PauseTiming();
        QThread::msleep(100); // the 30 ms tick has ended, also for the mixer
        s.service.pauseWhenIdle();
        state.ResumeTiming();
        sound.setVolume(100);
        sound.playTick();
        s.service.endPass();
    }
    state.SetLabel(s.service.deviceName().toStdString());
}

} // namespace

BENCHMARK(tickAfterPause)->Iterations(50)->Unit(benchmark::kMicrosecond);
BENCHMARK(soundSecondSynchronised)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(soundSecondSpread)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(boardSecondSynchronised)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(soundStateMemory)->Arg(1000)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(boardMemory)->Arg(1000)->Iterations(1)->Unit(benchmark::kMillisecond);
