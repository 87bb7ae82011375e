// What a user waits for on the window's own size (1270 x 870): one frame of dragging a large selection,
// and opening a large board up to its first picture. Both run the program's code for it, from the board
// to the back buffer; the copy of the finished buffer to the screen is not included.
#include "BenchApp.h"
#include "FakeBoardWindow.h"
#include "FakeFileChooser.h"
#include "FakeFilePrompts.h"
#include "TestBoard.h"
#include "core/Arranger.h"
#include "core/BoardSelection.h"
#include "display/BoardRenderer.h"
#include "display/PictureStore.h"
#include "display/QPainterCanvas.h"
#include "files/ClockFiles.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {
constexpr int windowWidth = 1270, windowHeight = 870;

void fill(TestBoard& board, int count) {
    board.sound.recordPlays = false;
    board.canvas.setSize(windowWidth * 15, windowHeight * 15);
    for (int i = 0; i < count; ++i) {
        clsClock& c = board.add(600 + i % 3600);
        c.setPurpose(QStringLiteral("Clock %1").arg(i));
        c.setGroupNum(qint16(i % 10));
        c.setLinkID(i % 50 == 49 ? i - 48 : i + 2); // rings of 50
        if (i % 2)
            c.toggleStartStop();
    }
    Arranger(board.clocks, board.canvas).autoArrange();
    board.clocks.computeGroupBounds();
    board.options.setChecked(Option::ViewBounds, true);
}

// Every clock selected and arranged as the program arranges them; a frame moves them all a pixel, as one
// mouse move does, and paints the whole board.
void BM_DragFrame(benchmark::State& state) {
    ensureGuiApplication();
    const PictureStore pictures(assetFolder());
    if (!pictures.complete()) {
        state.SkipWithError("pictures not found");
        return;
    }
    TestBoard board;
    fill(board, int(state.range(0)));
    BoardSelection selection(board.clocks);
    selection.selectAll(true);
    board.clocks.setDragArmed(true);
    const BoardRenderer renderer(pictures);
    QImage buffer(windowWidth, windowHeight, QImage::Format_RGB32);
    QPainterCanvas canvas(Qt::white);
    float step = 15;
    for (auto _ : state) {
        selection.dragClock(0, step, 0);
        step = -step;
        canvas.begin(buffer, 1.0);
        renderer.render(canvas, board.clocks, board.options);
        canvas.end();
    }
}

// "&Open Clocks" on a board saved by the program: read, the board replaced, the group bounds computed,
// and the first picture painted by a canvas that has nothing made ready yet.
void BM_OpenBoard(benchmark::State& state) {
    ensureGuiApplication();
    const PictureStore pictures(assetFolder());
    QTemporaryDir dir;
    TestBoard board;
    fill(board, int(state.range(0)));
    FakeBoardWindow window;
    FakeFilePrompts prompts;
    FakeFileChooser chooser;
    ClockFiles files{board.clocks, window, prompts, chooser, dir.filePath("program"), dir.filePath("user")};
    chooser.answer = dir.filePath("board.clk");
    files.saveClocksAs();
    const BoardRenderer renderer(pictures);
    QImage buffer(windowWidth, windowHeight, QImage::Format_RGB32);
    for (auto _ : state) {
        files.loadClocks(chooser.answer);
        QPainterCanvas canvas(buffer, Qt::white, 1.0);
        renderer.render(canvas, board.clocks, board.options);
    }
    if (board.clocks.clockCount() != state.range(0))
        state.SkipWithError("the board did not load whole");
}
} // namespace

BENCHMARK(BM_DragFrame)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenBoard)->Arg(10000)->Unit(benchmark::kMillisecond);
