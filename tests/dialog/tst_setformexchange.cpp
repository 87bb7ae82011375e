// The Set Clock dialog and its clock, wired to the main window as the program wires them.
#include "FakeFileChooser.h"
#include "TestWindow.h"
#include "dialog/SetFormExchange.h"
#include "dialog/frmSet.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>

namespace {
struct Window : TestWindow {
    FakeFileChooser chooser;
    SetFormExchange exchange{clocks,
                             form,
                             repaint,
                             {"WAV (Microsoft) (*.wav)", "FLAC (Free Lossless Audio Codec) (*.flac)"},
                             &chooser};
    Window() {
        QObject::connect(&form, &frmMain::setFormRequested, &exchange, &SetFormExchange::showSetForm);
    }
    frmSet& dialog() { return *exchange.form(); }
    // Lets the closed dialog go.
    static void settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
};

// A clock as "name duration/current down|up run|stop link sound alarm vols alarmVolume file".
QString summary(const clsClock& c) {
    QStringList vols;
    for (int i = 0; i < clsClock::bandCount; ++i)
        vols << QString::number(c.tickVol(i));
    return QStringLiteral("%1 %2/%3 %4 %5 link%6 %7%8 %9/%10 %11")
        .arg(c.purpose())
        .arg(c.duration())
        .arg(c.currentTime())
        .arg(c.countType() == 0 ? "down" : "up", c.active() ? "run" : "stop")
        .arg(c.linkID())
        .arg(int(c.soundActive()))
        .arg(int(c.alarmActive()))
        .arg(vols.join(','))
        .arg(c.alarmVolume())
        .arg(QFileInfo(c.alarmFile()).fileName());
}
} // namespace

class TestSetFormExchange : public QObject {
    Q_OBJECT
    std::unique_ptr<Window> w;

private slots:
    void init() {
        w = std::make_unique<Window>();
        QVERIFY(w->show());
    }
    void cleanup() {
        w.reset();
        Window::settle();
    }

    // B filled into the dialog, after it was open for A: "name | h m s | direction | sound alarm | vols".
    void populate_data() {
        QTest::addColumn<double>("duration");
        QTest::addColumn<qint16>("countType");
        QTest::addColumn<bool>("flags"); // sound and alarm
        QTest::addColumn<QString>("shown");
        QTest::newRow("1 h 2 min 5 s")
            << 3725.0 << qint16(0) << true << "B | 1 2 5 | down | 11 | 0 20 40 60 80 30";
        QTest::newRow("59.9 s, up") << 59.9 << qint16(1) << false
                                    << "B | 0 0 59 | up | 00 | 0 20 40 60 80 30";
        QTest::newRow("other type counts up")
            << 0.0 << qint16(7) << true << "B | 0 0 0 | up | 11 | 0 20 40 60 80 30";
    }
    void populate() {
        QFETCH(double, duration);
        QFETCH(qint16, countType);
        QFETCH(bool, flags);
        QFETCH(QString, shown);
        clsClock& b = w->clocks.clock(1);
        b.setDuration(duration);
        b.setCountType(countType);
        b.setSoundActive(flags);
        b.setAlarmActive(flags);
        for (int i = 0; i < clsClock::bandCount; ++i)
            b.setTickVol(qint16(i), qint16(20 * i));
        b.setAlarmVolume(30);
        b.setAlarmFile("/a.wav");
        w->exchange.showSetForm(0);
        w->exchange.showSetForm(1);
        frmSet& f = w->dialog();
        QStringList vols;
        for (int i = 0; i <= frmSet::bandCount; ++i)
            vols << QString::number((i < frmSet::bandCount ? f.sldTickVol[i] : f.sldAlarmVol)->value());
        QCOMPARE(
            QStringList({f.txtPurpose->text(),
                         f.txtHours->text() + ' ' + f.txtMinutes->text() + ' ' + f.txtSeconds->text(),
                         f.opnType[1]->isChecked() ? "up" : "down",
                         QString::number(f.chkSound->isChecked()) + QString::number(f.chkAlarm->isChecked()),
                         vols.join(' ')})
                .join(" | "),
            shown);
        QCOMPARE(f.lblTickVol[3]->text() + f.lblAlarmVol->text() + f.txtAlarmFile->text(), "60%30%/a.wav");
    }

    // Named clocks follow "(None)" in board order, the linked one selected; a reopened dialog lists afresh.
    void linkList() {
        w->clocks.clock(1).setPurpose(QString());
        w->clocks.clock(0).setLinkID(3);
        for (const int n : {2, 0}) {
            w->exchange.showSetForm(n);
            QStringList items;
            for (int i = 0; i < w->dialog().cmbLink->count(); ++i)
                items << w->dialog().cmbLink->itemText(i);
            QCOMPARE(items, QStringList({"(None)", "A | 1", "C | 3"}));
            QCOMPARE(w->dialog().cmbLink->currentText(), n == 0 ? "C | 3" : "(None)");
        }
        w->dialog().setActiveLink("C | 4");
        QCOMPARE(w->dialog().cmbLink->currentIndex(), 0);
    }

    // A (100 s, linked to C) edited, then Save Clock. The direction rule has tests of its own.
    void save_data() {
        textRows(
            {"edit", "after"},
            {{"(None) stores 0", "link", "A 100/100 down stop link0 11 5,15,50,75,100/100 wristWatch.wav"},
             {"name as typed, time", "name",
              " x  9000/9000 down stop link3 11 5,15,50,75,100/100 wristWatch.wav"},
             {"alarm off keeps its file", "alarm",
              "A 100/100 down stop link3 10 5,15,50,75,100/100 wristWatch.wav"},
             {"sounds", "sounds", "A 100/100 down stop link3 01 5,15,50,75,4/4 b.ogg"}});
    }
    void save() {
        QFETCH(QString, edit);
        QFETCH(QString, after);
        clsClock& a = w->clocks.clock(0);
        a.setDuration(100);
        a.setLinkID(3);
        a.resetClock();
        w->exchange.showSetForm(0);
        frmSet& f = w->dialog();
        if (edit == "link")
            f.cmbLink->setCurrentIndex(0);
        if (edit == "name") {
            f.txtPurpose->setText(" x ");
            f.txtHours->setText("1");
            f.txtMinutes->setText("90");
            f.txtSeconds->clear();
        }
        f.chkAlarm->setChecked(edit != "alarm");
        if (edit == "sounds") {
            f.chkSound->setChecked(false);
            f.sldTickVol[4]->setValue(4);
            f.sldAlarmVol->setValue(4);
            f.txtAlarmFile->setText("/b.ogg");
        }
        QTest::mouseClick(f.cmdSet, Qt::LeftButton);
        QCOMPARE(summary(a), after);
        QVERIFY(w->clocks.hasUnsavedChanges() && !w->exchange.form());
    }

    // Enter in the name saves; a request that comes before the closed dialog is deleted opens a fresh one.
    void enterInNameSaves() {
        w->exchange.showSetForm(2);
        const QPointer<frmSet> first = w->exchange.form();
        QTest::keyClicks(w->dialog().txtPurpose, "Pasta"); // the name is selected on opening
        QTest::keyClick(w->dialog().txtPurpose, Qt::Key_Return);
        QCOMPARE(w->state(), "A B Pasta");
        w->exchange.showSetForm(0);
        Window::settle();
        QVERIFY(w->exchange.form() && w->dialog().isVisible() && w->dialog().txtPurpose->text() == "A");
        QVERIFY(!first); // the closed dialog is gone, not kept hidden
    }

    // The dialog opened for B acts on B whatever happens to the board meanwhile, and on nothing once B is
    // gone.
    void followsClock_data() {
        textRows({"meanwhile", "button", "names"},
                 {{"A deleted, Save", "delete 0", "cmdSet", "X C"},
                  {"A deleted, Delete clock", "delete 0", "cmdDel", "C"},
                  {"B deleted, Delete clock", "delete 1", "cmdDel", "A C"},
                  {"B deleted, a clock added", "delete 1, append", "cmdSet", "A C -"},
                  {"board closed and refilled", "close, append", "cmdSet", "-"},
                  {"outside the board asked", "ask -1, ask 3", "cmdSet", "A X C"}});
    }
    void followsClock() {
        QFETCH(QString, meanwhile);
        QFETCH(QString, button);
        QFETCH(QString, names);
        w->exchange.showSetForm(1);
        w->dialog().txtPurpose->setText("X");
        for (const QString& step : meanwhile.split(", ")) {
            const int n = step.section(' ', 1).toInt();
            if (step.startsWith("delete"))
                w->clocks.deleteClock(n);
            else if (step.startsWith("ask"))
                w->exchange.showSetForm(n);
            else
                step == "close" ? w->clocks.removeAllClocks() : void(w->clocks.appendClock());
        }
        w->clocks.markSaved();
        QTest::mouseClick(w->dialog().findChild<QPushButton*>(button), Qt::LeftButton);
        QCOMPARE(w->state(), names);
        QCOMPARE(w->clocks.hasUnsavedChanges(),
                 !meanwhile.contains("delete 1") && !meanwhile.contains("close"));
        QVERIFY(!w->exchange.form());
    }

    // "Add a Clock" opens the dialog for the new clock, on the screen, without holding the main window;
    // Browse starts in the program's alarm folder with wave, the decoded types, then all files.
    void addClockOpens() {
        w->form.menu().mnuFileAddClock->trigger();
        frmSet& f = w->dialog();
        QVERIFY(f.isVisible() && !f.isModal() && f.windowTitle() == "Set Clock" &&
                f.focusWidget() == f.txtPurpose);
        QCOMPARE(w->exchange.editedClock(), &w->clocks.clock(3));
        QVERIFY(f.screen()->availableGeometry().contains(f.frameGeometry()));
        QTest::mouseClick(f.cmdBrowse, Qt::LeftButton);
        QCOMPARE(w->chooser.lastFolder, Window::folder() + "/sounds/alarms");
        QCOMPARE(w->chooser.lastFilters.join(';'),
                 "Wave Audio (*.wav);FLAC (Free Lossless Audio Codec) (*.flac);All Files (*.*)");
    }

    // A double click opens the clock found by its first press, at the window's corner plus the clock box's
    // (kept on the 800 pixel wide screen); the second press presses no button again.
    void doubleClick_data() {
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<int>("opened");
        QTest::addColumn<QPoint>("placed");
        QTest::newRow("on B's box") << QPoint(400, 100) << 1 << QPoint(800 - 592, 83);
        QTest::newRow("on A's start button") << QPoint(250, 90) << 0 << QPoint(167, 83);
        QTest::newRow("on empty canvas") << QPoint(600, 350) << -1 << QPoint();
    }
    void doubleClick() {
        QFETCH(QPoint, at);
        QFETCH(int, opened);
        QFETCH(QPoint, placed);
        // As the platform delivers it: press, release, a double click in place of the second press, release.
        QTest::mouseClick(w->form.canvas(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(w->form.canvas(), Qt::LeftButton, {}, at);
        QTest::mouseRelease(w->form.canvas(), Qt::LeftButton, {}, at);
        QCOMPARE(w->clocks.clock(0).active(), opened == 0);
        QCOMPARE(w->exchange.editedClock(), opened < 0 ? nullptr : &w->clocks.clock(opened));
        if (opened >= 0)
            QCOMPARE(w->dialog().pos() - w->form.pos(), placed);
    }
};

int main(int argc, char* argv[]) {
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    TestSetFormExchange test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_setformexchange.moc"
