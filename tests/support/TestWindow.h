#pragma once
#include "FakeFileChooser.h"
#include "TestBoard.h"
#include "core/RepaintScheduler.h"
#include "display/CanvasWidget.h"
#include "ui/BoardInteraction.h"
#include "ui/MainMenu.h"
#include "ui/MenuOptions.h"
#include "ui/frmMain.h"

#include <QtTest>
#include <QtWidgets>

// Widget tests keep their settings and files apart from the user's from before their QApplication on, on
// a screen of the given device-pixel ratio.
template <class Test> int widgetTestMain(int argc, char* argv[], const char* scale = "1") {
    QStandardPaths::setTestModeEnabled(true);
    qputenv("QT_SCALE_FACTOR", scale);
    QApplication app(argc, argv);
    Test test;
    return QTest::qExec(&test, argc, argv);
}

// The main window as the program wires it, on fakes: saved clocks A, B, C (ids 1, 2, 3) centred at `home`.
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
            place(i, home[i]);
        }
        clocks.markSaved();
    }
    QAction* item(const QString& name) const {
        QAction* found = form.findChild<QAction*>(name);
        return found ? found : options.findChild<QAction*>(name);
    }
    void place(int i, QPoint at) { // a new home, in pixels
        clocks.clock(i).setPosition(float((home[i] = at).x()) * 15, float(at.y()) * 15);
    }
    // "A* B!5 C@30,30 - +": A selected, B running in group 5, C moved, one added (from the centre), changed.
    QString state() const {
        QStringList s;
        for (int i = 0; i < clocks.clockCount(); ++i) {
            const clsClock& c = clocks.clock(i);
            const int h = c.purpose().isEmpty() ? 3 : c.purpose()[0].unicode() - u'A';
            const QPoint at(qRound(c.myX() / 15), qRound(c.myY() / 15));
            const QPoint centre(qRound(canvas.canvasWidth() / 30), qRound(canvas.canvasHeight() / 30));
            const QPoint moved = h < 0 || h > 3 ? QPoint() : at - (h < 3 ? home[h] : centre);
            s << (h == 3 ? "-" : c.purpose()) + (c.selected() ? "*" : "") + (c.active() ? "!" : "") +
                     (c.groupNum() >= 0 ? QString::number(c.groupNum()) : "") +
                     (moved.isNull() ? QString() : QStringLiteral("@%1,%2").arg(moved.x()).arg(moved.y()));
        }
        return s.join(' ') + (clocks.hasUnsavedChanges() ? " +" : "");
    }
    // Steps at spaces, "_" a space. On the canvas "x,y" presses or drags, "~x,y" moves, "up", "dbl" (the
    // next press doubles), "shift" .. "right"; "sel=011", "mnu<Item>", "<key>:<X keycode>". A control by
    // name: "<name>" clicks, "<name>=<value>" sets, "<name>+=<text>" types, "<name>:<key>". Others: `own`.
    void run(const QString& steps, const std::function<void(const QString&)>& own) {
        QWidget* board = form.canvas();
        Qt::KeyboardModifiers mods;
        Qt::MouseButton button = Qt::LeftButton;
        bool pressed = false, dbl = false;
        QPoint last;
        for (QString step : steps.split(' ')) {
            step.replace('_', ' ');
            const QString name = step.section(QRegularExpression("\\+?[=:]"), 0, 0),
                          key = step.section(':', 1);
            QWidget* control = nullptr;
            for (QWidget* top : QApplication::topLevelWidgets())
                control = control ? control : top->findChild<QWidget*>(name);
            const QPoint at(step.section(',', 0, 0).remove('~').toInt(), step.section(',', 1).toInt());
            const auto mod = QStringList{"shift", "ctrl", "alt", "right"}.indexOf(step);
            if (step.startsWith("sel=")) {
                for (int i = 0; i < clocks.clockCount(); ++i)
                    clocks.clock(i).setSelected(step[4 + i] == QLatin1Char('1'));
            } else if (step.startsWith("mnu")) {
                item(step)->trigger();
            } else if (control && step == name) {
                QTest::mouseClick(control, Qt::LeftButton);
            } else if (control && step.contains("+=")) {
                QTest::keyClicks(control, step.section('=', 1));
            } else if (control && step.contains('=')) { // its user property: text, checked, value
                control->metaObject()->userProperty().write(control, step.section('=', 1));
            } else if (step.contains(':') &&
                       !step.contains('=')) { // to a control, or to the canvas as X sends it
                const QKeyCombination k = QKeySequence::fromString(control ? key : name)[0];
                QKeyEvent press(QEvent::KeyPress, k.key(), k.keyboardModifiers(), control ? 0 : key.toUInt(),
                                0, 0, {});
                control ? control->setFocus() : void();
                QApplication::sendEvent(control ? control : board, &press);
            } else if (mod >= 0) {
                mods = QList<Qt::KeyboardModifiers>{
                    Qt::ShiftModifier, Qt::ControlModifier, Qt::AltModifier, {}}[mod];
                button = mod == 3 ? Qt::RightButton : Qt::LeftButton;
            } else if (step == "up" || step == "dbl") {
                QTest::mouseRelease(board, button, mods, last);
                pressed = false;
                dbl = step == "dbl";
            } else if (!QRegularExpression("^~?\\d+,\\d+$").match(step).hasMatch()) {
                own(step);
            } else if (step.startsWith('~') || pressed) {
                QTest::mouseMove(board, last = at);
            } else {
                dbl ? QTest::mouseDClick(board, button, mods, last = at)
                    : QTest::mousePress(board, button, mods, last = at);
                pressed = true;
            }
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            QCoreApplication::processEvents();
        }
        if (pressed)
            QTest::mouseRelease(board, button, mods, last);
    }
};
