#include "core/AppPaths.h"
#include "core/BootTimeSource.h"
#include "core/CanvasSize.h"
#include "core/ClockCollection.h"
#include "core/CommandLine.h"
#include "core/ErrorLog.h"
#include "core/MainLoop.h"
#include "core/Program.h"
#include "core/ProgramSettings.h"
#include "core/QSettingsStore.h"
#include "core/QtEventPump.h"
#include "core/RepaintScheduler.h"
#include "core/SeededRandom.h"
#include "dialog/SetFormExchange.h"
#include "sound/OpenAlSoundFile.h"
#include "sound/OpenAlSoundService.h"
#include "ui/BoardInteraction.h"
#include "ui/MenuOptions.h"
#include "ui/frmMain.h"

#include <QApplication>
#include <QStringList>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("zentriq"));
    QApplication::setOrganizationName(QStringLiteral("zentriq"));

    // The whole command line is one path.
    const QString commandLine = QApplication::arguments().mid(1).join(QLatin1Char(' '));
    const QString programFolder = AppPaths::programFolder(QApplication::applicationDirPath());

    BootTimeSource time;
    SeededRandom random(SeededRandom::secondsSinceMidnight());
    ErrorLog log(programFolder, AppPaths::userDataFolder());
    OpenAlSoundService sound;
    MenuOptions options;
    CanvasSize canvasSize;
    RepaintScheduler repaint;
    const ClockEnvironment env{time, options, canvasSize, random, sound, log, programFolder};
    ClockCollection clocks(env);

    frmMain window(clocks, options, canvasSize, repaint);
    BoardInteraction interaction(window, clocks, repaint);
    SetFormExchange setForm(clocks, window, repaint, OpenAlSoundFile::decodedFormats());
    QObject::connect(&window, &frmMain::setFormRequested, &setForm, &SetFormExchange::showSetForm);
    window.show();

    QSettingsStore store(QStringLiteral("zentriq"));
    ProgramSettings settings(store, options);
    settings.loadSettings();

    QtEventPump pump(time);
    MainLoop loop(clocks, time, options, pump, window, repaint);
    Program program(loop, settings);
    QObject::connect(&window, &frmMain::quitRequested, &window, [&program] { program.quitProgram(); });

    // Loading comes with the clock-file commands; until then a ".clk" argument is recognised and set aside.
    const QString clockFile = CommandLine::clockFileArgument(commandLine);
    Q_UNUSED(clockFile);

    return loop.run();
}
