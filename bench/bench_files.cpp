#include "FakeBoardWindow.h"
#include "FakeFileChooser.h"
#include "FakeFilePrompts.h"
#include "TestBoard.h"
#include "files/ClockFiles.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {
// A board of N clocks with names, groups, links and times, and the file commands over it.
struct FileBench {
    QTemporaryDir dir;
    TestBoard b;
    FakeBoardWindow window;
    FakeFilePrompts prompts;
    FakeFileChooser chooser;
    ClockFiles files{b.clocks, window, prompts, chooser, dir.filePath("program"), dir.filePath("user")};

    explicit FileBench(int clocks) {
        b.sound.recordPlays = false;
        for (int i = 0; i < clocks; ++i) {
            clsClock& c = b.add(60.0 + i);
            c.setPurpose(QStringLiteral("Clock %1: step").arg(i));
            c.setGroupNum(qint16(i % 10));
            c.setLinkID(i + 2);
            c.setCurrentTime(12.5 + i);
            c.setPosition(float(900 + 2100 * (i % 40)), float(650 + 1100 * (i / 40)));
        }
        chooser.answer = dir.filePath("board.clk");
        files.saveClocksAs();
    }
};

// "&Save Clocks": the whole file written through a temporary file that replaces the old one.
void saveBoard(benchmark::State& state) {
    FileBench f(int(state.range(0)));
    for (auto _ : state)
        f.files.saveClocks();
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// Loading the same file: read, the board replaced clock by clock, group bounds computed.
void loadBoard(benchmark::State& state) {
    FileBench f(int(state.range(0)));
    const QString path = f.files.currentFile();
    for (auto _ : state)
        f.files.loadClocks(path);
    if (f.b.clocks.clockCount() != state.range(0) || !f.prompts.messages.filter("error").isEmpty())
        state.SkipWithError("the board did not load whole");
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
} // namespace

BENCHMARK(saveBoard)->Arg(100)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(loadBoard)->Arg(100)->Arg(10000)->Unit(benchmark::kMillisecond);
