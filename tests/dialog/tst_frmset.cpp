// The Set Clock dialog opened from the real main window and driven as a user drives it.
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
    QMetaObject::Connection opens =
        QObject::connect(&form, &frmMain::setFormRequested, &exchange, &SetFormExchange::showSetForm);
    // "A 3725/100! down 3 11 a.wav": name, duration/time (running), link, sound alarm, volumes unless the
    // usual 0,20,40,60,80/30, alarm file.
    QString clock(int n) const {
        const clsClock& a = clocks.clock(n);
        QStringList vols;
        for (int i = 0; i < clsClock::bandCount; ++i)
            vols << QString::number(a.tickVol(i));
        const QString v = vols.join(',') + '/' + QString::number(a.alarmVolume()) + ' ';
        return a.purpose() + QStringLiteral(" %1/%2").arg(a.duration()).arg(a.currentTime()) +
               (a.active() ? "! " : " ") + (a.countType() == 0 ? "down " : "up ") +
               QString::number(a.linkID()) + ' ' + QString::number(a.soundActive()) +
               QString::number(a.alarmActive()) + ' ' + (v == "0,20,40,60,80/30 " ? "" : v) +
               QFileInfo(a.alarmFile()).fileName();
    }
    // "A; 1 2 5; down; 11; 0 20 40 60 80/30; a.wav; (None)/C | 3*; 167,83", "?" a volume its label lacks.
    QString dialog() const {
        const frmSet& f = *exchange.form();
        const auto vol = [](const QSlider* s, const QLabel* l) {
            return QString::number(s->value()) + (l->text() == QString::number(s->value()) + '%' ? "" : "?");
        };
        QStringList vols, links;
        for (int i = 0; i < frmSet::bandCount; ++i)
            vols << vol(f.sldTickVol[i], f.lblTickVol[i]);
        for (int i = 0; i < f.cmbLink->count(); ++i)
            links << f.cmbLink->itemText(i) + (i == f.cmbLink->currentIndex() ? "*" : "");
        const QPoint at = f.pos() - form.pos();
        return f.txtPurpose->text() + "; " + f.txtHours->text() + ' ' + f.txtMinutes->text() + ' ' +
               f.txtSeconds->text() + (f.opnType[1]->isChecked() ? "; up; " : "; down; ") +
               QString::number(f.chkSound->isChecked()) + QString::number(f.chkAlarm->isChecked()) + "; " +
               (f.sldAlarmVol->isVisible() ? vols.join(' ') + '/' + vol(f.sldAlarmVol, f.lblAlarmVol) : "-") +
               "; " + QFileInfo(f.txtAlarmFile->text()).fileName() + "; " + links.join('/') +
               QStringLiteral("; %1,%2").arg(at.x()).arg(at.y());
    }
};
} // namespace

class TestFrmSet : public QObject {
    Q_OBJECT
    std::unique_ptr<Window> w;

private slots:
    void init() {
        w = std::make_unique<Window>();
        w->form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w->form));
    }

    // A new clock's dialog: modeless, on the screen; Advanced toggles what Tab walks; every caption fits.
    void looks() {
        w->item("mnuFileAddClock")->trigger();
        frmSet& f = *w->exchange.form();
        const QImage look = f.grab().toImage();
        QVERIFY(f.isVisible() && !f.isModal() && f.focusWidget() == f.txtPurpose &&
                f.screen()->availableGeometry().contains(f.frameGeometry()) &&
                look.pixelColor(560, 12) == QColor(255, 255, 192) &&
                look.pixelColor(300, 200) == look.pixelColor(560, 12));
        QCOMPARE(w->exchange.editedClock(), &w->clocks.clock(3));
        f.activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), &f);
        QStringList seen;
        for (int clicks = 0; clicks < 3; ++clicks) {
            f.txtPurpose->setFocus();
            seen << f.cmdAdvanced->text() + ':';
            do {
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
                seen << QApplication::focusWidget()->objectName();
            } while (seen.last() != "txtPurpose" && seen.size() < 80);
            QCOMPARE(f.size(), QSize(588, 288));
            QTest::mouseClick(f.cmdAdvanced, Qt::LeftButton);
        }
        const QString walk =
            "txtHours txtMinutes txtSeconds opnType0 cmbLink cmdSet cmdCancel cmdDel chkSound "
            "%1chkAlarm cmdBrowse txtAlarmFile %2cmdAdvanced txtPurpose";
        const QString plain = "Show Advanced: " + walk.arg("", "");
        QCOMPARE(seen.join(' '), plain + " Hide Advanced: " +
                                     walk.arg("sldTickVol0 sldTickVol1 sldTickVol2 sldTickVol3 sldTickVol4 ",
                                              "sldAlarmVol ") +
                                     ' ' + plain);
        for (QWidget* c : f.findChildren<QWidget*>()) {
            const QFontMetrics m(c->font());
            const auto* l = qobject_cast<QLabel*>(c);
            const auto* box = qobject_cast<QGroupBox*>(c);
            const auto* button = qobject_cast<QPushButton*>(c);
            const bool fits = l && l->wordWrap() ? l->heightForWidth(l->width()) <= l->height()
                              : l ? m.horizontalAdvance(l->text()) <= l->width() && m.height() <= l->height()
                              : box ? m.horizontalAdvance(box->title()) + 12 <= box->width()
                              : button
                                  ? m.horizontalAdvance(button->text()) + 8 <= button->width()
                                  : !qobject_cast<QAbstractButton*>(c) || c->sizeHint().width() <= c->width();
            const bool bold = l || qobject_cast<QCheckBox*>(c) || c == f.cmdSet || c == f.cmdCancel;
            QVERIFY2(fits && c->font().bold() == bold && c->font().pointSizeF() == 8.25,
                     qPrintable(c->objectName()));
        }
        QTest::mouseClick(f.cmdBrowse, Qt::LeftButton); // in the program's alarm folder, known types first
        QCOMPARE(w->chooser.lastFolder + ' ' + w->chooser.lastFilters.join(';'),
                 Window::folder() + "/sounds/alarms Wave Audio (*.wav);FLAC (Free Lossless Audio Codec) "
                                    "(*.flac);All Files (*.*)");
    }

    // A as given, linked to C; after: the board, the dialog if open, clocks noted by "?N".
    void edit_data() {
        textRows(
            {"clock", "steps", "after"},
            {{"shown, links listed afresh", "3725 0 1", "rename1=B_|_x open=2 open=0 cmdAdvanced",
              "A B | x C | A; 1 2 5; down; 11; 0 20 40 60 80/30; a.wav; (None)/A | 1/B | x | 2/C | 3*; "
              "167,83"},
             {"unnamed clocks not listed", "60 0 1", "rename1= open=0 cmbLink=(None) cmdSet ?0",
              "A -@59,-117 C + | A 60/60 down 0 11 a.wav"},
             {"name as typed, time from fields", "3725 0 1 100",
              "open=0 txtPurpose=_x_ txtHours=-1 txtMinutes=90 txtSeconds= cmdSet ?0",
              " x  B C + |  x  1800/1800 down 3 11 a.wav"},
             {"other type counts up, alarm off keeps its file", "0 7 1", "open=0 chkAlarm=0 cmdSet ?0",
              "A B C + | A 0/0 up 3 10 a.wav"},
             {"sounds", "100 0 1",
              "open=0 chkSound=0 sldTickVol4=4 sldAlarmVol=4 txtAlarmFile=/b.ogg chkSound:Return ?0",
              "A B C + | A 100/100 down 3 01 0,20,40,60,4/4 b.ogg"},
             {"turned up while running: stopped, reset", "10 0 1 7 run",
              "open=0 txtSeconds=60 opnType1=1 cmdSet ?0", "A B C + | A 60/60 up 3 11 a.wav"},
             {"direction kept while running: time kept", "10 0 1 7 run", "open=0 txtSeconds=60 cmdSet ?0",
              "A! B C + | A 10/7! down 3 11 a.wav"},
             {"other up type, running", "10 2 1 7 run", "open=0 txtSeconds=60 cmdSet ?0",
              "A B C + | A 60/60 up 3 11 a.wav"},
             {"Enter in the name, then reopened at once", "1 0 1",
              "open=2 txtPurpose+=Pasta txtPurpose:Return open=0",
              "A B Pasta + | A; 0 0 1; down; 11; -; a.wav; (None)/A | 1/B | 2/Pasta | 3*; 167,83"},
             {"Escape, close box", "1 0 1", "open=0 txtSeconds:Esc open=0 close", "A B C"},
             // Volumes are clamped; Tab or a click into a time field selects it, so typing replaces it.
             {"volumes, keys", "1 0 1",
              "open=0 cmdAdvanced tick7=50 tick-2=150 alarm=-5 sldTickVol1:PgUp sldAlarmVol:Right "
              "txtHours:Tab "
              "txtMinutes+=7 txtSeconds txtSeconds+=8",
              "A B C | A; 0 7 8; down; 11; 100 30 40 60 50/1; a.wav; (None)/A | 1/B | 2/C | 3*; 167,83"},
             {"file chosen enables the alarm", "1 0 1",
              "open=0 chkAlarm=0 answer=/bell.flac cmdBrowse cmdSet ?0",
              "A B C + | A 1/1 down 3 11 bell.flac"},
             {"file dialog cancelled", "1 0 1", "open=0 chkAlarm=0 answer= cmdBrowse cmdSet ?0",
              "A B C + | A 1/1 down 3 10 a.wav"},
             // The dialog acts on the clock it was opened for whatever happens meanwhile.
             {"A deleted, Save", "1 0 1", "open=1 txtPurpose=X delete=0 cmdSet", "X C +"},
             {"A deleted, Delete clock", "1 0 1", "open=1 delete=0 cmdDel", "C +"},
             {"B deleted, Delete clock", "1 0 1", "open=1 delete=1 cmdDel", "A C"},
             {"B deleted, a clock added", "1 0 1", "open=1 delete=1 append cmdSet", "A C -"},
             {"board closed and refilled", "1 0 1", "open=1 closeboard append cmdSet", "-"},
             {"outside the board asked", "1 0 1", "open=1 txtPurpose=X open=-1 open=3 cmdSet", "A X C +"},
             // A double click opens the clock of its first press, whose second press presses no button.
             {"double click on B", "1 0 1", "400,100 dbl 400,100",
              "A B* C | B; 0 0 0; down; 11; -; wristWatch.wav; (None)*/A | 1/B | 2/C | 3; 208,83"},
             {"double click on A's Start, fraction", "59.9 1 0", "250,90 dbl 250,90",
              "A! B C | A; 0 0 59; up; 00; -; a.wav; (None)/A | 1/B | 2/C | 3*; 167,83"}});
    }
    void edit() {
        QFETCH(QString, clock);
        QFETCH(QString, steps);
        QFETCH(QString, after);
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
        a.setCurrentTime(c.value(3, c[0]).toDouble());
        a.setActive(c.value(4) == "run");
        w->clocks.markSaved();
        QStringList clocks;
        w->run(steps, [&](const QString& step) {
            const QString name = step.section('=', 0, 0), value = step.section('=', 1);
            frmSet* f = w->exchange.form();
            if (name == "open") {
                w->exchange.showSetForm(value.toInt());
                QVERIFY(!w->exchange.form() || QTest::qWaitForWindowActive(w->exchange.form()));
            } else if (name.startsWith("rename") || name == "delete" || name == "closeboard" ||
                       name == "append") {
                name == "delete"       ? void(w->clocks.deleteClock(value.toInt()))
                : name == "closeboard" ? void(w->clocks.removeAllClocks())
                : name == "append"     ? void(w->clocks.appendClock())
                                       : void(w->clocks.clock(name.mid(6).toInt()).setPurpose(value));
                w->clocks.markSaved();
            } else if (name.startsWith("tick") || name == "alarm") {
                name == "alarm" ? f->setAlarmVol(value.toInt())
                                : f->setTickVol(name.mid(4).toInt(), value.toInt());
            } else if (name == "answer") {
                w->chooser.answer = value;
            } else if (step == "close") {
                f->close();
            } else {
                clocks << w->clock(step.mid(1).toInt());
            }
        });
        const QWidgetList tops = QApplication::topLevelWidgets(); // a closed dialog is deleted, not hidden
        const auto open =
            std::count_if(tops.begin(), tops.end(), [](QWidget* t) { return qobject_cast<frmSet*>(t); });
        QCOMPARE(open, w->exchange.form() ? 1 : 0);
        clocks.prepend(w->state() + (open ? " | " + w->dialog() : ""));
        QCOMPARE(clocks.join(" | "), after);
    }
};

int main(int argc, char* argv[]) {
    return widgetTestMain<TestFrmSet>(argc, argv);
}
#include "tst_frmset.moc"
