// The main window on a double-density screen: menus, canvas, mouse and keys, wired as the program does.
#include "TestBoard.h"
#include "clock/clsClock.h"
#include "core/RepaintScheduler.h"
#include "display/CanvasWidget.h"
#include "ui/BoardInteraction.h"
#include "ui/MainMenu.h"
#include "ui/MenuOptions.h"
#include "ui/frmMain.h"

#include <QApplication>
#include <QInputDialog>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QRubberBand>
#include <QStandardPaths>
#include <QStyleHints>
#include <QTextDocument>
#include <QToolTip>
#include <QtTest>

namespace {
// Clocks A, B, C centred at pixels (200, 100), (400, 100), (200, 300) of the canvas.
struct Window {
    QPoint home[3] = {{200, 100}, {400, 100}, {200, 300}};
    FakeTimeSource time;
    MenuOptions options;
    CanvasSize canvas;
    ScriptedRandom random;
    FakeSoundService sound;
    MemoryErrorLog log;
    // The build tree keeps the pictures and the icon beside the program, a folder above the tests.
    ClockEnvironment env{
        time, options, canvas, random, sound, log, QCoreApplication::applicationDirPath() + "/.."};
    ClockCollection clocks{env};
    RepaintScheduler repaint;
    frmMain form{clocks, options, canvas, repaint};
    BoardInteraction interaction{form, clocks, repaint};

    Window() {
        for (const QPoint& p : home) {
            clsClock* c = clocks.appendClock();
            c->setPurpose(QString(QChar(u'A' + clocks.clockCount() - 1)));
            c->setPosition(float(p.x()) * 15, float(p.y()) * 15);
        }
    }
    QAction* item(const QString& name) const { return form.findChild<QAction*>(name); }
    // Moves the clocks to new homes, in pixels.
    void place(const QList<QPoint>& at) {
        for (int i = 0; i < at.size(); ++i) {
            home[i] = at[i];
            clocks.clock(i).setPosition(float(at[i].x()) * 15, float(at[i].y()) * 15);
        }
    }
    void select(const QString& mask) {
        for (int i = 0; i < clocks.clockCount(); ++i)
            clocks.clock(i).setSelected(mask[i] == QLatin1Char('1'));
    }
    // "A* B!5 C@30,30": A selected, B running in group 5, C moved by (30, 30) pixels.
    QString state() const {
        QString s;
        for (int i = 0; i < clocks.clockCount(); ++i) {
            const clsClock& c = clocks.clock(i);
            const QPoint moved =
                QPoint(qRound(c.myX() / 15), qRound(c.myY() / 15)) - home[c.purpose()[0].unicode() - u'A'];
            s += ' ' + c.purpose() + (c.selected() ? "*" : "") + (c.active() ? "!" : "") +
                 (c.groupNum() >= 0 ? QString::number(c.groupNum()) : "") +
                 (moved.isNull() ? QString() : QStringLiteral("@%1,%2").arg(moved.x()).arg(moved.y()));
        }
        return s.mid(1);
    }
};

// Items joined by " | ", a submenu in brackets, check marks as [x] and [ ]; or their control names, with
// a "!" where the platform may move the item or its menu has another name.
QString outline(const QMenu* menu, bool names = false) {
    QStringList items;
    for (const QAction* a : menu->actions()) {
        const QString check = a->isCheckable() ? (a->isChecked() ? " [x]" : " [ ]") : "";
        const bool named =
            a->menuRole() == QAction::NoRole && (!a->menu() || a->menu()->objectName() == a->objectName());
        const QString text =
            names ? a->objectName() + (named ? "" : "!") : (a->isSeparator() ? "-" : a->text()) + check;
        items << text + (a->menu() ? " (" + outline(a->menu(), names) + ')' : "");
    }
    return items.join(" | ");
}

QString outline(const QMenuBar* bar, bool names = false) {
    QStringList menus;
    for (const QAction* a : bar->actions()) {
        const bool named = a->menuRole() == QAction::NoRole && a->menu()->objectName() == a->objectName();
        menus << (names ? a->objectName() + (named ? "" : "!") : a->text()) + ": " +
                     outline(a->menu(), names);
    }
    return menus.join('\n');
}

// Steps of a mouse path that are no points.
constexpr QPoint deleteKey{-1, -1}, pressAgain{-2, -2};

// Triggers the item and handles the modal dialog it opens from inside that dialog's own loop.
template <typename Dialog, typename Handle> void answer(QAction* item, Handle handle) {
    QTimer::singleShot(0, item, [handle] {
        if (auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget()))
            handle(dialog);
    });
    item->trigger();
}
} // namespace

class TestFrmMain : public QObject {
    Q_OBJECT
    std::unique_ptr<Window> w;

private slots:
    void init() {
        w = std::make_unique<Window>();
        w->form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w->form));
    }

    // The menu tree by captions, and by control names ("!" where an item may move or its menu is named
    // otherwise).
    void menuTree_data() {
        QTest::addColumn<bool>("names");
        QTest::addColumn<QString>("expected");
        const auto family = [](const QString& item) {
            QStringList items;
            for (int g = 0; g < 10; ++g)
                items << item.arg(g);
            return items.join(" | ");
        };
        QTest::newRow("captions")
            << false
            << QStringList{"&File: Add a &Clock | - | &Open Clocks | &Save Clocks | Save Clocks "
                           "&As... | - | &Close clocks | &Quit",
                           "&View: &Auto Arrange Clocks [ ] | &View Group Bounding Boxes [x]",
                           "&Sounds: &Mute [ ]",
                           "&Misc. Settings: &Syncronize clocks [x] | &Allow saved clock files to "
                           "reposition main form [x] | &Reset all clocks on load [ ] | &Notify when a clock "
                           "completes [x]",
                           "Se&lection: Select &All | Select &None | - | Assign selected to &group (" +
                               family("Group &%1 (shift+%1)") +
                               ") | - | &Reset selected clocks | &Start selected clocks | Sto&p "
                               "selected clocks | - | &Delete selected clocks",
                           "&Group Names: " + family("Group &%1"),
                           "&Help: &About"}
                   .join('\n');
        QTest::newRow("control names")
            << true
            << QStringList{"mnuFile: mnuFileAddClock | mnuFileSep0 | mnuOpen | mnuSave | mnuSaveAs | "
                           "mnuFileSep1 | mnuFileDelete | mnuFileQuit",
                           "mnuView: mnuViewArrange | mnuViewBounds",
                           "mnuSound: mnuSoundMute",
                           "mnuMisc: mnuSync | mnuAllowRepos | mnuResetOnLoad | mnuNotify",
                           "mnuSelection: mnuSelectAll | mnuSelectNone | mnuSelSep0 | mnuSelGroupAssign (" +
                               family("mnuAssignGroup%1") +
                               ") | mnuSelSep1 | mnuSelReset | mnuSelStart | mnuSelStop | mnuSelSep2 | "
                               "mnuSelDelete",
                           "mnuGroupNames: " + family("mnuGroupName%1"),
                           "mnuHelp: mnuAbout"}
                   .join('\n');
    }
    void menuTree() {
        QFETCH(bool, names);
        QFETCH(QString, expected);
        QCOMPARE(outline(w->form.menuBar(), names), expected);
    }

    // A caption goes to its own item of the ten; any other number changes nothing.
    void groupMenuCaption_data() {
        QTest::addColumn<int>("group");
        QTest::newRow("first") << 0;
        QTest::newRow("last") << 9;
        QTest::newRow("below") << -1;
        QTest::newRow("above") << 10;
    }
    void groupMenuCaption() {
        QFETCH(int, group);
        const QString before = outline(w->form.menuBar());
        w->form.menu().setGroupMenuCaption(group, QStringLiteral("Changed"));
        QString expected = before;
        if (group >= 0 && group <= 9)
            expected.replace(QStringLiteral("Group &%1").arg(group) + (group < 9 ? " |" : "\n"),
                             QStringLiteral("Changed") + (group < 9 ? " |" : "\n"));
        QCOMPARE(outline(w->form.menuBar()), expected);
    }

    // The canvas paints into device pixels: A's start button border is two of them, black, then the bar.
    void canvasIsCrisp() {
        const QImage shown = w->form.canvas()->grab().toImage();
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

    void aboutBox() {
        QString shown;
        answer<QMessageBox>(w->item(QStringLiteral("mnuAbout")), [&](QMessageBox* box) {
            shown = box->windowTitle() + '|' + box->text();
            box->accept();
        });
        QCOMPARE(shown, QStringLiteral("Zentriq|Zentriq v1.0.3\n") + frmMain::webAddress);
    }

    // Closing the board empties it; the caption and group names go, and the menus are as at the start.
    // (The menu item asks about unsaved changes first: FileCommands.)
    void closeClocks() {
        const QString fresh = outline(w->form.menuBar());
        w->clocks.groups().setName(4, QStringLiteral("Oven"));
        w->form.menu().setGroupMenuCaption(4, QStringLiteral("Group 4 : Oven"));
        w->form.setWindowTitle(QStringLiteral("kitchen.clk"));
        w->form.closeClocks();
        QCOMPARE(w->clocks.clockCount(), 0);
        QCOMPARE(w->clocks.groups().name(4), QString());
        QCOMPARE(outline(w->form.menuBar()), fresh);
        QCOMPARE(w->form.windowTitle(), QStringLiteral("Zentriq"));
    }

    // The close button asks the program to end; the window itself never closes.
    void closeButtonAsksToQuit() {
        QSignalSpy quit(&w->form, &frmMain::quitRequested);
        QVERIFY(!w->form.close());
        QVERIFY(w->form.isVisible());
        QCOMPARE(quit.count(), 1);
    }

    // The File and Selection commands act on the board (B selected, running with 5 s left; C selected)
    // and ask for a new picture. A new clock comes at the canvas's centre, and its dialog is asked for.
    void menuCommands_data() {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("after"); // the clocks | B's time | the dialogs asked for
        QTest::newRow("add") << "mnuFileAddClock"
                             << "A B*! C* | 5 | 3";
        QTest::newRow("select all") << "mnuSelectAll"
                                    << "A* B*! C* | 5 | ";
        QTest::newRow("select none") << "mnuSelectNone"
                                     << "A B! C | 5 | ";
        QTest::newRow("assign to 3") << "mnuAssignGroup3"
                                     << "A B*!3 C*3 | 5 | ";
        QTest::newRow("reset") << "mnuSelReset"
                               << "A B* C* | 0 | ";
        QTest::newRow("start") << "mnuSelStart"
                               << "A B*! C*! | 5 | ";
        QTest::newRow("stop") << "mnuSelStop"
                              << "A B* C* | 5 | ";
        QTest::newRow("delete") << "mnuSelDelete"
                                << "A | - | ";
    }
    void menuCommands() {
        QFETCH(QString, item);
        QFETCH(QString, after);
        w->select("011");
        clsClock& b = w->clocks.clock(1);
        b.setActive(true);
        b.setCurrentTime(5);
        w->repaint.takeDue(1 << 30);
        QSignalSpy forms(&w->form, &frmMain::setFormRequested);
        w->item(item)->trigger();
        QVERIFY(w->repaint.dueAtMs() >= 0); // a repaint is pending
        if (w->clocks.clockCount() == 4) {
            const clsClock& added = w->clocks.clock(3);
            QCOMPARE(QPointF(added.myX(), added.myY()),
                     QPointF(w->canvas.canvasWidth() / 2, w->canvas.canvasHeight() / 2));
            w->clocks.deleteClock(3);
        }
        QStringList asked;
        for (const QList<QVariant>& signal : forms)
            asked << signal.at(0).toString();
        const QString bTime = w->clocks.clockCount() > 1 ? QString::number(b.currentTime()) : "-";
        QCOMPARE(w->state() + " | " + bTime + " | " + asked.join(' '), after);
    }

    // Group Names > Group 2 asks for the name, "Old" preset. OK stores what was typed, also nothing;
    // Cancel keeps the name. The menu shows an "&" as typed; the stored name keeps it single.
    void renameGroup_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::newRow("named") << "R&D" << true << "R&D"
                               << "Group 2 : R&&D";
        QTest::newRow("empty") << "" << true << ""
                               << "Group 2 : ";
        QTest::newRow("cancelled") << "Lab" << false << "Old"
                                   << "Group &2";
    }
    void renameGroup() {
        QFETCH(QString, typed);
        QFETCH(bool, ok);
        QFETCH(QString, name);
        QFETCH(QString, caption);
        w->clocks.groups().setName(2, QStringLiteral("Old"));
        QString asked;
        answer<QInputDialog>(w->item(QStringLiteral("mnuGroupName2")), [&](QInputDialog* dialog) {
            asked = dialog->windowTitle() + '|' + dialog->labelText() + '|' + dialog->textValue();
            dialog->setTextValue(typed);
            ok ? dialog->accept() : dialog->reject();
        });
        QCOMPARE(asked, QStringLiteral("Group name|Enter group name|Old"));
        QCOMPARE(w->clocks.groups().name(2), name);
        for (int g = 0; g < 10; ++g)
            QCOMPARE(w->item(QStringLiteral("mnuGroupName%1").arg(g))->text(),
                     g == 2 ? caption : QStringLiteral("Group &%1").arg(g));
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
    // double click. Clicks at the path's one point; places of A, B, C in pixels.
    void overlap_data() {
        QTest::addColumn<QList<QPoint>>("places");
        QTest::addColumn<QPoint>("point");
        QTest::addColumn<bool>("twice");
        QTest::addColumn<QString>("after");
        QTest::addColumn<QString>("opened"); // the clocks whose Set Clock dialog is asked for
        using Places = QList<QPoint>;
        const Places cOnA{{200, 100}, {400, 100}, {150, 110}};    // C's box on A's, C's Start on A's box
        const Places bOnStart{{200, 100}, {260, 95}, {200, 300}}; // B's box over A's Start
        QTest::newRow("click selects the top") << cOnA << QPoint(175, 105) << false << "A B C*"
                                               << "";
        QTest::newRow("double click opens the top") << cOnA << QPoint(175, 105) << true << "A B C*"
                                                    << "2";
        QTest::newRow("double click on nothing") << cOnA << QPoint(600, 300) << true << "A B C"
                                                 << "";
        QTest::newRow("Start over a box") << cOnA << QPoint(200, 100) << false << "A B C!"
                                          << "";
        QTest::newRow("Start hidden by a box") << bOnStart << QPoint(250, 90) << false << "A B* C"
                                               << "";
    }
    void overlap() {
        QFETCH(QList<QPoint>, places);
        QFETCH(QPoint, point);
        QFETCH(bool, twice);
        QFETCH(QString, after);
        QFETCH(QString, opened);
        w->place(places);
        QSignalSpy forms(&w->form, &frmMain::setFormRequested);
        QTest::mouseClick(w->form.canvas(), Qt::LeftButton, {}, point);
        if (twice) { // the second press arrives as the double click
            QTest::mouseDClick(w->form.canvas(), Qt::LeftButton, {}, point);
            QTest::mouseRelease(w->form.canvas(), Qt::LeftButton, {}, point);
        }
        QCOMPARE(w->state(), after);
        QStringList asked;
        for (const QList<QVariant>& signal : forms)
            asked << signal.at(0).toString();
        QCOMPARE(asked.join(' '), opened);
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
        QTest::addColumn<bool>("full");
        QTest::addColumn<QString>("text");
        const QString name = QStringLiteral("Proof the dough, then shape and bake at two hundred degrees.");
        QTest::newRow("linked, grouped")
            << true << name + "\n00:01:00, counting down\nTriggers: B\nGroup 3 : Bread & rolls";
        QTest::newRow("plain") << false << "(no name)\n00:00:00, counting up\nTriggers: nothing\nIn no group";
    }
    void toolTip() {
        QFETCH(bool, full);
        QFETCH(QString, text);
        clsClock& a = w->clocks.clock(0);
        if (full) {
            a.setPurpose(text.section('\n', 0, 0));
            a.setCurrentTime(60);
            w->clocks.clock(1).setStoredId(1); // the lowest identifier a link can name
            a.setLinkID(1);
            a.setGroupNum(3);
            w->clocks.groups().setName(3, QStringLiteral("Bread & rolls"));
        } else {
            a.setPurpose(QString());
            a.setCountType(1);
            a.setCurrentTime(0);
        }
        QWidget* canvas = w->form.canvas();
        QHelpEvent help(QEvent::ToolTip, QPoint(180, 110), canvas->mapToGlobal(QPoint(180, 110)));
        QApplication::sendEvent(canvas, &help);
        QTRY_VERIFY(QToolTip::isVisible());
        QTextDocument shown;
        shown.setHtml(QToolTip::text());
        QCOMPARE(shown.toPlainText().replace(QChar::LineSeparator, '\n'), text);
    }

    // Switching the group boxes on brings them up to date with the clocks.
    void boundsShownUpToDate() {
        w->options.setChecked(Option::ViewBounds, false);
        w->clocks.clock(0).setGroupNum(4);
        w->options.action(Option::ViewBounds)->trigger();
        QCOMPARE(w->clocks.groups().group(4).left, float(200 * 15 - 700));
    }

    // Arranged at the window's first size, and arranged again as each clock is added, the sixth clock
    // starts a second row and no button is cut off.
    void arrangedButtonsStayVisible() {
        w->options.action(Option::ViewArrange)->trigger();
        for (int i = 0; i < 3; ++i)
            w->item(QStringLiteral("mnuFileAddClock"))->trigger();
        const QRect visible = w->form.centralWidget()->rect();
        for (int i = 0; i < w->clocks.clockCount(); ++i) {
            const CanvasPoint reset = w->clocks.clock(i).buttonCorner(1);
            const QRectF button(reset.x / 15, reset.y / 15, 465 / 15.0, 210 / 15.0);
            QVERIFY2(QRectF(visible).contains(button), qPrintable(QString::number(i)));
        }
        QCOMPARE(w->clocks.clock(5).myY(), w->clocks.clock(0).myY() + 1100);
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
