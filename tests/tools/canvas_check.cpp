// Checks what the main window's canvas shows after one clock was added to an empty board: the visible
// canvas of the window is compared, pixel by pixel, with the window's own canvas widget drawing that clock
// in the middle, stopped, with the given name and time.
// Usage: canvas_check <window id> <program folder> <name> <seconds shown> [<folder for the two pictures>]
// Exits 0 when they are the same, 1 when not.
#include "TestBoard.h"
#include "display/CanvasWidget.h"

#include <QApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QTextStream>

namespace {
constexpr int visibleHeight = 410; // the canvas shows below the menu bar, to the window's bottom
}

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments();
    if (args.size() < 5 || args.size() > 6) {
        QTextStream(stderr)
            << "usage: canvas_check <window id> <program folder> <name> <seconds> [<folder>]\n";
        return 2;
    }
    const QImage window =
        QGuiApplication::primaryScreen()->grabWindow(WId(args[1].toULongLong(nullptr, 0))).toImage();
    if (window.height() < visibleHeight) {
        QTextStream(stderr) << "canvas_check: cannot see window " << args[1] << '\n';
        return 2;
    }
    FakeSoundService sound;
    MemoryErrorLog log;
    TestBoard board(sound, log, args[2]);
    board.canvas.setSize(window.width() * ClockGeometry::twipsPerPixel,
                         window.height() * ClockGeometry::twipsPerPixel);
    clsClock& clock = *board.clocks.appendClock();
    clock.setPurpose(args[3]);
    clock.setCurrentTime(args[4].toDouble());
    CanvasWidget canvas(board.clocks, board.canvas);
    canvas.resize(window.size());

    const QImage want = canvas.grab().toImage().copy(0, 0, window.width(), visibleHeight);
    const QImage seen = window.copy(0, window.height() - visibleHeight, window.width(), visibleHeight);
    if (args.size() == 6) {
        want.save(args[5] + QStringLiteral("/want.png"));
        seen.save(args[5] + QStringLiteral("/seen.png"));
    }
    int differing = 0;
    for (int y = 0; y < want.height(); ++y)
        for (int x = 0; x < want.width(); ++x)
            differing += want.pixel(x, y) != seen.pixel(x, y);
    QTextStream(stdout) << differing << " pixels differ\n";
    return differing == 0 ? 0 : 1;
}
