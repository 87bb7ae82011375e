// The main window on a double-density screen: menus, canvas, mouse and keys, wired as the program does.
#include "TestWindow.h"

#include <QInputDialog>
#include <QRubberBand>
#include <QStandardPaths>
#include <QStyleHints>
#include <QTextDocument>
#include <QToolTip>

class TestFrmMain : public QObject {
    Q_OBJECT
    std::unique_ptr<TestWindow> w;

private slots:
    void init() {
        w = std::make_unique<TestWindow>();
        QVERIFY(w->show());
    }

    // Device pixels: A's start button border (corner 3550, 1250 twips) is two of them, black, then the bar;
    // empty canvas shows the palette's base colour.
    void canvasIsCrisp() {
        QPalette palette = w->form.canvas()->palette();
        palette.setColor(QPalette::Base, Qt::darkCyan);
        w->form.canvas()->setPalette(palette);
        const QImage shown = w->form.canvas()->grab().toImage();
        QCOMPARE(shown.pixelColor(5, 5), QColor(Qt::darkCyan));
        QVERIFY(shown.pixelColor(473, 177) == Qt::black && shown.pixelColor(474, 177) == Qt::black &&
                shown.pixelColor(475, 177) != Qt::black);
    }

    // The canvas takes the window's outer size, past the visible area; a resize arranges the clocks when
    // that is checked, without changing the board. 300 px = 4500 twips: two clocks to a row.
    void resizePlacesCanvasAndArranges() {
        for (const bool arrange : {false, true}) {
            w->options.setChecked(Option::ViewArrange, arrange);
            w->form.resize(arrange ? 300 : 310, 500);
            QTRY_COMPARE(w->form.canvas()->geometry(), QRect(QPoint(0, 0), w->form.frameGeometry().size()));
            for (int i = 0; i < 3; ++i)
                QCOMPARE(QPointF(w->clocks.clock(i).myX(), w->clocks.clock(i).myY()),
                         arrange ? QPointF(900 + 2100 * (i % 2), 650 + 1100 * (i / 2))
                                 : QPointF(w->home[i] * 15));
        }
        QVERIFY(!w->clocks.hasUnsavedChanges());
    }

    void closeClocks() {
        w->clocks.groups().setName(4, QStringLiteral("Oven"));
        w->form.menu().setGroupMenuCaption(4, QStringLiteral("Group 4 : Oven"));
        w->form.setWindowTitle(QStringLiteral("kitchen.clk"));
        w->form.closeClocks();
        QCOMPARE(w->clocks.clockCount(), 0);
        QCOMPARE(w->clocks.groups().name(4) + w->item("mnuGroupName4")->text() + w->form.windowTitle(),
                 "Group &4Zentriq");
    }

    // In view while shown, not minimised and active; a notice's click brings the window back.
    void inView() {
        QVERIFY(QTest::qWaitForWindowActive(&w->form) && w->form.boardInView());
        w->form.showMinimized();
        QTRY_VERIFY(!w->form.boardInView());
        w->form.bringToFront();
        QTRY_VERIFY(w->form.boardInView());
        w->form.hide();
        w->form.bringToFront();
        QVERIFY(w->form.isVisible());
    }

    // Every board command of the menus (B selected, running with 50 of 60 s left; C selected; A in group 4,
    // whose box is not yet computed). A new clock comes at the canvas's centre and its dialog is asked for;
    // group boxes are recomputed when shown; arranging lays the clocks out in rows.
    void menuCommands_data() {
        textRows({"item", "after"}, // the clocks | B's time | the dialogs asked for | group 4's box left
                 {{"add", "mnuFileAddClock", "A4 B*! C* - + | 50 | 3 | 0"},
                  {"select all", "mnuSelectAll", "A*4 B*! C* | 50 |  | 0"},
                  {"select none", "mnuSelectNone", "A4 B! C | 50 |  | 0"},
                  {"assign to 3", "mnuAssignGroup3", "A4 B*!3 C*3 + | 50 |  | 2300"},
                  {"reset", "mnuSelReset", "A4 B* C* | 60 |  | 0"},
                  {"start", "mnuSelStart", "A4 B*! C*! | 50 |  | 0"},
                  {"stop", "mnuSelStop", "A4 B* C* | 50 |  | 0"},
                  {"delete", "mnuSelDelete", "A4 + | - |  | 0"},
                  {"bounds shown", "mnuViewBounds", "A4 B*! C* | 50 |  | 2300"},
                  {"arrange", "mnuViewArrange", "A4@-140,-57 B*!@-200,-57 C*@140,-257 + | 50 |  | 200"},
                  {"add, arranging", "mnuFileAddClock arranged",
                   "A4@-140,-57 B*!@-200,-57 C*@140,-257 - + | 50 | 3 | 200"}});
    }
    void menuCommands() {
        QFETCH(QString, item);
        QFETCH(QString, after);
        w->options.setChecked(Option::ViewBounds, false);
        w->options.setChecked(Option::ViewArrange, item.endsWith("arranged"));
        w->clocks.clock(0).setGroupNum(4);
        w->select("011");
        clsClock& b = w->clocks.clock(1);
        b.setDuration(60);
        b.setActive(true);
        b.setCurrentTime(50);
        w->clocks.markSaved();
        w->repaint.takeDue(1 << 30);
        w->item(item.section(' ', 0, 0))->trigger();
        QVERIFY(w->repaint.dueAtMs() >= 0); // a repaint is pending
        if (w->clocks.clockCount() == 4 && !item.endsWith("arranged"))
            QCOMPARE(QPointF(w->clocks.clock(3).myX(), w->clocks.clock(3).myY()),
                     QPointF(w->canvas.canvasWidth() / 2, w->canvas.canvasHeight() / 2));
        const QString bTime = w->clocks.clockCount() > 1 ? QString::number(b.currentTime()) : "-";
        QCOMPARE(
            QStringList({w->state(), bTime, w->asked(), QString::number(w->clocks.groups().group(4).left)})
                .join(" | "),
            after);
    }

    // Group Names > Group 2 asks for the name, "Old" preset. OK stores what was typed, also nothing;
    // Cancel keeps the name. The menu shows an "&" as typed; the stored name keeps it single.
    void renameGroup_data() {
        textRows({"typed", "after"}, {{"named", "R&D", "A B C + | R&D | Group 2 : R&&D"},
                                      {"empty", "", "A B C + |  | Group 2 : "},
                                      {"cancelled", "-", "A B C | Old | Group &2"}});
    }
    void renameGroup() {
        QFETCH(QString, typed);
        QFETCH(QString, after);
        w->clocks.groups().setName(2, QStringLiteral("Old"));
        QString asked;
        QTimer::singleShot(0, w->item("mnuGroupName2"), [&] {
            auto* dialog = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
            asked = dialog->windowTitle() + '|' + dialog->labelText() + '|' + dialog->textValue();
            dialog->setTextValue(typed);
            typed == "-" ? dialog->reject() : dialog->accept();
        });
        w->item("mnuGroupName2")->trigger();
        QCOMPARE(asked, QStringLiteral("Group name|Enter group name|Old"));
        QCOMPARE(w->state() + " | " + w->clocks.groups().name(2) + " | " + w->item("mnuGroupName2")->text(),
                 after);
        QCOMPARE(w->item("mnuGroupName3")->text(), QStringLiteral("Group &3"));
    }

    // Press at the path's first point, move through the rest, release at its last; on the way, the Delete
    // key, or a release and a press (or the double click that replaces it) at the next point. After the
    // clocks come the dialogs asked for. C's box may lie on A's and C's Start on A's box, or B's box on
    // A's Start; the clock drawn on top (the higher index) takes the click.
    void mouse_data() {
        textRows(
            {"before", "mods", "path", "after"},
            {{"click replaces", "101", "", "400,100", "A B* C"},
             {"shift adds", "100", "shift", "400,100", "A* B* C"},
             {"ctrl adds", "100", "ctrl", "200,300", "A* B C*"},
             {"alt adds", "001", "alt", "200,100", "A* B C*"},
             {"empty canvas clears", "111", "", "600,350", "A B C"},
             // A's start button spans pixels 236.7..267.7 by 83.3..97.3.
             {"Start starts, clears", "111", "", "250,90", "A! B C"},
             // Below the start-drag distance (10 px here) a move is a tremble; past it the clock
             // follows the whole way from the press.
             {"tremble clicks", "101", "", "400,100 401,100", "A B* C"},
             {"tremble, then drag", "000", "", "400,100 403,103 406,104 420,90", "A B@20,-10 C +"},
             {"unselected drags alone", "011", "", "200,100 210,105 230,130", "A@30,30 B* C* +"},
             {"selected drags selection", "101", "", "200,300 210,305 230,330", "A*@30,30 B C*@30,30 +"},
             {"drag straight down", "000", "", "200,100 200,105 200,130", "A@0,30 B C +"},
             {"right drag moves nothing", "011", "right", "200,100 210,105 230,130", "A* B C"},
             {"band down", "001", "", "150,50 450,290", "A* B* C"},
             {"band up", "001", "", "450,290 150,50", "A* B* C"},
             {"band edges on centres", "001", "", "400,300 200,100", "A* B* C*"},
             // A file just loaded drops the first drag step: B follows only the step from (10, 5).
             {"first step after load", "000 loaded", "", "400,100 410,105 430,130", "A B@20,25 C +"},
             // Delete during a drag: B takes A's index, and the press ends there: no drag passes to
             // B and no rubber band grows over B's and C's centres.
             {"Delete ends a drag", "100", "", "200,100 170,70 del 300,200 420,320", "B C +"},
             {"band, then click", "000", "", "150,50 450,290 again 600,350", "A B C"},
             {"overlap: click takes the top", "000 C on A", "", "175,105", "A B C*"},
             {"overlap: double click opens the top", "000 C on A", "", "175,105 dbl 175,105", "A B C* | 2"},
             {"double click on nothing", "000 C on A", "", "600,300 dbl 600,300", "A B C"},
             {"overlap: Start over a box", "000 C on A", "", "200,100", "A B C!"},
             {"overlap: Start hidden by a box", "000 B on Start", "", "250,90", "A B* C"}});
    }
    void mouse() {
        QFETCH(QString, before);
        QFETCH(QString, mods);
        QFETCH(QString, path);
        QFETCH(QString, after);
        if (before.contains(" on "))
            w->place(before.endsWith("C on A") ? QList<QPoint>{{200, 100}, {400, 100}, {150, 110}}
                                               : QList<QPoint>{{200, 100}, {260, 95}, {200, 300}});
        w->select(before);
        w->clocks.setDragArmed(!before.endsWith("loaded"));
        const auto button = mods == "right" ? Qt::RightButton : Qt::LeftButton;
        const auto m = mods == "shift"  ? Qt::ShiftModifier
                       : mods == "ctrl" ? Qt::ControlModifier
                       : mods == "alt"  ? Qt::AltModifier
                                        : Qt::NoModifier;
        const auto at = [](const QString& p) {
            return QPoint(p.section(',', 0, 0).toInt(), p.section(',', 1).toInt());
        };
        QWidget* canvas = w->form.canvas();
        const QStringList steps = path.split(' ');
        QPoint last = at(steps[0]);
        QTest::mousePress(canvas, button, m, last);
        for (int i = 1; i < steps.size(); ++i) {
            if (steps[i] == "del") {
                QKeyEvent del(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier);
                QApplication::sendEvent(canvas, &del);
            } else if (steps[i] == "again" || steps[i] == "dbl") {
                QTest::mouseRelease(canvas, button, m, last);
                last = at(steps[++i]);
                steps[i - 1] == "dbl" ? QTest::mouseDClick(canvas, button, m, last)
                                      : QTest::mousePress(canvas, button, m, last);
            } else {
                QTest::mouseMove(canvas, last = at(steps[i]));
            }
        }
        QTest::mouseRelease(canvas, button, m, last);
        QCOMPARE(w->state() + (w->forms.isEmpty() ? "" : " | " + w->asked()), after);
        QVERIFY(!w->form.canvas()->findChild<QRubberBand*>()->isVisible());
    }

    // Keys as X delivers them: the physical keycode (digit row 10..19, backquote 49, keypad 5 84, 0 from
    // a program) and the layout's key. A and C are in group 5; its box holds A alone until recomputed.
    void keys_data() {
        textRows({"before", "key", "after"}, // key and keycode; then the bottom of group 5's box
                 {{"shift+5, none", "000", "Shift+% 14", "A5 B C5 | 4950"},
                  {"shift+5, B", "010", "Shift+% 14", "A5 B*5 C5 + | 4950"},
                  {"5 selects group 5", "010", "5 14", "A*5 B C*5 | 1950"},
                  {"0, an empty group", "010", "0 19", "A5 B C5 | 1950"},
                  {"keypad 5", "010", "Num+5 84", "A5 B* C5 | 1950"},
                  {"backquote: no band, none", "010", "` 49", "A5 B C5 | 1950"},
                  {"Delete, none selected", "000", "Del 0", "A5 B C5 | 1950"},
                  {"Delete, B selected", "010", "Del 0", "A5 C5 + | 1950"}});
    }
    void keys() {
        QFETCH(QString, before);
        QFETCH(QString, key);
        QFETCH(QString, after);
        w->options.setChecked(Option::ViewBounds, false);
        w->clocks.clock(0).setGroupNum(5);
        w->clocks.computeGroupBounds();
        w->clocks.clock(2).setGroupNum(5);
        w->select(before);
        const QKeyCombination k = QKeySequence::fromString(key.section(' ', 0, 0))[0];
        QKeyEvent press(QEvent::KeyPress, k.key(), k.keyboardModifiers(), key.section(' ', 1).toUInt(), 0, 0,
                        {});
        QApplication::sendEvent(w->form.canvas(), &press);
        QCOMPARE(w->state() + QStringLiteral(" | %1").arg(w->clocks.groups().group(5).bottom), after);
    }

    // A pointing hand over buttons, a closed hand while a clock is dragged, the arrow elsewhere.
    void pointer() {
        QWidget* canvas = w->form.canvas();
        const auto shapeAt = [canvas](QPoint p) {
            QTest::mouseMove(canvas, p);
            return canvas->cursor().shape();
        };
        QCOMPARE(shapeAt({250, 90}), Qt::PointingHandCursor);  // A's Start
        QCOMPARE(shapeAt({250, 105}), Qt::PointingHandCursor); // A's Rset
        QCOMPARE(shapeAt({200, 100}), Qt::ArrowCursor);
        QTest::mousePress(canvas, Qt::LeftButton, {}, {200, 100});
        QCOMPARE(shapeAt({203, 100}), Qt::ArrowCursor); // not yet a drag
        QCOMPARE(shapeAt({230, 100}), Qt::ClosedHandCursor);
        QTest::mouseRelease(canvas, Qt::LeftButton, {}, {230, 100});
        QCOMPARE(canvas->cursor().shape(), Qt::ArrowCursor);
        QCOMPARE(shapeAt({280, 90}), Qt::PointingHandCursor); // A's Start, moved with it
    }

    // Resting on a clock tells its whole name, time, direction, the clock it starts, and its group.
    void toolTip_data() {
        textRows({"text"},
                 {{"linked, grouped", "Proof the dough, then shape and bake at two hundred degrees."
                                      "\n00:01:00, counting down\nTriggers: B\nGroup 3 : Bread & rolls"},
                  {"plain", "(no name)\n00:00:00, counting up\nTriggers: nothing\nIn no group"}});
    }
    void toolTip() {
        QFETCH(QString, text);
        clsClock& a = w->clocks.clock(0);
        const bool full = !text.startsWith('(');
        a.setPurpose(full ? text.section('\n', 0, 0) : QString());
        a.setCountType(full ? 0 : 1);
        a.setCurrentTime(full ? 60 : 0);
        a.setLinkID(full ? 2 : 0);
        a.setGroupNum(full ? 3 : -1);
        w->clocks.groups().setName(3, QStringLiteral("Bread & rolls"));
        QHelpEvent help(QEvent::ToolTip, QPoint(180, 110), w->form.canvas()->mapToGlobal(QPoint(180, 110)));
        QApplication::sendEvent(w->form.canvas(), &help);
        QTRY_VERIFY(QToolTip::isVisible());
        QTextDocument shown;
        shown.setHtml(QToolTip::text());
        QCOMPARE(shown.toPlainText().replace(QChar::LineSeparator, '\n'), text);
    }
};

int main(int argc, char* argv[]) {
    QStandardPaths::setTestModeEnabled(true);
    qputenv("QT_SCALE_FACTOR", "2");
    QApplication app(argc, argv);
    QGuiApplication::styleHints()->setStartDragDistance(10);
    TestFrmMain test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_frmmain.moc"
