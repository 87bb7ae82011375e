#include "core/AppPaths.h"
#include "core/BootTimeSource.h"
#include "core/CanvasSize.h"
#include "core/ClockCollection.h"
#include "core/CommandLine.h"
#include "core/CompletionNotices.h"
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
#include "ui/DBusNotifier.h"
#include "ui/FileCommands.h"
#include "ui/MenuOptions.h"
#include "ui/frmMain.h"

#include <QApplication>
#include <QByteArray>
#include <QDir>
#include <QList>
#include <QStringList>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("zentriq"));
    QApplication::setOrganizationName(QStringLiteral("zentriq"));

    // The whole command line is one path, taken from the platform's own bytes (Qt has removed its own
    // options from argv by now).
    QList<QByteArray> arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QByteArray(argv[i]);
    const CommandLine::ClockFile clockFile = CommandLine::clockFileFromArguments(arguments);
    const QString programFolder = AppPaths::programFolder(QApplication::applicationDirPath());

    BootTimeSource time;
    SeededRandom random(SeededRandom::secondsSinceMidnight());
    ErrorLog log(programFolder, AppPaths::userDataFolder());
    OpenAlSoundService sound(time);
    MenuOptions options;
    CanvasSize canvasSize;
    RepaintScheduler repaint;
    const ClockEnvironment env{time, options, canvasSize, random, sound, log, programFolder};
    ClockCollection clocks(env);

    frmMain window(clocks, options, canvasSize, repaint);
    BoardInteraction interaction(window, clocks, repaint);
    FileCommands files(window, clocks, interaction.groupCommands(), repaint, programFolder,
                       AppPaths::userDataFolder());

    DBusNotifier notifier(log, QDir(programFolder).filePath(QStringLiteral("icons/zentriq.png")));
    CompletionNotices notices(notifier, options, [&window] { return window.boardInView(); });
    clocks.setCompletionHandler(
        [&notices](const QVector<CompletedClock>& done) { notices.clocksCompleted(done); });
    QObject::connect(&notifier, &DBusNotifier::activated, &window, &frmMain::bringToFront);
    SetFormExchange setForm(clocks, window, repaint, OpenAlSoundFile::decodedFormats());
    QObject::connect(&window, &frmMain::setFormRequested, &setForm, &SetFormExchange::showSetForm);
    window.show();

    QSettingsStore store(QSettingsStore::userFile(QStringLiteral("zentriq")));
    ProgramSettings settings(store, options);
    settings.loadSettings();

    QtEventPump pump(time);
    MainLoop loop(clocks, time, options, pump, window, repaint);
    Program program(loop, settings);
    program.setGuard(&files.files());
    QObject::connect(&window, &frmMain::quitRequested, &window, [&program] { program.quitProgram(); });

    if (!clockFile.path.isEmpty())
        files.files().loadClocks(clockFile.path, clockFile.native);

    return loop.run();
}
