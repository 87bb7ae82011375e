// The real window, loop and sound device over a board of stopped and running clocks, for measuring what a
// board costs while the user leaves it alone (bench/idle_cpu.sh). Usage: zentriq_idle_board STOPPED RUNNING
// Running clocks count up, so they never complete; every clock ticks as the program's own would.
#include "TestAssets.h"
#include "clock/clsClock.h"
#include "core/AppPaths.h"
#include "core/Arranger.h"
#include "core/BootTimeSource.h"
#include "core/CanvasSize.h"
#include "core/ClockCollection.h"
#include "core/ErrorLog.h"
#include "core/MainLoop.h"
#include "core/QtEventPump.h"
#include "core/RepaintScheduler.h"
#include "core/SeededRandom.h"
#include "sound/OpenAlSoundService.h"
#include "ui/BoardInteraction.h"
#include "ui/MenuOptions.h"
#include "ui/frmMain.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments();
    const int stopped = args.value(1, QStringLiteral("100")).toInt();
    const int running = args.value(2, QStringLiteral("0")).toInt();

    BootTimeSource time;
    SeededRandom random(1);
    ErrorLog log(QString(), AppPaths::userDataFolder());
    OpenAlSoundService sound(time);
    MenuOptions options;
    CanvasSize canvasSize;
    RepaintScheduler repaint;
    const ClockEnvironment env{time, options, canvasSize, random, sound, log, TestAssets::programFolder()};
    ClockCollection clocks(env);
    frmMain window(clocks, options, canvasSize, repaint);
    BoardInteraction interaction(window, clocks, repaint);
    window.resize(1270, 870);
    window.show();

    for (int i = 0; i < stopped + running; ++i) {
        clsClock& c = *clocks.appendClock();
        c.setPurpose(QStringLiteral("Clock %1").arg(i));
        c.setDuration(3600);
        c.resetClock();
        if (i >= stopped) {
            c.setCountType(1);
            c.setActive(true);
        }
    }
    Arranger(clocks, canvasSize).autoArrange();

    QtEventPump pump(time);
    MainLoop loop(clocks, time, options, pump, window, repaint);
    return loop.run();
}
