#pragma once
#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>

// Pictures and fonts need a GUI application, timers any application: every benchmark that needs one makes
// sure there is this one, whichever runs first.
inline void ensureGuiApplication() {
    if (QCoreApplication::instance())
        return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "zentriq_bench";
    static char* argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
}

// The build tree keeps pictures/ beside the program, one folder above the benchmark.
inline QString assetFolder() {
    const QDir exe(QCoreApplication::applicationDirPath());
    for (const QString& dir : {exe.absoluteFilePath(QStringLiteral("..")), exe.absolutePath()})
        if (QDir(dir).exists(QStringLiteral("pictures")))
            return dir;
    return exe.absolutePath();
}
