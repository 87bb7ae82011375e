#pragma once
#include "FakeFileChooser.h"
#include "TestBoard.h"
#include "core/RepaintScheduler.h"
#include "display/CanvasWidget.h"
#include "ui/BoardInteraction.h"
#include "ui/MainMenu.h"
#include "ui/MenuOptions.h"
#include "ui/frmMain.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QtTest>

// The main of a test on real widgets (offscreen).
#define WIDGET_TEST_MAIN(Class)                                                                              \
    int main(int argc, char* argv[]) {                                                                       \
        QStandardPaths::setTestModeEnabled(true);                                                            \
        QApplication app(argc, argv);                                                                        \
        Class test;                                                                                          \
        return QTest::qExec(&test, argc, argv);                                                              \
    }

// The main window wired as the program wires it, on fakes for time, sound and chance: clocks A, B, C with
// identifiers 1, 2, 3, centred at pixels (200, 100), (400, 100), (200, 300), and no unsaved changes.
struct TestWindow {
    // The build tree keeps the pictures and sounds beside the program, a folder above the tests.
    static QString folder() { return QDir::cleanPath(QCoreApplication::applicationDirPath() + "/.."); }
    QPoint home[3] = {{200, 100}, {400, 100}, {200, 300}};
    FakeTimeSource time;
    MenuOptions options;
    CanvasSize canvas;
    ScriptedRandom random;
    FakeSoundService sound;
    MemoryErrorLog log;
    ClockEnvironment env{time, options, canvas, random, sound, log, folder()};
    ClockCollection clocks{env};
    RepaintScheduler repaint;
    frmMain form{clocks, options, canvas, repaint};
    BoardInteraction interaction{form, clocks, repaint};
    QSignalSpy forms{&form, &frmMain::setFormRequested};

    TestWindow() {
        for (int i = 0; i < 3; ++i) {
            clsClock* c = clocks.appendClock();
            c->setPurpose(QString(QChar(u'A' + i)));
            c->setStoredId(i + 1);
        }
        place({home[0], home[1], home[2]});
        clocks.markSaved();
    }
    bool show() {
        form.show();
        return QTest::qWaitForWindowExposed(&form);
    }
    QAction* item(const QString& name) const {
        QAction* found = form.findChild<QAction*>(name);
        return found ? found : options.findChild<QAction*>(name);
    }
    void place(const QList<QPoint>& at) { // new homes, in pixels
        for (int i = 0; i < at.size(); ++i) {
            home[i] = at[i];
            clocks.clock(i).setPosition(float(at[i].x()) * 15, float(at[i].y()) * 15);
        }
    }
    void select(const QString& mask) {
        for (int i = 0; i < clocks.clockCount(); ++i)
            clocks.clock(i).setSelected(mask[i] == QLatin1Char('1'));
    }
    // "A* B!5 C@30,30 +": A selected, B running in group 5, C moved by (30, 30) pixels, the board changed;
    // a clock added is "-", placed from the canvas's centre.
    QString state() const {
        QStringList s;
        for (int i = 0; i < clocks.clockCount(); ++i) {
            const clsClock& c = clocks.clock(i);
            const int h = c.purpose().isEmpty() ? -1 : c.purpose()[0].unicode() - u'A';
            const QPoint at(qRound(c.myX() / 15), qRound(c.myY() / 15));
            const QPoint centre(qRound(canvas.canvasWidth() / 30), qRound(canvas.canvasHeight() / 30));
            const QPoint moved = c.purpose().isEmpty() ? at - centre
                                 : h < 0 || h > 2      ? QPoint()
                                                       : at - home[h];
            s << (c.purpose().isEmpty() ? "-" : c.purpose()) + (c.selected() ? "*" : "") +
                     (c.active() ? "!" : "") + (c.groupNum() >= 0 ? QString::number(c.groupNum()) : "") +
                     (moved.isNull() ? QString() : QStringLiteral("@%1,%2").arg(moved.x()).arg(moved.y()));
        }
        return s.join(' ') + (clocks.hasUnsavedChanges() ? " +" : "");
    }
    // The clocks whose Set Clock dialog was asked for, by index.
    QString asked() const {
        QStringList out;
        for (const QList<QVariant>& signal : forms)
            out << signal.at(0).toString();
        return out.join(' ');
    }
};
