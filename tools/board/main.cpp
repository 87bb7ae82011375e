// Renders a small example board through the program's own painters, offscreen, into a PNG
// (the picture in the README). Usage: zentriq_board <output.png> [device pixel ratio]
#include "TestBoard.h"
#include "clock/clsClock.h"
#include "display/BoardRenderer.h"
#include "display/PictureStore.h"
#include "display/QPainterCanvas.h"

#include <QGuiApplication>
#include <QImage>
#include <QTextStream>
#include <cmath>

namespace {

clsClock& place(TestBoard& board, const QString& name, double seconds, float x, float y) {
    clsClock& c = board.add(seconds);
    c.setPurpose(name);
    c.setPosition(x, y);
    return c;
}

void run(clsClock& clock, double secondsLeft) {
    clock.toggleStartStop();
    clock.setCurrentTime(secondsLeft);
}

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = QGuiApplication::arguments();
    if (args.size() < 2 || args.size() > 3) {
        QTextStream(stderr) << "usage: zentriq_board <output.png> [device pixel ratio]\n";
        return 2;
    }
    const double ratio = args.size() == 3 ? args[2].toDouble() : 1.0;

    PictureStore pictures(QStringLiteral(ZENTRIQ_ASSETS));
    if (!pictures.complete()) {
        QTextStream(stderr) << pictures.problems().join(QLatin1Char('\n')) << '\n';
        return 1;
    }

    // The main window's first canvas: 678 x 410 pixels.
    TestBoard board;
    board.canvas.setSize(678 * 15, 410 * 15);
    clsClock& oven = place(board, QStringLiteral("Oven"), 45 * 60, 1650, 1700);
    clsClock& pasta = place(board, QStringLiteral("Pasta"), 9 * 60, 4450, 1700);
    clsClock& tea = place(board, QStringLiteral("Tea"), 4 * 60, 7850, 1700);
    clsClock& rest = place(board, QStringLiteral("Rest"), 10 * 60, 3150, 4500);
    clsClock& plank = place(board, QStringLiteral("Plank"), 90, 7250, 4500);
    oven.setStoredId(101);
    rest.setStoredId(102);
    tea.setStoredId(103);
    plank.setStoredId(104);
    oven.setLinkID(102);
    tea.setLinkID(104);
    run(oven, 42 * 60 + 17);
    run(pasta, 8);
    rest.setSelected(true);
    run(plank, 53);
    oven.setGroupNum(1);
    pasta.setGroupNum(1);
    board.clocks.groups().setName(1, QStringLiteral("Kitchen"));
    board.clocks.computeGroupBounds();
    board.options.setChecked(Option::ViewBounds, true);

    QImage image(int(std::lround(678 * ratio)), int(std::lround(410 * ratio)), QImage::Format_RGB32);
    {
        QPainterCanvas canvas(image, Qt::white, ratio);
        BoardRenderer(pictures).render(canvas, board.clocks, board.options);
    }
    image.setDevicePixelRatio(ratio);
    if (!image.save(args[1], "PNG")) {
        QTextStream(stderr) << "cannot write " << args[1] << '\n';
        return 1;
    }
    return 0;
}
