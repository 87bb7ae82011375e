// The main window as the user meets it on a double-density screen: menus, canvas, mouse and keys, wired
// as the program wires them.
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
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QRubberBand>
#include <QStandardPaths>
#include <QTimer>
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
    QAction* item(const QString& name) const { return form.menu().action(name); }
    void select(const QString& mask) {
        for (int i = 0; i < clocks.clockCount(); ++i)
            clocks.clock(i).setSelected(mask[i] == QLatin1Char('1'));
    }
    // "A* B!5 C@30,30": A selected, B running in group 5, C moved by (30, 30) pixels.
    QString state() const {
        QStringList s;
        for (int i = 0; i < clocks.clockCount(); ++i) {
            const clsClock& c = clocks.clock(i);
            const QPoint moved =
                QPointF(c.myX() / 15, c.myY() / 15).toPoint() - home[c.purpose()[0].unicode() - u'A'];
            s << c.purpose() + (c.selected() ? "*" : "") + (c.active() ? "!" : "") +
                     (c.groupNum() >= 0 ? QString::number(c.groupNum()) : QString()) +
                     (moved.isNull() ? QString() : QStringLiteral("@%1,%2").arg(moved.x()).arg(moved.y()));
        }
        return s.join(QLatin1Char(' '));
    }
};

// Items joined by " | ", a submenu in brackets, check marks as [x] and [ ].
QString outline(const QMenu* menu) {
    QStringList items;
    for (const QAction* a : menu->actions()) {
        QString s = a->isSeparator() ? QStringLiteral("-") : a->text();
        if (a->isCheckable())
            s += a->isChecked() ? QStringLiteral(" [x]") : QStringLiteral(" [ ]");
        if (a->menu())
            s += QStringLiteral(" (") + outline(a->menu()) + QLatin1Char(')');
        items << s;
    }
    return items.join(QStringLiteral(" | "));
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
    void cleanup() { w.reset(); }

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
        const QImage shown = w->form.canvas()->grab().toImage().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(shown, w->form.canvas()->backBuffer());
        const int bx = 473, by = 167; // (3550, 1250) at 7.5 twips a device pixel
        QCOMPARE(shown.pixelColor(bx, by + 10), QColor(Qt::black));
        QCOMPARE(shown.pixelColor(bx + 1, by + 10), QColor(Qt::black));
        QVERIFY(shown.pixelColor(bx + 2, by + 10) != Qt::black);
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
        QString text, title;
        answer<QMessageBox>(w->item(QStringLiteral("mnuAbout")), [&](QMessageBox* box) {
            text = box->text();
            title = box->windowTitle();
            box->accept();
        });
        QCOMPARE(text, QStringLiteral("Zentriq v" ZENTRIQ_VERSION "\n") + frmMain::webAddress);
        QCOMPARE(title, QStringLiteral("Zentriq"));
    }

    // "&Close clocks" empties the board without asking; the caption and group names go, check marks stay.
    void closeClocks() {
        for (int i = 0; i < 3; ++i)
            w->clocks.clock(i).setGroupNum(4);
        w->clocks.groups().setName(4, QStringLiteral("Oven"));
        w->form.menu().setGroupMenuCaption(4, QStringLiteral("Group 4 : Oven"));
        w->form.setWindowTitle(QStringLiteral("kitchen.clk"));
        w->options.setChecked(Option::ViewArrange, true);
        QSignalSpy closed(&w->form, &frmMain::clocksClosed);
        w->item(QStringLiteral("mnuFileDelete"))->trigger();
        QCOMPARE(w->clocks.clockCount(), 0);
        QCOMPARE(w->clocks.groups().name(4), QString());
        QCOMPARE(w->item(QStringLiteral("mnuGroupName4"))->text(), QStringLiteral("Group &4"));
        QCOMPARE(w->form.windowTitle(), QStringLiteral("Zentriq"));
        QCOMPARE(closed.count(), 1);
        QVERIFY(w->options.isChecked(Option::ViewArrange));
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
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QString>("name");
        QTest::newRow("named") << "Lab & bench" << true << "Lab & bench";
        QTest::newRow("empty") << "" << true << "";
        QTest::newRow("cancelled") << "Lab" << false << "";
    }
    void renameGroup() {
        QFETCH(QString, typed);
        QFETCH(bool, ok);
        QFETCH(QString, name);
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
        QTest::newRow("band over a box, no centre")
            << "001" << left << none << Path{{170, 80}, {199, 120}} << "A B C";
    }
    void mouse() {
        QFETCH(QString, before);
        QFETCH(Qt::MouseButton, button);
        QFETCH(Qt::KeyboardModifiers, mods);
        QFETCH(QList<QPoint>, path);
        QFETCH(QString, after);
        w->select(before);
        QTest::mousePress(w->form.canvas(), button, mods, path.first());
        for (int i = 1; i < path.size(); ++i)
            QTest::mouseMove(w->form.canvas(), path[i]);
        QTest::mouseRelease(w->form.canvas(), button, mods, path.last());
        QCOMPARE(w->state(), after);
        QVERIFY(!w->form.canvas()->findChild<QRubberBand*>()->isVisible());
    }

    // A file just loaded drops the first drag step: B follows only the step from (10, 5) to (30, 30).
    void firstDragStepAfterLoadIsIgnored() {
        w->clocks.setDragArmed(false);
        QTest::mousePress(w->form.canvas(), Qt::LeftButton, {}, {400, 100});
        QTest::mouseMove(w->form.canvas(), {410, 105});
        QTest::mouseMove(w->form.canvas(), {430, 130});
        QTest::mouseRelease(w->form.canvas(), Qt::LeftButton, {}, {430, 130});
        QCOMPARE(w->state(), QStringLiteral("A B@20,25 C"));
    }

    // A clock's dialog is asked for by a double click on it, and by Add a Clock once the new clock is
    // arranged (when that is checked).
    void setFormRequested() {
        w->options.setChecked(Option::ViewArrange, true);
        QList<QPointF> at;
        connect(&w->form, &frmMain::setFormRequested, this,
                [&](int i) { at << QPointF(w->clocks.clock(i).myX(), w->clocks.clock(i).myY()); });
        for (const QPoint p : {QPoint(200, 300), QPoint(600, 350)}) {
            QTest::mouseClick(w->form.canvas(), Qt::LeftButton, {}, p);
            QTest::mouseDClick(w->form.canvas(), Qt::LeftButton, {}, p);
        }
        w->item(QStringLiteral("mnuFileAddClock"))->trigger();
        QCOMPARE(at, (QList<QPointF>{{3000, 4500}, {900 + 3 * 2100, 650}}));
    }

    // Keys as X delivers them: the physical keycode (digit row 10..19, backquote 49, keypad 5 84, 0 from a
    // program) and the layout's key. A and C are in group 5; its box holds A alone until recomputed.
    void keys_data() {
        QTest::addColumn<QString>("before");
        QTest::addColumn<Qt::Key>("key");
        QTest::addColumn<Qt::KeyboardModifiers>("mods");
        QTest::addColumn<quint32>("code");
        QTest::addColumn<QString>("after"); // and the bottom of group 5's box
        const auto none = Qt::KeyboardModifiers(), shift = Qt::KeyboardModifiers(Qt::ShiftModifier),
                   pad = Qt::KeyboardModifiers(Qt::KeypadModifier);
        QTest::newRow("shift+5, none") << "000" << Qt::Key_Percent << shift << 14u << "A5 B C5 | 4950";
        QTest::newRow("shift+5, B") << "010" << Qt::Key_Percent << shift << 14u << "A5 B*5 C5 | 4950";
        QTest::newRow("5 selects group 5") << "010" << Qt::Key_5 << none << 14u << "A*5 B C*5 | 1950";
        QTest::newRow("keypad 5") << "010" << Qt::Key_5 << pad << 84u << "A5 B* C5 | 1950";
        QTest::newRow("keypad 5, no keycode") << "010" << Qt::Key_5 << pad << 0u << "A5 B* C5 | 1950";
        QTest::newRow("shift+keypad 5") << "010" << Qt::Key_5 << (pad | shift) << 84u << "A5 B* C5 | 1950";
        QTest::newRow("backquote clears") << "111" << Qt::Key_QuoteLeft << none << 49u << "A5 B C5 | 1950";
        QTest::newRow("Delete, none selected") << "000" << Qt::Key_Delete << none << 0u << "A5 B C5 | 1950";
        QTest::newRow("Delete, B selected") << "010" << Qt::Key_Delete << none << 0u << "A5 C5 | 1950";
    }
    void keys() {
        QFETCH(QString, before);
        QFETCH(Qt::Key, key);
        QFETCH(Qt::KeyboardModifiers, mods);
        QFETCH(quint32, code);
        QFETCH(QString, after);
        w->options.setChecked(Option::ViewBounds, false);
        w->clocks.clock(0).setGroupNum(5);
        w->clocks.computeGroupBounds();
        w->clocks.clock(2).setGroupNum(5);
        w->select(before);
        QKeyEvent press(QEvent::KeyPress, key, mods, code, 0, 0, QString());
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
