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
#include <QtTest>

namespace {
// Clocks A, B, C centred at pixels (200, 100), (400, 100), (200, 300) of the canvas.
struct Window {
    const QPoint home[3] = {{200, 100}, {400, 100}, {200, 300}};
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

// Items joined by " | ", a submenu in brackets, check marks as [x] and [ ].
QString outline(const QMenu* menu) {
    QStringList items;
    for (const QAction* a : menu->actions()) {
        const QString check = a->isCheckable() ? (a->isChecked() ? " [x]" : " [ ]") : "";
        items << (a->isSeparator() ? "-" : a->text()) + check +
                     (a->menu() ? " (" + outline(a->menu()) + ')' : "");
    }
    return items.join(" | ");
}

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

    void menuTree() {
        QString assign, names;
        for (int g = 0; g < 10; ++g) {
            assign += QStringLiteral("%1Group &%2 (shift+%2)").arg(g ? " | " : "").arg(g);
            names += QStringLiteral("%1Group &%2").arg(g ? " | " : "").arg(g);
        }
        const QStringList expected = {
            "&File: Add a &Clock | - | &Open Clocks | &Save Clocks | Save Clocks &As... | - | "
            "&Close clocks | &Quit",
            "&View: &Auto Arrange Clocks [ ] | &View Group Bounding Boxes [x]",
            "&Sounds: &Mute [ ]",
            "&Misc. Settings: &Syncronize clocks [x] | "
            "&Allow saved clock files to reposition main form [x] | &Reset all clocks on load [ ]",
            "Se&lection: Select &All | Select &None | - | Assign selected to &group (" + assign +
                ") | - | &Reset selected clocks | &Start selected clocks | Sto&p selected clocks | - | "
                "&Delete selected clocks",
            "&Group Names: " + names,
            "&Help: &About"};
        QStringList actual;
        for (const QAction* a : w->form.menuBar()->actions())
            actual << a->text() + QStringLiteral(": ") + outline(a->menu());
        QCOMPARE(actual, expected);
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

    // Closing the board empties it; the caption and group names go. (The menu item asks first: FileCommands.)
    void closeClocks() {
        w->clocks.groups().setName(4, QStringLiteral("Oven"));
        w->form.menu().setGroupMenuCaption(4, QStringLiteral("Group 4 : Oven"));
        w->form.setWindowTitle(QStringLiteral("kitchen.clk"));
        w->form.closeClocks();
        QCOMPARE(w->clocks.clockCount(), 0);
        QCOMPARE(w->clocks.groups().name(4), QString());
        QCOMPARE(w->item(QStringLiteral("mnuGroupName4"))->text(), QStringLiteral("Group &4"));
        QCOMPARE(w->form.windowTitle(), QStringLiteral("Zentriq"));
    }

    // The close button asks the program to end; the window itself never closes.
    void closeButtonAsksToQuit() {
        QSignalSpy quit(&w->form, &frmMain::quitRequested);
        QVERIFY(!w->form.close());
        QVERIFY(w->form.isVisible());
        QCOMPARE(quit.count(), 1);
    }

    // Group Names > Group 2 asks for the name; cancelling or an empty answer clears it.
    void renameGroup_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("name");
        QTest::newRow("named") << "Lab & bench"
                               << "Lab & bench";
        QTest::newRow("empty") << ""
                               << "";
        QTest::newRow("cancelled") << "Lab"
                                   << "";
    }
    void renameGroup() {
        QFETCH(QString, typed);
        QFETCH(QString, name);
        w->clocks.groups().setName(2, QStringLiteral("Old"));
        QString asked;
        answer<QInputDialog>(w->item(QStringLiteral("mnuGroupName2")), [&](QInputDialog* dialog) {
            asked = dialog->windowTitle() + '|' + dialog->labelText() + '|' + dialog->textValue();
            dialog->setTextValue(typed);
            typed == name ? dialog->accept() : dialog->reject(); // a different name only by cancelling
        });
        QCOMPARE(asked, QStringLiteral("Group name|Enter group name|Old"));
        QCOMPARE(w->clocks.groups().name(2), name);
        for (int g = 0; g < 10; ++g)
            QCOMPARE(w->item(QStringLiteral("mnuGroupName%1").arg(g))->text(),
                     g == 2 ? QStringLiteral("Group 2 : ") + name : QStringLiteral("Group &%1").arg(g));
    }

    // Press at the path's first point, move through the rest, release at its last.
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
    }
    void mouse() {
        QFETCH(QString, before);
        QFETCH(Qt::MouseButton, button);
        QFETCH(Qt::KeyboardModifiers, mods);
        QFETCH(QList<QPoint>, path);
        QFETCH(QString, after);
        w->select(before);
        w->clocks.setDragArmed(!before.endsWith(QStringLiteral("loaded")));
        QTest::mousePress(w->form.canvas(), button, mods, path.first());
        for (int i = 1; i < path.size(); ++i)
            QTest::mouseMove(w->form.canvas(), path[i]);
        QTest::mouseRelease(w->form.canvas(), button, mods, path.last());
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
};

int main(int argc, char* argv[]) {
    QStandardPaths::setTestModeEnabled(true);
    qputenv("QT_SCALE_FACTOR", "2");
    QApplication app(argc, argv);
    TestFrmMain test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_frmmain.moc"
