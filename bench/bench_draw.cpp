// One full picture of the board (links, clocks, group boxes) into a 1920 x 1080 back buffer.
// Every clock is linked to another and sits in a group; all of them lie inside the buffer, overlapping on
// the larger boards, so nothing is saved by clipping. A link line costs in proportion to its length, so
// the links are kept short and alike on every board.
#include "BenchApp.h"
#include "TestBoard.h"
#include "clock/clsClock.h"
#include "display/BoardRenderer.h"
#include "display/LineRasterizer.h"
#include "display/PictureStore.h"
#include "display/QPainterCanvas.h"

#include <QPainter>
#include <benchmark/benchmark.h>
#include <cmath>
#include <memory>

namespace {

// Clocks stand in rows of 16, 19 rows to the buffer; further rows are laid over the first ones, shifted a
// little, so every board has the same density of clocks per row and the same short links.
std::unique_ptr<TestBoard> makeBoard(int count) {
    auto board = std::make_unique<TestBoard>();
    board->canvas.setSize(1920 * 15, 1080 * 15);
    constexpr int columns = 16, rowsPerLayer = 19;
    const int rows = (count + columns - 1) / columns;
    for (int i = 0; i < count; ++i) {
        const int row = i / columns, column = i % columns, layer = row / rowsPerLayer;
        clsClock& c = board->add(600 + i % 3600);
        c.setPosition(float(600 + column * 1750 + layer * 60),
                      float(350 + (row % rowsPerLayer) * 800 + layer * 60));
        c.setPurpose(QStringLiteral("Clock %1").arg(i));
        c.setGroupNum(qint16(i % 10));
        if (i % 2) {
            c.toggleStartStop();
            c.setCurrentTime(i % 20 + 0.5);
        }
        c.setSelected(i % 7 == 0);
    }
    // Each clock triggers a neighbour one row down (up from a layer's last row) and one column across.
    for (int i = 0; i < count; ++i) {
        const int row = i / columns, column = i % columns;
        const bool down = row % rowsPerLayer < rowsPerLayer - 1 && row + 1 < rows;
        const int targetRow = down ? row + 1 : std::max(0, row - 1);
        const int target = targetRow * columns + (column + 1 < columns ? column + 1 : column - 1);
        board->clocks.clock(i).setLinkID(board->clocks.clock(std::min(target, count - 1)).ID());
    }
    board->clocks.computeGroupBounds();
    board->options.setChecked(Option::ViewBounds, true);
    return board;
}

void BM_DrawBoard(benchmark::State& state) {
    ensureGuiApplication();
    const PictureStore pictures(assetFolder());
    if (!pictures.complete()) {
        state.SkipWithError("pictures not found");
        return;
    }
    const auto board = makeBoard(int(state.range(0)));
    const BoardRenderer renderer(pictures);
    QImage buffer(1920, 1080, QImage::Format_RGB32);
    // As in the window: one canvas for every picture.
    QPainterCanvas canvas(Qt::white);
    for (auto _ : state) {
        canvas.begin(buffer, 1.0);
        renderer.render(canvas, board->clocks, board->options);
        canvas.end();
    }
    state.SetComplexityN(state.range(0));
    state.counters["us_per_clock"] = benchmark::Counter(
        double(state.range(0)), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

// 1000 slanted link lines, 2 px wide and 60 to 200 px long, in every direction: written into the image by
// LineRasterizer, or stroked by QPainter with antialiasing and flat ends, as the canvas would draw them
// without it.
void BM_SlantedLines(benchmark::State& state) {
    ensureGuiApplication();
    QImage image(1920, 1080, QImage::Format_RGB32);
    image.fill(Qt::white);
    std::vector<QLineF> lines;
    for (int i = 0; i < 1000; ++i) {
        const double angle = 0.1 + i * 2.39996, length = 60 + i % 141;
        const QPointF from(100 + (i * 37) % 1700, 100 + (i * 53) % 880);
        lines.emplace_back(from, from + QPointF(std::cos(angle), std::sin(angle)) * length);
    }
    const QColor blue(0, 0, 255);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(blue, 2, Qt::SolidLine, Qt::FlatCap));
    for (auto _ : state) {
        for (const QLineF& line : lines) {
            if (state.range(0))
                LineRasterizer::drawLine(image, line.p1(), line.p2(), 2, blue.rgb());
            else
                painter.drawLine(line);
        }
    }
    state.SetItemsProcessed(state.iterations() * qint64(lines.size()));
}

} // namespace

BENCHMARK(BM_SlantedLines)->ArgName("rasterizer")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DrawBoard)->Arg(1)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->Complexity();
