// The Set Clock dialog and its clock, wired to the main window as the program wires them.
#include "TestWindow.h"
#include "dialog/SetFormExchange.h"
#include "dialog/frmSet.h"

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
    static void settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
};
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

    // A filled into the dialog (after it was open for B), edited, then Save Clock. The dialog as "name |
    // h m s | direction | sound alarm | vols | labels, file | link"; the clock as "name duration/current
    // direction link sound alarm vols/alarm file". The direction rule has tests of its own.
    void editAndSave_data() {
        textRows({"clock", "shown", "edit", "saved"}, // the clock: duration, count type, sound and alarm
                 {{"1 h 2 min 5 s, (None) stores 0", "3725 0 1",
                   "A | 1 2 5 | down | 11 | 0 20 40 60 80 30 | 60%30%/a.wav | C | 3", "link",
                   "A 3725/3725 down 0 11 0,20,40,60,80/30 a.wav"},
                  {"59.9 s up, name as typed, time", "59.9 1 0",
                   "A | 0 0 59 | up | 00 | 0 20 40 60 80 30 | 60%30%/a.wav | C | 3", "name",
                   " x  9000/9000 up 3 01 0,20,40,60,80/30 a.wav"},
                  {"other type counts up, alarm off keeps its file", "0 7 1",
                   "A | 0 0 0 | up | 11 | 0 20 40 60 80 30 | 60%30%/a.wav | C | 3", "alarm",
                   "A 0/0 up 3 10 0,20,40,60,80/30 a.wav"},
                  {"sounds", "100 0 1", "A | 0 1 40 | down | 11 | 0 20 40 60 80 30 | 60%30%/a.wav | C | 3",
                   "sounds", "A 100/100 down 3 01 0,20,40,60,4/4 b.ogg"}});
    }
    void editAndSave() {
        QFETCH(QString, clock);
        QFETCH(QString, shown);
        QFETCH(QString, edit);
        QFETCH(QString, saved);
        clsClock& a = w->clocks.clock(0);
        const QStringList c = clock.split(' ');
        a.setDuration(c[0].toDouble());
        a.setCountType(qint16(c[1].toInt()));
        a.setSoundActive(c[2] == "1");
        a.setAlarmActive(c[2] == "1");
        a.setLinkID(3);
        for (int i = 0; i < clsClock::bandCount; ++i)
            a.setTickVol(qint16(i), qint16(20 * i));
        a.setAlarmVolume(30);
        a.setAlarmFile("/a.wav");
        a.resetClock();
        w->exchange.showSetForm(1);
        w->exchange.showSetForm(0);
        frmSet& f = w->dialog();
        QStringList vols;
        for (int i = 0; i <= frmSet::bandCount; ++i)
            vols << QString::number((i < frmSet::bandCount ? f.sldTickVol[i] : f.sldAlarmVol)->value());
        QCOMPARE(
            QStringList({f.txtPurpose->text(),
                         f.txtHours->text() + ' ' + f.txtMinutes->text() + ' ' + f.txtSeconds->text(),
                         f.opnType[1]->isChecked() ? "up" : "down",
                         QString::number(f.chkSound->isChecked()) + QString::number(f.chkAlarm->isChecked()),
                         vols.join(' '),
                         f.lblTickVol[3]->text() + f.lblAlarmVol->text() + f.txtAlarmFile->text(),
                         f.cmbLink->currentText()})
                .join(" | "),
            shown);
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
        vols.clear();
        for (int i = 0; i < clsClock::bandCount; ++i)
            vols << QString::number(a.tickVol(i));
        QCOMPARE(QStringLiteral("%1 %2/%3 %4 %5 %6%7 %8/%9")
                         .arg(a.purpose())
                         .arg(a.duration())
                         .arg(a.currentTime())
                         .arg(a.countType() == 0 ? "down" : "up")
                         .arg(a.linkID())
                         .arg(int(a.soundActive()))
                         .arg(int(a.alarmActive()))
                         .arg(vols.join(','))
                         .arg(a.alarmVolume()) +
                     ' ' + QFileInfo(a.alarmFile()).fileName(),
                 saved);
        QVERIFY(w->clocks.hasUnsavedChanges() && !w->exchange.form());
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
            QCOMPARE(items.join(',') + ',' + w->dialog().cmbLink->currentText(),
                     n == 0 ? "(None),A | 1,C | 3,C | 3" : "(None),A | 1,C | 3,(None)");
        }
        w->dialog().setActiveLink("C | 4");
        QCOMPARE(w->dialog().cmbLink->currentIndex(), 0);
    }

    // Enter in the name saves; a request that comes before the closed dialog is deleted opens a fresh one.
    void enterInNameSaves() {
        w->exchange.showSetForm(2);
        const QPointer<frmSet> first = w->exchange.form();
        QTest::keyClicks(w->dialog().txtPurpose, "Pasta"); // the name is selected on opening
        QTest::keyClick(w->dialog().txtPurpose, Qt::Key_Return);
        QCOMPARE(w->state(), "A B Pasta +");
        w->exchange.showSetForm(0);
        Window::settle();
        QVERIFY(w->exchange.form() && w->dialog().isVisible() && w->dialog().txtPurpose->text() == "A");
        QVERIFY(!first); // the closed dialog is gone, not kept hidden
    }

    // The dialog opened for B acts on B whatever happens to the board meanwhile, and on nothing once B is
    // gone.
    void followsClock_data() {
        textRows({"meanwhile", "button", "names"},
                 {{"A deleted, Save", "delete 0", "cmdSet", "X C +"},
                  {"A deleted, Delete clock", "delete 0", "cmdDel", "C +"},
                  {"B deleted, Delete clock", "delete 1", "cmdDel", "A C"},
                  {"B deleted, a clock added", "delete 1, append", "cmdSet", "A C -"},
                  {"board closed and refilled", "close, append", "cmdSet", "-"},
                  {"outside the board asked", "ask -1, ask 3", "cmdSet", "A X C +"}});
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
    }
    void doubleClick() {
        QFETCH(QPoint, at);
        QFETCH(int, opened);
        QFETCH(QPoint, placed);
        QTest::mouseClick(w->form.canvas(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(w->form.canvas(), Qt::LeftButton, {}, at);
        QTest::mouseRelease(w->form.canvas(), Qt::LeftButton, {}, at);
        QCOMPARE(w->clocks.clock(0).active(), opened == 0);
        QCOMPARE(w->exchange.editedClock(), &w->clocks.clock(opened));
        QCOMPARE(w->dialog().pos() - w->form.pos(), placed);
    }
};

WIDGET_TEST_MAIN(TestSetFormExchange)
#include "tst_setformexchange.moc"
