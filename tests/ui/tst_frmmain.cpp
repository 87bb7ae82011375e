// The main window on a double-density screen, its File commands answered through the real dialogs.
#include "TestWindow.h"
#include "core/IEventPump.h"
#include "core/ISettingsStore.h"
#include "core/MainLoop.h"
#include "core/Program.h"
#include "core/ProgramSettings.h"
#include "ui/FileCommands.h"

namespace {
// Settings kept in memory; no events but the test's own.
struct Host final : ISettingsStore, IEventPump {
    int writes = 0;
    void dispatch(std::optional<qint64>) override {}
    QString read(const QString&, const QString&, const QString& fallback) const override { return fallback; }
    void write(const QString&, const QList<std::pair<QString, QString>>&) override { ++writes; }
};

// The program as main() wires it; modal windows are noted in `seen` and answered: the save question with
// `choice`, a file dialog with `file`, the group name with `typed` ("" and "-" cancel), messages closed.
struct Program_ : TestWindow {
    QTemporaryDir dir;
    FileCommands files{form, clocks, interaction.groupCommands(), repaint, dir.path(), dir.filePath("user")};
    Host store;
    ProgramSettings settings{store, options};
    MainLoop loop{clocks, time, options, store, form, repaint};
    Program program{loop, settings};
    QMessageBox::StandardButton choice = QMessageBox::Cancel;
    QString file, typed = "-";
    QStringList seen;
    QTimer timer;

    Program_() {
        program.setGuard(&files.files());
        QFile(dir.filePath("plain")).open(QIODevice::WriteOnly);
        QObject::connect(&form, &frmMain::quitRequested, &form, [this] { program.quitProgram(); });
        QObject::connect(&timer, &QTimer::timeout, &form, [this] {
            QWidget* modal = QApplication::activeModalWidget();
            if (auto* box = qobject_cast<QMessageBox*>(modal)) {
                const bool question = box->standardButtons() & QMessageBox::Discard;
                seen << (question ? QStringLiteral("question") : box->text().section(' ', 0, 2));
                question ? box->button(choice)->click() : box->accept();
            } else if (auto* dialog = qobject_cast<QFileDialog*>(modal)) {
                seen << QStringLiteral("file");
                dialog->selectFile(file);
                file.isEmpty() ? dialog->reject()
                               : dialog->QDialog::accept(); // QFileDialog's checks the name
            } else if (auto* input = qobject_cast<QInputDialog*>(modal)) {
                seen << "name:" + input->textValue();
                input->setTextValue(typed);
                typed == "-" ? input->reject() : input->accept();
            }
        });
        timer.start(5);
    }
};
} // namespace

class TestFrmMain : public QObject {
    Q_OBJECT
    std::unique_ptr<Program_> w;

private slots:
    void init() {
        w = std::make_unique<Program_>();
        w->form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w->form));
    }

    // Drawn at device pixels; a resize arranges when checked; in view only while shown and active; tool tips.
    void window() {
        QPalette palette = w->form.canvas()->palette();
        palette.setColor(QPalette::Base, Qt::darkCyan);
        w->form.canvas()->setPalette(palette);
        const QImage shown = w->form.canvas()->grab().toImage();
        QVERIFY(shown.pixelColor(5, 5) == Qt::darkCyan && shown.pixelColor(473, 177) == Qt::black &&
                shown.pixelColor(474, 177) == Qt::black && shown.pixelColor(475, 177) != Qt::black);
        w->options.setChecked(Option::ViewArrange, true);
        w->form.resize(300, 500);
        QTRY_COMPARE(w->form.canvas()->geometry(), QRect(QPoint(0, 0), w->form.frameGeometry().size()));
        QCOMPARE(w->state(), "A@-140,-57 B@-200,-57 C@-140,-183");
        QVERIFY(QTest::qWaitForWindowActive(&w->form) && w->form.boardInView());
        w->form.showMinimized();
        QTRY_VERIFY(!w->form.boardInView());
        w->form.bringToFront();
        QTRY_VERIFY(w->form.boardInView());
        w->form.hide();
        w->form.bringToFront();
        QVERIFY(w->form.isVisible());
        // Resting on a clock tells its whole name, time, direction, the clock it starts, and its group.
        clsClock& a = w->clocks.clock(0);
        a.setPurpose("Proof the dough, then shape and bake at two hundred degrees.");
        a.setCurrentTime(60);
        a.setLinkID(2);
        a.setGroupNum(3);
        w->clocks.groups().setName(3, QStringLiteral("Bread & rolls"));
        QHelpEvent help(QEvent::ToolTip, QPoint(40, 53), w->form.canvas()->mapToGlobal(QPoint(40, 53)));
        QApplication::sendEvent(w->form.canvas(), &help);
        QTRY_VERIFY(QToolTip::isVisible());
        QTextDocument tip;
        tip.setHtml(QToolTip::text());
        QCOMPARE(tip.toPlainText().replace(QChar::LineSeparator, '/').replace('\n', '/'),
                 "Proof the dough, then shape and bake at two hundred degrees./00:01:00, counting "
                 "down/Triggers: B/Group 3 : Bread & rolls");
    }

    // "running": A in group 4 unbounded, B at 50 of 60 s; "grouped": A, C in group 5 bounding A. After: the
    // board, "~" repaint due, B's time, dialogs asked, A's group box, windows and notes, "ends" on quit.
    void board_data() {
        textRows(
            {"steps", "after"},
            {{"add", "running sel=011 mnuFileAddClock", "A4 B*! C* - + ~ | 50 | asked 3 | 0,0"},
             {"select all, none", "running sel=011 mnuSelectAll ?board mnuSelectNone",
              "A4 B! C ~ | 50 | 0,0 | A*4 B*! C*"},
             {"assign to 3", "running sel=011 mnuAssignGroup3", "A4 B*!3 C*3 + ~ | 50 | 2300,1950"},
             {"reset", "running sel=011 mnuSelReset", "A4 B* C* ~ | 60 | 0,0"},
             {"start, stop", "running sel=011 mnuSelStart ?board mnuSelStop",
              "A4 B* C* ~ | 50 | 0,0 | A4 B*! C*!"},
             {"delete", "running sel=011 mnuSelDelete", "A4 + ~ | 0,0"},
             {"bounds shown", "running sel=011 mnuViewBounds", "A4 B*! C* ~ | 50 | 2300,1950"},
             {"arrange, then add", "running sel=011 mnuViewArrange ?board mnuFileAddClock",
              "A4@-140,-57 B*!@-200,-57 C*@140,-257 -@140,-173 + ~ | 50 | asked 3 | 200,1100 | "
              "A4@-140,-57 B*!@-200,-57 C*@140,-257 +"},
             // Keys as X delivers them: the layout's key and the keycode (digits 10..19, ` 49, keypad 5 84).
             {"shift+5, none then B", "grouped Shift+%:14 sel=010 Shift+%:14", "A5 B*5 C5 + ~ | 2300,4950"},
             {"5 selects group 5, 0 an empty group", "grouped sel=010 5:14 ?board sel=010 0:19",
              "A5 B C5 ~ | 2300,1950 | A*5 B C*5"},
             {"keypad 5", "grouped sel=010 Num+5:84", "A5 B* C5 | 2300,1950"},
             {"backquote: no band, none", "grouped sel=010 `:49", "A5 B C5 ~ | 2300,1950"},
             {"Delete, none then B selected", "grouped Del:0 sel=010 Del:0", "A5 C5 + ~ | 2300,1950"},
             // OK stores the group name as typed, "&" too; Cancel keeps it.
             {"rename, then cancel", "type=R&D mnuGroupName2 type=- mnuGroupName2 ?g2 ?g3",
              "A B C + ~ | name: name:R&D R&D/Group 2 : R&&D /Group &3"},
             {"rename to nothing", "type=Old mnuGroupName2 type= mnuGroupName2 ?g2",
              "A B C + ~ | name: name:Old /Group 2 : "},
             // A file opened names the window and the groups, its place pulled onto the screen.
             {"save as, open, save, open",
              "type=Team_A mnuGroupName6 file=board.clk mnuSaveAs far mnuFileDelete mnuOpen ?board ?title "
              "?g6 "
              "?fits changed mnuSave plain mnuOpen ?g6",
              " ~ | name: file Clocks saved to file A B C Zentriq - @/board.clk Team A/Group 6 : Team A "
              "Clocks "
              "saved to file /Group &6"},
             // Guarded commands ask when the board has changed; a save below a plain file fails.
             {"close, discard", "type=Oven mnuGroupName4 discard mnuFileDelete ?g4 ?title",
              " ~ | name: question /Group &4 Zentriq"},
             {"close, save fails", "changed save file=plain/board.clk mnuFileDelete",
              "A B C + | question file Could not save"},
             {"open, quit, close button: cancel", "changed mnuOpen mnuFileQuit close",
              "A B C + | question question question"},
             {"close button, discard", "changed discard close", "A B C + | question | ends"},
             // A's Start button spans pixels 237..267 by 84..97; a drag starts past 10 px.
             {"shift, ctrl, alt add", "shift 400,100 up ctrl 200,300 up alt 200,100", "A* B* C* ~"},
             {"empty canvas, Start clear", "sel=111 600,350 up ?board sel=111 250,90", "A! B C ~ | A B C"},
             {"tremble clicks", "sel=101 400,100 401,100", "A B* C ~"},
             {"tremble, then drag", "400,100 403,103 406,104 420,90", "A B@20,-10 C + ~"},
             {"unselected drags alone", "sel=011 200,100 210,105 230,130", "A@30,30 B* C* + ~"},
             {"selected drags selection", "sel=101 200,300 210,305 230,330", "A*@30,30 B C*@30,30 + ~"},
             {"drag straight down", "200,100 200,105 200,130", "A@0,30 B C + ~"},
             {"right drag moves nothing", "sel=011 right 200,100 210,105 230,130", "A* B C ~"},
             {"band down, up", "sel=001 150,50 450,290 up ?board sel=001 450,290 150,50",
              "A* B* C ~ | A* B* C"},
             {"band edges on centres", "sel=001 400,300 200,100", "A* B* C* ~"},
             // A file just loaded drops the first drag step.
             {"first step after load", "loaded 400,100 410,105 430,130", "A B@20,25 C + ~"},
             // Delete during a drag: B takes A's index, and the press ends there.
             {"Delete ends a drag", "sel=100 200,100 170,70 Del:0 300,200 420,320", "B C + ~"},
             {"band, then click", "150,50 450,290 up 600,350", "A B C ~"},
             // Where boxes overlap, the clock drawn on top is opened.
             {"overlap: double click opens the top", "C-on-A 175,105 dbl 175,105", "A B C* ~ | asked 2"},
             {"double click on nothing", "C-on-A 600,300 dbl 600,300", "A B C ~"},
             // A pointing hand over buttons, a closed hand while dragging.
             {"pointer",
              "~250,90 ?cursor ~250,105 ?cursor ~200,100 ?cursor 200,100 203,100 ?cursor 230,100 "
              "?cursor up ?cursor ~280,90 ?cursor",
              "A@30,0 B C + ~ | 13 13 0 0 18 0 13"}});
    }
    void board() {
        QFETCH(QString, steps);
        QFETCH(QString, after);
        w->clocks.markSaved();
        w->repaint.takeDue(1 << 30);
        w->run(steps, [&](const QString& step) {
            if (step == "running" || step == "grouped") {
                w->options.setChecked(Option::ViewBounds, false);
                w->clocks.clock(0).setGroupNum(step == "running" ? 4 : 5);
                if (step == "grouped") {
                    w->clocks.computeGroupBounds();
                    w->clocks.clock(2).setGroupNum(5);
                } else {
                    w->clocks.clock(1).setDuration(60);
                    w->clocks.clock(1).setActive(true);
                    w->clocks.clock(1).setCurrentTime(50);
                }
            } else if (step == "C-on-A") {
                w->place(2, {150, 110});
            } else if (step == "loaded" || step == "changed") {
                step == "loaded" ? w->clocks.setDragArmed(false) : w->clocks.markChanged();
            } else if (step == "save" || step == "discard") {
                w->choice = step == "save" ? QMessageBox::Save : QMessageBox::Discard;
            } else if (step.startsWith("file=") || step.startsWith("type=")) {
                (step[0] == 'f' ? w->file : w->typed) =
                    step[0] == 'f' ? w->dir.filePath(step.mid(5)) : step.mid(5);
            } else if (step == "close") {
                w->form.close();
            } else if (step == "far" || step == "plain") {
                QFile file(step == "far" ? w->file : w->file = w->dir.filePath("plain.clk"));
                QVERIFY(file.open(step == "far" ? QIODevice::Append : QIODevice::WriteOnly));
                file.write(step == "far" ? "formleft=-99999\r\nformwidth=9999999\r\n" : "progver=1.0.3\r\n");
            } else if (step == "?fits") { // on the screen, as wide as it
                const QRect screen = w->form.screen()->availableGeometry();
                QTRY_VERIFY(screen.contains(w->form.frameGeometry()) &&
                            w->form.frameGeometry().width() == screen.width());
            } else {
                w->seen << (step == "?cursor"  ? QString::number(w->form.canvas()->cursor().shape())
                            : step == "?title" ? w->form.windowTitle().replace(w->dir.path(), "@")
                            : step == "?board" ? w->state()
                                               : w->clocks.groups().name(step.mid(2).toInt()) + '/' +
                                                     w->item("mnuGroupName" + step.mid(2))->text());
            }
        });
        QVERIFY(!w->form.canvas()->findChild<QRubberBand*>()->isVisible());
        QStringList s{w->state() + (w->repaint.dueAtMs() >= 0 ? " ~" : "")};
        if (w->clocks.clockCount() > 1 && w->clocks.clock(1).duration())
            s << QString::number(w->clocks.clock(1).currentTime());
        for (const QList<QVariant>& signal : w->forms)
            s << "asked " + signal.at(0).toString();
        if (w->clocks.clockCount() > 0 && w->clocks.clock(0).groupNum() >= 0) {
            const auto& box = w->clocks.groups().group(w->clocks.clock(0).groupNum());
            s << QStringLiteral("%1,%2").arg(box.left).arg(box.bottom);
        }
        s << w->seen.join(' ') << (w->store.writes > 0 ? "ends" : "");
        s.removeAll(QString());
        QCOMPARE(s.join(" | "), after);
        if (w->store.writes > 0) { // once the program ends, a second request is the same request
            w->program.quitProgram();
            QCOMPARE(w->store.writes, 1);
        }
        QVERIFY(w->form.isVisible());
    }
};

// Two device pixels to a pixel, so the canvas is checked as a high-density screen shows it.
int main(int argc, char* argv[]) {
    return widgetTestMain<TestFrmMain>(argc, argv, "2");
}
#include "tst_frmmain.moc"
