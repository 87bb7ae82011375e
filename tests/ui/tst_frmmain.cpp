// The main window on a double-density screen: menus, canvas, mouse and keys, wired as the program does.
#include "TestWindow.h"

#include <QApplication>
#include <QInputDialog>
#include <QRubberBand>
#include <QStandardPaths>
#include <QStyleHints>
#include <QTextDocument>
#include <QToolTip>

namespace {
// Steps of a mouse path that are no points.
constexpr QPoint deleteKey{-1, -1}, pressAgain{-2, -2};
} // namespace

class TestFrmMain : public QObject {
    Q_OBJECT
    std::unique_ptr<TestWindow> w;

private slots:
    void init() {
        w = std::make_unique<TestWindow>();
        QVERIFY(w->show());
    }

    // The canvas paints into device pixels: A's start button border is two of them, black, then the bar.
    // Empty canvas shows the palette's base colour.
    void canvasIsCrisp() {
        QPalette palette = w->form.canvas()->palette();
        palette.setColor(QPalette::Base, Qt::darkCyan);
        w->form.canvas()->setPalette(palette);
        const QImage shown = w->form.canvas()->grab().toImage();
        QCOMPARE(shown.pixelColor(5, 5), QColor(Qt::darkCyan));
        // Ten pixels below its corner (3550, 1250), at 7.5 twips a device pixel.
        QCOMPARE(shown.pixelColor(473, 177), QColor(Qt::black));
        QCOMPARE(shown.pixelColor(474, 177), QColor(Qt::black));
        QVERIFY(shown.pixelColor(475, 177) != Qt::black);
    }

    // The canvas takes the window's outer size, so it reaches past the visible area; a resize arranges the
    // clocks when that is checked. 300 px = 4500 twips: lefts 400 + 2100 k fit up to 3500, two to a row.
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
    }

    // Closing the board empties it; the caption and group names go.
    void closeClocks() {
        w->clocks.groups().setName(4, QStringLiteral("Oven"));
        w->form.menu().setGroupMenuCaption(4, QStringLiteral("Group 4 : Oven"));
        w->form.setWindowTitle(QStringLiteral("kitchen.clk"));
        w->form.closeClocks();
        QCOMPARE(w->clocks.clockCount(), 0);
        QCOMPARE(w->clocks.groups().name(4), QString());
        QCOMPARE(w->item("mnuGroupName4")->text(), QStringLiteral("Group &4"));
        QCOMPARE(w->form.windowTitle(), QStringLiteral("Zentriq"));
    }

    // The board is in view while the window is shown, not minimised and active; a notice's click brings the
    // window back.
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
    // the group boxes are recomputed when shown; arranging lays the clocks out in rows.
    void menuCommands_data() {
        textRows({"item", "after"}, // the clocks | B's time | the dialogs asked for | group 4's box left
                 {{"add", "mnuFileAddClock", "A4 B*! C* - | 50 | 3 | 0"},
                  {"select all", "mnuSelectAll", "A*4 B*! C* | 50 |  | 0"},
                  {"select none", "mnuSelectNone", "A4 B! C | 50 |  | 0"},
                  {"assign to 3", "mnuAssignGroup3", "A4 B*!3 C*3 | 50 |  | 2300"},
                  {"reset", "mnuSelReset", "A4 B* C* | 60 |  | 0"},
                  {"start", "mnuSelStart", "A4 B*! C*! | 50 |  | 0"},
                  {"stop", "mnuSelStop", "A4 B* C* | 50 |  | 0"},
                  {"delete", "mnuSelDelete", "A4 | - |  | 0"},
                  {"bounds shown", "mnuViewBounds", "A4 B*! C* | 50 |  | 2300"},
                  {"arrange", "mnuViewArrange", "A4@-140,-57 B*!@-200,-57 C*@140,-257 | 50 |  | 200"},
                  {"add, arranging", "mnuFileAddClock arranged",
                   "A4@-140,-57 B*!@-200,-57 C*@140,-257 - | 50 | 3 | 200"}});
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
        w->repaint.takeDue(1 << 30);
        QSignalSpy forms(&w->form, &frmMain::setFormRequested);
        w->item(item.section(' ', 0, 0))->trigger();
        QVERIFY(w->repaint.dueAtMs() >= 0); // a repaint is pending
        if (w->clocks.clockCount() == 4 && !item.endsWith("arranged")) {
            const clsClock& added = w->clocks.clock(3);
            QCOMPARE(QPointF(added.myX(), added.myY()),
                     QPointF(w->canvas.canvasWidth() / 2, w->canvas.canvasHeight() / 2));
        }
        const QString bTime = w->clocks.clockCount() > 1 ? QString::number(b.currentTime()) : "-";
        QCOMPARE(QStringList({w->state(), bTime, TestWindow::asked(forms),
                              QString::number(w->clocks.groups().group(4).left)})
                     .join(" | "),
                 after);
    }

    // Group Names > Group 2 asks for the name, "Old" preset. OK stores what was typed, also nothing;
    // Cancel keeps the name. The menu shows an "&" as typed; the stored name keeps it single.
    void renameGroup_data() {
        textRows({"typed", "after"}, {{"named", "R&D", "R&D | Group 2 : R&&D"},
                                      {"empty", "", " | Group 2 : "},
                                      {"cancelled", "-", "Old | Group &2"}});
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
        QCOMPARE(w->clocks.groups().name(2) + " | " + w->item("mnuGroupName2")->text(), after);
        QCOMPARE(w->item("mnuGroupName3")->text(), QStringLiteral("Group &3"));
    }

    // Press at the path's first point, move through the rest, release at its last; on the way, the Delete
    // key, or a release and a press at the next point.
    void mouse_data() {
        QTest::addColumn<QString>("before");
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::addColumn<Qt::KeyboardModifiers>("mods");
        QTest::addColumn<QList<QPoint>>("path");
        QTest::addColumn<QString>("after");
        using Path = QList<QPoint>;
        const auto left = Qt::LeftButton;
        const auto none = Qt::KeyboardModifiers(), shift = Qt::KeyboardModifiers(Qt::ShiftModifier),
                   ctrl = Qt::KeyboardModifiers(Qt::ControlModifier),
                   alt = Qt::KeyboardModifiers(Qt::AltModifier);
        const auto drag = [](QPoint p) { return Path{p, p + QPoint(10, 5), p + QPoint(30, 30)}; };
        QTest::newRow("click replaces") << "101" << left << none << Path{{400, 100}} << "A B* C";
        QTest::newRow("shift adds") << "100" << left << shift << Path{{400, 100}} << "A* B* C";
        QTest::newRow("ctrl adds") << "100" << left << ctrl << Path{{200, 300}} << "A* B C*";
        QTest::newRow("alt adds") << "001" << left << alt << Path{{200, 100}} << "A* B C*";
        QTest::newRow("empty canvas clears") << "111" << left << none << Path{{600, 350}} << "A B C";
        // A's start button spans pixels 236.7..267.7 by 83.3..97.3.
        QTest::newRow("Start starts, clears") << "111" << left << none << Path{{250, 90}} << "A! B C";
        // A move shorter than the start-drag distance (10 px here) is a tremble; past it the clock follows
        // the whole way from the press.
        QTest::newRow("tremble clicks") << "101" << left << none << Path{{400, 100}, {401, 100}} << "A B* C";
        QTest::newRow("tremble, then drag")
            << "000" << left << none << Path{{400, 100}, {403, 103}, {406, 104}, {420, 90}} << "A B@20,-10 C";
        QTest::newRow("unselected drags alone")
            << "011" << left << none << drag({200, 100}) << "A@30,30 B* C*";
        QTest::newRow("selected drags selection")
            << "101" << left << none << drag({200, 300}) << "A*@30,30 B C*@30,30";
        QTest::newRow("right drag moves nothing")
            << "011" << Qt::RightButton << none << drag({200, 100}) << "A* B C";
        QTest::newRow("band down") << "001" << left << none << Path{{150, 50}, {450, 290}} << "A* B* C";
        QTest::newRow("band up") << "001" << left << none << Path{{450, 290}, {150, 50}} << "A* B* C";
        QTest::newRow("band edges on centres")
            << "001" << left << none << Path{{400, 300}, {200, 100}} << "A* B* C*";
        // A file just loaded drops the first drag step: B follows only the step from (10, 5) to (30, 30).
        QTest::newRow("first step after load")
            << "000 loaded" << left << none << drag({400, 100}) << "A B@20,25 C";
        // Delete during a drag: B takes A's index, and the press ends there: no drag passes to B and no
        // rubber band grows over B's and C's centres.
        QTest::newRow("Delete ends a drag")
            << "100" << left << none << Path{{200, 100}, {170, 70}, deleteKey, {300, 200}, {420, 320}}
            << "B C";
        // A rubber band ends with its release: a click on empty canvas after it selects nothing.
        QTest::newRow("band, then click")
            << "000" << left << none << Path{{150, 50}, {450, 290}, pressAgain, {600, 350}} << "A B C";
    }
    void mouse() {
        QFETCH(QString, before);
        QFETCH(Qt::MouseButton, button);
        QFETCH(Qt::KeyboardModifiers, mods);
        QFETCH(QList<QPoint>, path);
        QFETCH(QString, after);
        w->select(before);
        w->clocks.setDragArmed(!before.endsWith(QStringLiteral("loaded")));
        QWidget* canvas = w->form.canvas();
        QTest::mousePress(canvas, button, mods, path.first());
        for (int i = 1; i < path.size(); ++i) {
            if (path[i] == deleteKey) {
                QKeyEvent del(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier);
                QApplication::sendEvent(canvas, &del);
            } else if (path[i] == pressAgain) {
                QTest::mouseRelease(canvas, button, mods, path[i - 1]);
                QTest::mousePress(canvas, button, mods, path[++i]);
            } else {
                QTest::mouseMove(canvas, path[i]);
            }
        }
        QTest::mouseRelease(canvas, button, mods, path.last());
        QCOMPARE(w->state(), after);
        QVERIFY(!w->form.canvas()->findChild<QRubberBand*>()->isVisible());
    }

    // Keys as X delivers them: the physical keycode (digit row 10..19, backquote 49, keypad 5 84, 0 from
    // a program) and the layout's key. A and C are in group 5; its box holds A alone until recomputed.
    void keys_data() {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QKeyCombination>("key");
        QTest::addColumn<quint32>("code");
        QTest::addColumn<QString>("after"); // and the bottom of group 5's box
        using K = QKeyCombination;
        QTest::newRow("shift+5, none") << "000" << (Qt::SHIFT | Qt::Key_Percent) << 14u << "A5 B C5 | 4950";
        QTest::newRow("shift+5, B") << "010" << (Qt::SHIFT | Qt::Key_Percent) << 14u << "A5 B*5 C5 | 4950";
        QTest::newRow("5 selects group 5") << "010" << K(Qt::Key_5) << 14u << "A*5 B C*5 | 1950";
        QTest::newRow("0, an empty group") << "010" << K(Qt::Key_0) << 19u << "A5 B C5 | 1950";
        QTest::newRow("keypad 5") << "010" << (Qt::KeypadModifier | Qt::Key_5) << 84u << "A5 B* C5 | 1950";
        QTest::newRow("backquote: no band, none") << "010" << K(Qt::Key_QuoteLeft) << 49u << "A5 B C5 | 1950";
        QTest::newRow("Delete, none selected") << "000" << K(Qt::Key_Delete) << 0u << "A5 B C5 | 1950";
        QTest::newRow("Delete, B selected") << "010" << K(Qt::Key_Delete) << 0u << "A5 C5 | 1950";
    }
    void keys() {
        QFETCH(QString, before);
        QFETCH(QKeyCombination, key);
        QFETCH(quint32, code);
        QFETCH(QString, after);
        w->options.setChecked(Option::ViewBounds, false);
        w->clocks.clock(0).setGroupNum(5);
        w->clocks.computeGroupBounds();
        w->clocks.clock(2).setGroupNum(5);
        w->select(before);
        QKeyEvent press(QEvent::KeyPress, key.key(), key.keyboardModifiers(), code, 0, 0, QString());
        QApplication::sendEvent(w->form.canvas(), &press);
        QCOMPARE(w->state() + QStringLiteral(" | %1").arg(w->clocks.groups().group(5).bottom), after);
    }

    // Where faces overlap, the clock drawn on top (the higher index) takes the click, its button and the
    // double click. C's box lies on A's and C's Start on A's box; or B's box lies over A's Start.
    void overlap_data() {
        textRows({"layout", "click", "after"}, // clocks, then the dialogs asked for
                 {{"click selects the top", "C on A", "175,105", "A B C* | "},
                  {"double click opens the top", "C on A", "175,105 twice", "A B C* | 2"},
                  {"double click on nothing", "C on A", "600,300 twice", "A B C | "},
                  {"Start over a box", "C on A", "200,100", "A B C! | "},
                  {"Start hidden by a box", "B on Start", "250,90", "A B* C | "}});
    }
    void overlap() {
        QFETCH(QString, layout);
        QFETCH(QString, click);
        QFETCH(QString, after);
        w->place(layout == "C on A" ? QList<QPoint>{{200, 100}, {400, 100}, {150, 110}}
                                    : QList<QPoint>{{200, 100}, {260, 95}, {200, 300}});
        const QPoint point(click.section(',', 0, 0).toInt(),
                           click.section(',', 1).section(' ', 0, 0).toInt());
        QSignalSpy forms(&w->form, &frmMain::setFormRequested);
        QTest::mouseClick(w->form.canvas(), Qt::LeftButton, {}, point);
        if (click.endsWith("twice")) { // the second press arrives as the double click
            QTest::mouseDClick(w->form.canvas(), Qt::LeftButton, {}, point);
            QTest::mouseRelease(w->form.canvas(), Qt::LeftButton, {}, point);
        }
        QCOMPARE(w->state() + " | " + TestWindow::asked(forms), after);
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
        QWidget* canvas = w->form.canvas();
        QHelpEvent help(QEvent::ToolTip, QPoint(180, 110), canvas->mapToGlobal(QPoint(180, 110)));
        QApplication::sendEvent(canvas, &help);
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
