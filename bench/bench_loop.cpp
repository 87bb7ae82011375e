#include "TestBoard.h"
#include "clock/clsClock.h"
#include "core/IEventPump.h"
#include "core/IPassView.h"
#include "core/MainLoop.h"
#include "core/RepaintScheduler.h"

#include <benchmark/benchmark.h>

namespace {
struct NoPump final : IEventPump {
    void dispatch(std::optional<qint64>) override {}
};
struct NoView final : IPassView {
    void present() override {}
};

// One pass's advance step over N running clocks, each counting one second.
void advancePass(benchmark::State& state, bool sync) {
    TestBoard b;
    b.sound.recordPlays = false;
    b.options.setChecked(Option::Sync, sync);
    NoPump pump;
    NoView view;
    RepaintScheduler repaint;
    MainLoop loop(b.clocks, b.time, b.options, pump, view, repaint);
    for (int i = 0; i < state.range(0); ++i) {
        clsClock& c = b.add(0);
        c.setCountType(1); // never completes, so every clock keeps counting
        c.setActive(true);
    }
    loop.advance();
    for (auto _ : state) {
        b.time.advance(1001);
        loop.advance();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
} // namespace

BENCHMARK_CAPTURE(advancePass, synchronised, true)
    ->Arg(1)
    ->Arg(100)
    ->Arg(10000)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(advancePass, unsynchronised, false)
    ->Arg(1)
    ->Arg(100)
    ->Arg(10000)
    ->Unit(benchmark::kMicrosecond);
