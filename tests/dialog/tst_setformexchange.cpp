// The Set Clock dialog and its clock, wired to the main window as the program wires them.
#include "FakeFileChooser.h"
#include "TestBoard.h"
#include "core/RepaintScheduler.h"
#include "dialog/SetFormExchange.h"
#include "dialog/frmSet.h"
#include "display/CanvasWidget.h"
#include "ui/BoardInteraction.h"
#include "ui/MainMenu.h"
#include "ui/MenuOptions.h"
#include "ui/frmMain.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QtTest>

namespace {
// Clocks A, B, C centred at pixels (200, 100), (400, 100), (200, 300) of the canvas, identifiers 1, 2, 3.
struct Window {
    static QString folder() { return QDir::cleanPath(QCoreApplication::applicationDirPath() + "/.."); }
    FakeTimeSource time;
    MenuOptions options;
    CanvasSize canvas;
    ScriptedRandom random;
    FakeSoundService sound;
    MemoryErrorLog log;
    // The build tree keeps the pictures and sounds beside the program, a folder above the tests.
    ClockEnvironment env{time, options, canvas, random, sound, log, folder()};
    ClockCollection clocks{env};
    RepaintScheduler repaint;
    frmMain window{clocks, options, canvas, repaint};
    BoardInteraction interaction{window, clocks, repaint};
    FakeFileChooser chooser;
    SetFormExchange exchange{
        clocks, window, repaint, {"FLAC (Free Lossless Audio Codec) (*.flac)"}, &chooser};

    Window() {
        QObject::connect(&window, &frmMain::setFormRequested, &exchange, &SetFormExchange::showSetForm);
        const QPoint home[3] = {{200, 100}, {400, 100}, {200, 300}};
        for (int i = 0; i < 3; ++i) {
            clsClock* c = clocks.appendClock();
            c->setPurpose(QString(QChar(u'A' + i)));
            c->setPosition(float(home[i].x()) * 15, float(home[i].y()) * 15);
            c->setStoredId(i + 1);
        }
        clocks.markSaved();
    }
    frmSet& form() { return *exchange.form(); }
    QString names() const {
        QStringList out;
        for (int i = 0; i < clocks.clockCount(); ++i)
            out << (clocks.clock(i).purpose().isEmpty() ? "-" : clocks.clock(i).purpose());
        return out.join(' ');
    }
    // Runs the dialog's deferred deletion.
    static void settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
};

// "Tea 3725/3725 down stop link0 sound1 alarm1 vols 5,15,50,75,100/100 /a.wav"
QString summary(const clsClock& c) {
    QStringList vols;
    for (int i = 0; i < clsClock::bandCount; ++i)
        vols << QString::number(c.tickVol(i));
    return QStringLiteral("%1 %2/%3 %4 %5 link%6 sound%7 alarm%8 vols %9/%10 %11")
        .arg(c.purpose())
        .arg(c.duration())
        .arg(c.currentTime())
        .arg(c.countType() == 0 ? "down" : "up", c.active() ? "run" : "stop")
        .arg(c.linkID())
        .arg(int(c.soundActive()))
        .arg(int(c.alarmActive()))
        .arg(vols.join(','))
        .arg(c.alarmVolume())
        .arg(c.alarmFile());
}

// "Tea | 1 2 5 | up | sound1 alarm0 | 5 15 50 75 100 / 100 | /a.wav"
QString shown(frmSet& f) {
    QStringList vols;
    for (QSlider* s : f.sldTickVol)
        vols << QString::number(s->value());
    return QStringLiteral("%1 | %2 %3 %4 | %5 | sound%6 alarm%7 | %8 / %9 | %10")
        .arg(f.txtPurpose->text(), f.txtHours->text(), f.txtMinutes->text(), f.txtSeconds->text(),
             f.opnType[0]->isChecked()   ? "down"
             : f.opnType[1]->isChecked() ? "up"
                                         : "none")
        .arg(int(f.chkSound->isChecked()))
        .arg(int(f.chkAlarm->isChecked()))
        .arg(vols.join(' '))
        .arg(f.sldAlarmVol->value())
        .arg(f.txtAlarmFile->text());
}
} // namespace

class TestSetFormExchange : public QObject {
    Q_OBJECT
    std::unique_ptr<Window> w;

private slots:
    void init() {
        w = std::make_unique<Window>();
        w->window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w->window));
    }
    void cleanup() {
        w.reset();
        Window::settle();
    }

    void populate_data() {
        QTest::addColumn<double>("duration");
        QTest::addColumn<qint16>("countType");
        QTest::addColumn<bool>("sound");
        QTest::addColumn<bool>("alarm");
        QTest::addColumn<QString>("expected");
        QTest::newRow("1 h 2 min 5 s") << 3725.0 << qint16(0) << true << true
                                       << "B | 1 2 5 | down | sound1 alarm1 | 0 20 40 60 80 / 30 | /a.wav";
        QTest::newRow("59.9 s, up") << 59.9 << qint16(1) << false << true
                                    << "B | 0 0 59 | up | sound0 alarm1 | 0 20 40 60 80 / 30 | /a.wav";
        QTest::newRow("other type counts up")
            << 0.0 << qint16(7) << true << false
            << "B | 0 0 0 | up | sound1 alarm0 | 0 20 40 60 80 / 30 | /a.wav";
    }
    void populate() {
        QFETCH(double, duration);
        QFETCH(qint16, countType);
        QFETCH(bool, sound);
        QFETCH(bool, alarm);
        QFETCH(QString, expected);
        clsClock& b = w->clocks.clock(1);
        b.setDuration(duration);
        b.setCountType(countType);
        b.setSoundActive(sound);
        b.setAlarmActive(alarm);
        for (int i = 0; i < clsClock::bandCount; ++i)
            b.setTickVol(qint16(i), qint16(20 * i));
        b.setAlarmVolume(30);
        b.setAlarmFile("/a.wav");
        w->exchange.showSetForm(0);
        w->exchange.showSetForm(1); // reopening retargets and refills
        QCOMPARE(shown(w->form()), expected);
        QCOMPARE(w->form().lblTickVol[3]->text(), "60%");
        QCOMPARE(w->form().lblAlarmVol->text(), "30%");
    }

    // Named clocks are listed in board order after "(None)", the linked one selected; reopening lists afresh.
    void linkList() {
        w->clocks.clock(1).setPurpose(QString());
        w->clocks.clock(0).setLinkID(3);
        QStringList items;
        for (int open = 0; open < 2; ++open) {
            w->exchange.showSetForm(0);
            items.clear();
            for (int i = 0; i < w->form().cmbLink->count(); ++i)
                items << w->form().cmbLink->itemText(i);
            QCOMPARE(items, QStringList({"(None)", "A | 1", "C | 3"}));
            QCOMPARE(w->form().cmbLink->currentText(), "C | 3");
        }
        w->exchange.showSetForm(2);
        QCOMPARE(w->form().cmbLink->currentText(), "(None)");
    }

    // A is a 100 s count-down clock linked to C, with the design sounds; edits, then Save Clock.
    void save_data() {
        QTest::addColumn<bool>("running");
        QTest::addColumn<QStringList>("edits");
        QTest::addColumn<QString>("after");
        const QString wristWatch = Window::folder() + "/sounds/alarms/wristWatch.wav";
        const QString sounds = "sound1 alarm1 vols 5,15,50,75,100/100 " + wristWatch;
        QTest::newRow("minutes past 59, empty seconds")
            << false << QStringList{"h=1", "m=90", "s="} << "A 9000/9000 down stop link3 " + sounds;
        QTest::newRow("(None) stores 0")
            << false << QStringList{"link=0"} << "A 100/100 down stop link0 " + sounds;
        QTest::newRow("name kept as typed")
            << false << QStringList{"name= Tea "} << " Tea  100/100 down stop link3 " + sounds;
        QTest::newRow("alarm off keeps its file")
            << false << QStringList{"alarm=0"}
            << "A 100/100 down stop link3 sound1 alarm0 vols 5,15,50,75,100/100 " + wristWatch;
        QTest::newRow("sounds") << false << QStringList{"sound=0", "vol=4", "file=/b.ogg"}
                                << "A 100/100 down stop link3 sound0 alarm1 vols 5,15,50,75,4/4 /b.ogg";
        QTest::newRow("running, direction changed")
            << true << QStringList{"m=1", "s=0", "up"} << "A 60/60 up stop link3 " + sounds;
        QTest::newRow("running, direction kept")
            << true << QStringList{"m=1", "s=0"} << "A 100/90 down run link3 " + sounds;
    }
    void save() {
        QFETCH(bool, running);
        QFETCH(QStringList, edits);
        QFETCH(QString, after);
        clsClock& a = w->clocks.clock(0);
        a.setDuration(100);
        a.setLinkID(3);
        a.resetClock();
        if (running) {
            a.setActive(true);
            a.setCurrentTime(90);
        }
        w->exchange.showSetForm(0);
        frmSet& f = w->form();
        for (const QString& edit : edits) {
            const QString key = edit.section('=', 0, 0), value = edit.section('=', 1);
            if (key == "h" || key == "m" || key == "s" || key == "name" || key == "file")
                (key == "h"      ? f.txtHours
                 : key == "m"    ? f.txtMinutes
                 : key == "s"    ? f.txtSeconds
                 : key == "name" ? f.txtPurpose
                                 : f.txtAlarmFile)
                    ->setText(value);
            else if (key == "link")
                f.cmbLink->setCurrentIndex(value.toInt());
            else if (key == "alarm")
                f.chkAlarm->setChecked(value == "1");
            else if (key == "sound")
                f.chkSound->setChecked(value == "1");
            else if (key == "vol") {
                f.sldTickVol[4]->setValue(value.toInt());
                f.sldAlarmVol->setValue(value.toInt());
            } else if (key == "up")
                f.opnType[1]->setChecked(true);
        }
        QTest::mouseClick(f.cmdSet, Qt::LeftButton);
        QCOMPARE(summary(a), after);
        QVERIFY(w->clocks.hasUnsavedChanges());
        Window::settle();
        QVERIFY(!w->exchange.form());
    }

    // Enter in the name field saves and closes; a request that comes before the closed dialog is deleted
    // opens a fresh one.
    void enterInNameSaves() {
        w->exchange.showSetForm(2);
        QTest::keyClicks(w->form().txtPurpose, "Pasta");
        QTest::keyClick(w->form().txtPurpose, Qt::Key_Return);
        QCOMPARE(w->names(), "A B Pasta"); // the name is selected on opening, so typing replaces it
        QVERIFY(!w->exchange.form());
        w->exchange.showSetForm(0);
        Window::settle();
        QVERIFY(w->exchange.form() && w->form().isVisible());
        QCOMPARE(w->form().txtPurpose->text(), "A");
    }

    // The dialog opened for B acts on B whatever happens to the board meanwhile.
    void followsClock_data() {
        QTest::addColumn<QString>("meanwhile");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("names");
        QTest::newRow("A deleted, Save") << "delete 0"
                                         << "cmdSet"
                                         << "X C";
        QTest::newRow("A deleted, Delete clock") << "delete 0"
                                                 << "cmdDel"
                                                 << "C";
        QTest::newRow("nothing, Delete clock") << ""
                                               << "cmdDel"
                                               << "A C";
        QTest::newRow("B deleted, Save") << "delete 1"
                                         << "cmdSet"
                                         << "A C";
        QTest::newRow("B deleted, Delete clock") << "delete 1"
                                                 << "cmdDel"
                                                 << "A C";
        QTest::newRow("B deleted, a clock added") << "delete 1, append"
                                                  << "cmdSet"
                                                  << "A C -";
        QTest::newRow("board closed, reloaded") << "close, append"
                                                << "cmdSet"
                                                << "-";
    }
    void followsClock() {
        QFETCH(QString, meanwhile);
        QFETCH(QString, button);
        QFETCH(QString, names);
        w->exchange.showSetForm(1);
        w->form().txtPurpose->setText("X");
        for (const QString& step : meanwhile.split(", ", Qt::SkipEmptyParts)) {
            if (step.startsWith("delete"))
                w->clocks.deleteClock(step.section(' ', 1).toInt());
            else if (step == "close")
                w->clocks.removeAllClocks();
            else
                w->clocks.appendClock();
        }
        w->clocks.markSaved();
        QTest::mouseClick(w->form().findChild<QPushButton*>(button), Qt::LeftButton);
        QCOMPARE(w->names(), names);
        QCOMPARE(w->clocks.hasUnsavedChanges(),
                 !meanwhile.contains("delete 1") && !meanwhile.contains("close"));
        QVERIFY(!w->exchange.form());
    }

    // An index outside the board opens nothing and leaves an open dialog with its clock.
    void outsideBoard() {
        for (const int n : {-1, 3})
            w->exchange.showSetForm(n);
        QVERIFY(!w->exchange.form());
        w->exchange.showSetForm(2);
        for (const int n : {-1, 3})
            w->exchange.showSetForm(n);
        QCOMPARE(w->exchange.editedClock(), &w->clocks.clock(2));
    }

    // "Add a Clock" opens the dialog for the new clock, without holding the main window.
    void addClockOpens() {
        w->window.menu().mnuFileAddClock->trigger();
        QVERIFY(w->exchange.form() && w->form().isVisible() && !w->form().isModal());
        QCOMPARE(w->form().windowTitle(), "Set Clock");
        QCOMPARE(w->exchange.editedClock(), &w->clocks.clock(3));
        QCOMPARE(w->form().focusWidget(), w->form().txtPurpose);
        QVERIFY(w->form().screen()->availableGeometry().contains(w->form().frameGeometry()));
    }

    // A double click opens the clock found by its first press, at the window's corner plus the clock's box
    // corner (moved left to stay on the 800 pixel wide screen); the second press presses no button again.
    void doubleClick_data() {
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<int>("opened");
        QTest::addColumn<bool>("running");
        QTest::addColumn<QPoint>("placed");
        QTest::newRow("on B's box") << QPoint(400, 100) << 1 << false << QPoint(800 - 592, 83);
        QTest::newRow("on A's start button") << QPoint(250, 90) << 0 << true << QPoint(167, 83);
        QTest::newRow("on empty canvas") << QPoint(600, 350) << -1 << false << QPoint();
    }
    void doubleClick() {
        QFETCH(QPoint, at);
        QFETCH(int, opened);
        QFETCH(bool, running);
        QFETCH(QPoint, placed);
        // As the platform delivers it: press, release, double click in place of the second press, release.
        QTest::mouseClick(w->window.canvas(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(w->window.canvas(), Qt::LeftButton, {}, at);
        QTest::mouseRelease(w->window.canvas(), Qt::LeftButton, {}, at);
        QCOMPARE(w->exchange.form() != nullptr, opened >= 0);
        QCOMPARE(w->clocks.clock(0).active(), running);
        if (opened < 0)
            return;
        const clsClock& c = w->clocks.clock(opened);
        QCOMPARE(w->exchange.editedClock(), &c);
        QCOMPARE(w->form().txtPurpose->text(), c.purpose());
        QCOMPARE(w->form().pos() - w->window.pos(), placed);
    }

    // Browse starts in the program's alarm folder and offers wave, then the decoded types, then all files.
    void browseFolderAndFilters() {
        w->exchange.showSetForm(0);
        QTest::mouseClick(w->form().cmdBrowse, Qt::LeftButton);
        QCOMPARE(w->chooser.lastFolder, Window::folder() + "/sounds/alarms");
        QCOMPARE(w->chooser.lastFilters,
                 QStringList(
                     {"Wave Audio (*.wav)", "FLAC (Free Lossless Audio Codec) (*.flac)", "All Files (*.*)"}));
    }
};

int main(int argc, char* argv[]) {
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    TestSetFormExchange test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_setformexchange.moc"
