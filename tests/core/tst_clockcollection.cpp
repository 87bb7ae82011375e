#include "TestBoard.h"
#include "core/Arranger.h"
#include "core/BoardSelection.h"
#include "core/CompletionNotices.h"
#include "core/IDesktopNotifier.h"

#include <functional>
#include <map>

namespace {
// A desktop that shows at once and reuses the id of the notification it replaces, as servers do.
struct FakeNotifier final : IDesktopNotifier {
    QStringList sent; // "summary #id"
    quint32 lastId = 0;
    void show(const QString& summary, const QString& body, quint32 replaces,
              std::function<void(quint32)> shown) override {
        const quint32 id = replaces ? replaces : ++lastId;
        sent << summary + QStringLiteral(" #%1").arg(id);
        QCOMPARE(body, "Completed at 14:32");
        shown(id);
    }
};

// The board after steps of its own on top of TestBoard::play's: gI.G puts clock I into group G, mMASK
// selects, dI deletes clock I, x the selection, e everything, N names group 3, uI leaves clock I unnamed, v
// puts the board in view, o turns the notices off; cI / CI click clock I alone / added, dI,X,Y drags it, D
// disarms dragging, GN sends the selection to group N, aW arranges on a canvas W wide. Then each clock's time
// (* running) or centre, its selection, the groups in use with their top left or name, and the notices sent.
QString afterSteps(const QString& steps, TestBoard& b, bool centres) {
    FakeNotifier desktop;
    bool inView = false;
    CompletionNotices notices(
        desktop, b.options, [&inView] { return inView; }, [] { return QTime(14, 32, 5); });
    b.clocks.setCompletionHandler(
        [&notices](const QVector<CompletedClock>& done) { notices.clocksCompleted(done); });
    BoardSelection sel(b.clocks);
    using Op = std::function<void(int, const QStringList&)>;
    const std::map<char, Op> ops = {
        {'g', [&](int i, const QStringList& n) { b.clocks.clock(i).setGroupNum(qint16(n[1].toInt())); }},
        {'m', [&](int, const QStringList& n) { b.select(n[0]); }},
        {'d',
         [&](int i, const QStringList& n) {
             n.size() > 1 ? sel.dragClock(i, n[1].toFloat(), n[2].toFloat()) : b.clocks.deleteClock(i);
         }},
        {'x', [&](int, const QStringList&) { b.clocks.deleteSelected(); }},
        {'e', [&](int, const QStringList&) { b.clocks.removeAllClocks(); }},
        {'N', [&](int, const QStringList&) { b.clocks.groups().setName(3, "Kitchen"); }},
        {'u', [&](int i, const QStringList&) { b.clocks.clock(i).setPurpose(QString()); }},
        {'v', [&](int, const QStringList&) { inView = true; }},
        {'o', [&](int, const QStringList&) { b.options.setChecked(Option::Notify, false); }},
        {'c', [&](int i, const QStringList&) { sel.clickSelect(i, true); }},
        {'C', [&](int i, const QStringList&) { sel.clickSelect(i, false); }},
        {'D', [&](int, const QStringList&) { b.clocks.setDragArmed(false); }},
        {'G', [&](int i, const QStringList&) { sel.assignSelectedToGroup(i); }},
        {'a', [&](int i, const QStringList&) {
             b.canvas.setSize(i, 6000);
             Arranger(b.clocks, b.canvas).autoArrange();
         }}};
    for (const QString& step : steps.split(' ', Qt::SkipEmptyParts)) {
        const QStringList n = step.mid(1).split(QRegularExpression("[.,]"));
        const auto op = ops.find(step[0].toLatin1());
        op == ops.end() ? b.play("| " + step) : op->second(n[0].toInt(), n);
    }
    QStringList out;
    for (int k = 0; k < b.clocks.clockCount(); ++k)
        out << (centres ? QStringLiteral("%1,%2").arg(b.clocks.clock(k).myX()).arg(b.clocks.clock(k).myY())
                        : QString::number(b.clocks.clock(k).currentTime()) +
                              (b.clocks.clock(k).active() ? "*" : ""));
    out << (centres ? b.selection() : "|");
    for (int g = 0; g < 10; ++g) {
        const GroupRecord& r = b.clocks.groups().group(g);
        if (r.inUse || !r.name.isEmpty())
            out << QStringLiteral("g%1").arg(g) + (!r.name.isEmpty() ? ':' + r.name
                                                   : centres ? QStringLiteral("@%1,%2").arg(r.left).arg(r.top)
                                                             : QString());
    }
    return (out << "|" << desktop.sent.join(", ")).join(' ').trimmed();
}
} // namespace

// The board: identifiers, removal, completions told to the desktop, selection, dragging, groups, arranging.
class TestClockCollection : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    // New identifiers span 1-99999, redrawn while taken; links reach the lower index of a duplicate, if any.
    void identifiers() {
        TestBoard b;
        b.random.queue = {0.5, 0.5, 0.0, 0.9999999};
        b.random.queue.insert(b.random.queue.end(), 1000, 0.0); // every draw taken: the lowest free one
        b.play("1 20 20 5");
        QList<double> ids;
        for (int i = 0; i < 4; ++i)
            ids << b.clocks.clock(i).ID();
        QCOMPARE(ids, QList<double>({50000, 1, 99999, 2}));
        b.clocks.clock(0).setLinkID(777);
        b.play("| s0 t1 s0"); // completes with nobody to start, and restarts
        b.clocks.clock(1).setStoredId(777);
        b.clocks.clock(2).setStoredId(777);
        b.play("| t1");
        QCOMPARE(b.states(), "stop 0, run 19, stop 20, stop 5");
    }

    // Clocks as TestBoard::play, named "A", "B", ... unless the steps name them. Deleting keeps the order of
    // the rest and renews the groups in use. A ring replaces its own notices; clocks done together share one.
    void board_data() {
        textRows({"clocks", "steps", "shown"},
                 {{"delete one clock", "1 2 3 4 5", "g2.3 g4.4 d2", "1 2 4 5 | g4 |"},
                  {"delete the first", "1 2 3 4 5", "g2.3 g4.4 d0", "2 3 4 5 | g3 g4 |"},
                  {"delete past the end", "1 2 3 4 5", "g2.3 d5", "1 2 3 4 5 | g3 |"},
                  {"delete below zero", "1 2 3 4 5", "g2.3 d-2", "1 2 3 4 5 | g3 |"},
                  {"delete the selection", "1 2 3 4 5", "g2.3 g4.4 m01011 x", "1 3 | g3 |"},
                  {"remove everything", "1 2", "g1.3 d9 N e", "| |"},
                  {"one completion", "2 5", "s0 t2", "0 5 | | A #1"},
                  {"no name", "2", "u0 s0 t2", "0 | | Clock #1"},
                  {"a ring", "1>1 2>0", "s0 t1 t1 t1 t1", "1* 2 | | A #1, B #2, A #1, B #2"},
                  {"three at once", "2 2 1u 2", "u2 s0 s1 s2 s3 t2", "0 0 3* 0 | | A, B and D #1"},
                  {"together, then alone", "1 1", "s0 s1 t1 s1 t1", "0 0 | | A and B #1, B #1"},
                  {"board in view", "1", "v s0 t1", "0 | |"},
                  {"notices off", "1", "o s0 t1", "0 | |"},
                  {"stopped, not completed", "3 5u", "s0 s1 t1 s0 t1", "2 7* | |"},
                  {"started at zero", "0", "s0 t1", "0 | |"}});
    }
    void board() {
        QFETCH(QString, clocks);
        QFETCH(QString, steps);
        QFETCH(QString, shown);
        TestBoard b;
        b.play(clocks);
        for (int i = 0; i < b.clocks.clockCount(); ++i)
            b.clocks.clock(i).setPurpose(QString(QChar('A' + i)));
        QCOMPARE(afterSteps(steps, b, false), shown);
    }

    // Three clocks in a row. A click replaces or adds to the selection; an index no longer on the board (its
    // clock was deleted under the pointer) selects nothing. An unselected clock is dragged alone, a selected
    // one with the selection; a load drops the next first step. Shift+digit moves the selection into a group;
    // with nothing selected it only renews the group boxes. Arranging fills rows from the top left while a
    // clock's face, buttons included, fits the canvas, so a left edge goes up to width - 1680.
    void selection_data() {
        textRows(
            {"steps", "shown"},
            {{"click, alone", "m010 x m01 c0", "1000,1000 5000,1000 10 |"},
             {"click, added", "m010 x m01 C0", "1000,1000 5000,1000 11 |"},
             {"a deleted clock, alone", "m010 x m01 c2", "1000,1000 5000,1000 00 |"},
             {"a deleted clock, added", "m010 x m01 C2", "1000,1000 5000,1000 01 |"},
             {"nothing, added", "m010 x m01 C-1", "1000,1000 5000,1000 01 |"},
             {"drags", "m101 d1,100,0 d2,0,100 d3,7,7 D d2,7,7 d1,0,1",
              "1000,1100 3100,1001 5000,1100 101 |"},
             {"group keys", "g0.0 G5 m01 G5", "1000,1000 3000,1000 5000,1000 010 g0@300,550 g5@2300,550 |"},
             {"a group emptied", "g0.0 m1 G5", "1000,1000 3000,1000 5000,1000 100 g5@300,550 |"},
             {"three to a row", "g2.2 a6280", "900,650 3000,650 5100,650 000 g2@4400,200 |"},
             {"the third starts a row", "g2.2 a6279", "900,650 3000,650 900,1750 000 g2@200,1300 |"},
             {"too narrow for one", "a2079", "900,1750 900,2850 900,3950 000 |"}});
    }
    void selection() {
        QFETCH(QString, steps);
        QFETCH(QString, shown);
        TestBoard b;
        for (int x : {1000, 3000, 5000})
            b.add(60).setPosition(float(x), 1000);
        QCOMPARE(afterSteps(steps, b, true), shown);
    }

    // Clocks 0 and 1 at (3000, 2000), clock 2 at (4300, 1850), its box over clock 1's start button; edges
    // count as inside. At the offset from (3000, 2000): the clock on top (its face's cover), the clock whose
    // box holds the point, the button there (0 start/stop, 1 reset), the clock whose button a click ran, and
    // which clocks then run. A button hidden under another face does nothing.
    void points_data() {
        textRows({"offset", "found"}, {{"top left corner", "-500,-250", "1 1 -1 -1 000"},
                                       {"bottom right corner", "500,250", "1 1 -1 -1 000"},
                                       {"just left of the box", "-500.5,0", "1 -1 -1 -1 000"},
                                       {"start button corner", "550,-250", "1 -1 0 1 010"},
                                       {"between the buttons", "550,-20", "1 -1 -1 -1 000"},
                                       {"reset button far corner", "1015,210", "1 -1 1 1 000"},
                                       {"start under a face", "900,-200", "2 2 -1 -1 000"},
                                       {"face's top left", "-545,-295", "1 -1 -1 -1 000"},
                                       {"face's bottom right", "1075,320", "1 -1 -1 -1 000"},
                                       {"left of the face", "-545.5,0", "-1 -1 -1 -1 000"},
                                       {"above the face", "0,-295.5", "-1 -1 -1 -1 000"},
                                       {"below the face", "0,320.5", "-1 -1 -1 -1 000"}});
    }
    void points() {
        QFETCH(QString, offset);
        QFETCH(QString, found);
        TestBoard b;
        for (const QPointF& p : {QPointF(3000, 2000), QPointF(3000, 2000), QPointF(4300, 1850)})
            b.add(60).setPosition(float(p.x()), float(p.y()));
        const float x = 3000 + offset.section(',', 0, 0).toFloat(),
                    y = 2000 + offset.section(',', 1).toFloat();
        BoardSelection sel(b.clocks);
        QString s = QStringLiteral("%1 %2 %3 ")
                        .arg(sel.topClockAt(x, y))
                        .arg(sel.hitTest(x, y))
                        .arg(sel.buttonAt(x, y));
        s += QString::number(sel.clickClockButtons(x, y)) + ' ';
        for (int i = 0; i < 3; ++i)
            s += b.clocks.clock(i).active() ? '1' : '0';
        QCOMPARE(s, found);
    }
};

QTEST_GUILESS_MAIN(TestClockCollection)
#include "tst_clockcollection.moc"
