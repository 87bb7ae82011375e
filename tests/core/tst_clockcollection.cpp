#include "TestBoard.h"
#include "core/Arranger.h"
#include "core/BoardSelection.h"
#include "core/CompletionNotices.h"
#include "core/IDesktopNotifier.h"
#include "core/IEventPump.h"
#include "core/IPassView.h"
#include "core/MainLoop.h"
#include "core/RepaintScheduler.h"

#include <QRandomGenerator>
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

// The board after steps beyond TestBoard::play's: gI,G puts clock I in group G; mMASK selects; dI deletes
// clock I, x the selection, e all; N names group 3; uI unnames clock I; v puts the board in view; o turns
// notices off; cI (cI,+) clicks clock I alone (added); MI,X,Y drags it; D disarms dragging; GN groups the
// selection; aW arranges on a canvas W wide; pX,Y tries the point that far from (3000, 2000): the clock on
// top, the one whose box holds it, the button there, the clock clicked; lI,N links clock I to identifier N;
// iI,N gives it N; kI notes its identifier, S the selection. Then: each clock's time (* running) and centre
// if moved, the selection, groups in use with top left or name, what was noted, the notices.
QString afterSteps(const QString& steps, TestBoard& b) {
    FakeNotifier desktop;
    bool inView = false;
    CompletionNotices notices(
        desktop, b.options, [&inView] { return inView; }, [] { return QTime(14, 32, 5); });
    b.clocks.setCompletionHandler(
        [&notices](const QVector<CompletedClock>& done) { notices.clocksCompleted(done); });
    BoardSelection sel(b.clocks);
    QHash<const clsClock*, QString> start;
    for (int k = 0; k < b.clocks.clockCount(); ++k)
        start[&b.clocks.clock(k)] =
            QStringLiteral("@%1,%2").arg(b.clocks.clock(k).myX()).arg(b.clocks.clock(k).myY());
    QStringList found, out, groups;
    const std::map<char, std::function<void(int, const QStringList&)>> ops = {
        {'g', [&](int i, const QStringList& n) { b.clocks.clock(i).setGroupNum(qint16(n[1].toInt())); }},
        {'m', [&](int, const QStringList& n) { b.select(n[0]); }},
        {'d', [&](int i, const QStringList&) { b.clocks.deleteClock(i); }},
        {'M', [&](int i, const QStringList& n) { sel.dragClock(i, n[1].toFloat(), n[2].toFloat()); }},
        {'x', [&](int, const QStringList&) { b.clocks.deleteSelected(); }},
        {'e', [&](int, const QStringList&) { b.clocks.removeAllClocks(); }},
        {'N', [&](int, const QStringList&) { b.clocks.groups().setName(3, "Kitchen"); }},
        {'u', [&](int i, const QStringList&) { b.clocks.clock(i).setPurpose(QString()); }},
        {'v', [&](int, const QStringList&) { inView = true; }},
        {'o', [&](int, const QStringList&) { b.options.setChecked(Option::Notify, false); }},
        {'c', [&](int i, const QStringList& n) { sel.clickSelect(i, n.size() == 1); }},
        {'D', [&](int, const QStringList&) { b.clocks.setDragArmed(false); }},
        {'G', [&](int i, const QStringList&) { sel.assignSelectedToGroup(i); }},
        {'l', [&](int i, const QStringList& n) { b.clocks.clock(i).setLinkID(n[1].toDouble()); }},
        {'i', [&](int i, const QStringList& n) { b.clocks.clock(i).setStoredId(n[1].toDouble()); }},
        {'k', [&](int i, const QStringList&) { found << QString::number(b.clocks.clock(i).ID()); }},
        {'S', [&](int, const QStringList&) { found << b.selection(); }},
        {'p',
         [&](int, const QStringList& n) {
             const float x = 3000 + n[0].toFloat(), y = 2000 + n[1].toFloat();
             found << QStringLiteral("%1,%2,%3,%4")
                          .arg(sel.topClockAt(x, y))
                          .arg(sel.hitTest(x, y))
                          .arg(sel.buttonAt(x, y))
                          .arg(sel.clickClockButtons(x, y));
         }},
        {'a', [&](int i, const QStringList&) {
             b.canvas.setSize(i, 6000);
             Arranger(b.clocks, b.canvas).autoArrange();
         }}};
    for (const QString& step : steps.split(' ', Qt::SkipEmptyParts)) {
        const QStringList n = step.mid(1).split(',');
        const auto op = ops.find(step[0].toLatin1());
        op == ops.end() ? b.play("| " + step) : op->second(n[0].toInt(), n);
    }
    for (int k = 0; k < b.clocks.clockCount(); ++k) {
        const clsClock& c = b.clocks.clock(k);
        const QString at = QStringLiteral("@%1,%2").arg(c.myX()).arg(c.myY());
        out << QString::number(c.currentTime()) + (c.active() ? "*" : "") + (at != start[&c] ? at : "");
    }
    for (int g = 0; g < 10; ++g) {
        const GroupRecord& r = b.clocks.groups().group(g);
        if (r.inUse || !r.name.isEmpty())
            groups << QStringLiteral("g%1").arg(g) +
                          (r.name.isEmpty() ? QStringLiteral("@%1,%2").arg(r.left).arg(r.top) : ':' + r.name);
    }
    QStringList parts{out.join(' '), b.selection().contains('1') ? b.selection() : "", groups.join(' '),
                      found.join(' '), desktop.sent.join(", ")};
    parts.removeAll(QString());
    return parts.join(" | ");
}
// A loop on a fake clock with a running count-up clock; dispatch sleeps to the wake-up asked for.
struct Rig final : IEventPump, IPassView {
    TestBoard b;
    RepaintScheduler repaint;
    MainLoop loop{b.clocks, b.time, b.options, *this, *this, repaint};
    clsClock& c = b.add(0);
    std::optional<qint64> wake;
    int lateMs = 0;
    QRandomGenerator late{7};
    QString presented; // w: the whole board, c: the changed clocks

    explicit Rig(bool sync) {
        b.options.setChecked(Option::Sync, sync);
        c.setCountType(1);
        loop.advance(); // the first synchronised pass only sets the common second
        c.setActive(true);
    }
    void dispatch(std::optional<qint64> wakeAtMs) override {
        wake = wakeAtMs;
        const qint64 now = b.time.nowMs(), delay = lateMs ? late.bounded(lateMs + 1) : 0;
        b.time.set(std::max(now, wakeAtMs.value_or(now + 1000) + delay));
    }
    void present() override { presented += 'w'; }
    void presentChangedClocks() override { presented += 'c'; }
    void advanceAfter(qint64 ms) {
        b.time.advance(ms);
        loop.advance();
    }
    // Completions less those due and the clocks still running (one a ring) after running 100 rings of ten
    // linked clocks. A clock started by a link later in the walk counts in the same pass.
    QString dayOfRings(int wokenLateMs, qint64 seconds) {
        lateMs = wokenLateMs;
        const int first = b.clocks.clockCount();
        qint64 completions = 0, running = 0;
        b.sound.recordPlays = false;
        b.clocks.setCompletionHandler(
            [&](const QVector<CompletedClock>& done) { completions += done.size(); });
        for (int r = 0; r < 100; ++r) {
            std::vector<qint64> done(10); // each clock's first completion
            for (int j = 0; j < 10; ++j)
                done[j] = (j ? done[j - 1] - 1 : 0) + qint64(b.add(5 + (3 * r + j) % 11).duration());
            for (int j = 0; j < 10; ++j)
                b.clocks.clock(first + 10 * r + j)
                    .setLinkID(b.clocks.clock(first + 10 * r + (j + 1) % 10).ID());
            for (qint64 f : done)
                completions -= f <= seconds ? (seconds - f) / done.back() + 1 : 0;
            b.clocks.clock(first + 10 * r).setActive(true); // on the common second the rig began
        }
        for (const qint64 end = b.time.nowMs() + seconds * 1000 + 500; b.time.nowMs() < end;)
            loop.pass();
        for (int i = first; i < b.clocks.clockCount(); ++i)
            running += b.clocks.clock(i).active() ? 1 : 0;
        return QStringLiteral("%1 %2").arg(completions).arg(running);
    }
};
} // namespace

// The board: identifiers, removal, completions told to the desktop, selection, dragging, groups, arranging;
// and the loop that counts it: catch-up, carried fractions, mode switches, starts, drift, sleep, repaints,
// links.
class TestClockCollection : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    // Clocks as TestBoard::play, named "A", "B", ...; without any, A and B at (3000, 2000) and C at
    // (4300, 1850), its box over B's start button.
    void board_data() {
        textRows(
            {"clocks", "steps", "shown"},
            {{"identifiers", "1 20 20 5", "k0 k1 k2 k3 l0,777 s0 t1 s0 i1,777 i2,777 t1",
              "0 19* 20 5 | 50000 1 99999 2 | A #1, A #1"},
             {"delete one clock, then the first", "1 2 3 4 5", "g2,3 g4,4 d2 d0", "2 4 5 | g4@0,0"},
             {"delete past either end", "1 2 3 4 5", "g2,3 d5 d-2", "1 2 3 4 5 | g3@0,0"},
             {"delete the selection", "1 2 3 4 5", "g2,3 g4,4 m01011 x", "1 3 | g3@0,0"},
             {"remove everything", "1 2", "g1,3 d9 N e", ""},
             {"one completion", "2 5", "s0 t2", "0 5 | A #1"},
             {"no name", "2", "u0 s0 t2", "0 | Clock #1"},
             {"a ring", "1>1 2>0", "s0 t1 t1 t1 t1", "1* 2 | A #1, B #2, A #1, B #2"},
             {"three at once", "2 2 1u 2", "u2 s0 s1 s2 s3 t2", "0 0 3* 0 | A, B and D #1"},
             {"together, then alone", "1 1", "s0 s1 t1 s1 t1", "0 0 | A and B #1, B #1"},
             {"board in view", "1", "v s0 t1", "0"},
             {"notices off", "1", "o s0 t1", "0"},
             {"stopped, not completed", "3 5u", "s0 s1 t1 s0 t1", "2 7*"},
             {"started at zero", "0", "s0 t1", "0"},
             {"clicks: alone, added, a deleted clock, nothing", "",
              "m010 x m01 c2,+ S c-1,+ S c0,+ S c2 S c0", "60 60 | 10 | 01 01 11 00"},
             {"drags", "", "m101 M1,100,0 M2,0,100 M3,7,7 D M2,7,7 M1,0,1",
              "60@3000,2100 60@3100,2001 60@4300,1950 | 101"},
             {"group keys", "", "g0,0 G5 m01 G5", "60 60 60 | 010 | g0@2300,1550 g5@2300,1550"},
             {"a group emptied", "", "g0,0 m1 G5", "60 60 60 | 100 | g5@2300,1550"},
             {"three to a row", "", "g2,2 a6280", "60@900,650 60@3000,650 60@5100,650 | g2@4400,200"},
             {"the third starts a row", "", "g2,2 a6279", "60@900,650 60@3000,650 60@900,1750 | g2@200,1300"},
             {"too narrow for one", "", "a2079", "60@900,1750 60@900,2850 60@900,3950"},
             {"the box's corners and just outside", "", "p-500,-250 p500,250 p-500.5,0",
              "60 60 60 | 1,1,-1,-1 1,1,-1,-1 1,-1,-1,-1"},
             {"the buttons", "", "p550,-20 p1015,210 p900,-200 p550,-250",
              "60 60* 60 | 1,-1,-1,-1 1,-1,1,1 2,2,-1,-1 1,-1,0,1"},
             {"the face's corners and just outside", "", "p-545,-295 p1075,320 p-545.5,0 p0,-295.5 p0,320.5",
              "60 60 60 | 1,-1,-1,-1 1,-1,-1,-1 -1,-1,-1,-1 -1,-1,-1,-1 -1,-1,-1,-1"}});
    }
    void board() {
        QFETCH(QString, clocks);
        QFETCH(QString, steps);
        QFETCH(QString, shown);
        TestBoard b;
        b.random.queue = {0.5, 0.5, 0.0, 0.9999999};
        b.random.queue.insert(b.random.queue.end(), 1000, 0.0); // every draw taken: the lowest free one
        b.play(clocks);
        for (const QPointF& p :
             clocks.isEmpty() ? QList<QPointF>{{3000, 2000}, {3000, 2000}, {4300, 1850}} : QList<QPointF>())
            b.add(60).setPosition(float(p.x()), float(p.y()));
        for (int i = 0; i < b.clocks.clockCount(); ++i)
            b.clocks.clock(i).setPurpose(QString(QChar('A' + i)));
        QCOMPARE(afterSteps(steps, b), shown);
    }

    // The count-up clock's seconds after each step: N, an advance N ms on; S1 or S0, synchronised or not from
    // the next advance; s, start/stop and an advance; W N, a pass, then a sleep of N ms the loop must not cut
    // short; R N, advances over N ms with random gaps of 0-50 ms; P, a pass sleeping as asked. Shown instead:
    // w, ms until the loop would wake; v, what was presented since the last v; D N, a day of rings woken up
    // to N ms late. r asks for a repaint. Modes: s synchronised, u not (shown split by " / ").
    void timing_data() {
        textRows(
            {"steps", "modes", "shown"},
            {{"held", "30400 599 1", "su", "30 30 31 / 1 1 1"},
             {"held past 16 bits", "40000500", "s", "40000"},
             {"to synchronised", "1300 S1 700 1", "u", "1 2 2"},
             {"to unsynchronised", "1500 S0 500 1", "s", "1 1 2"},
             {"switched twenty times", QString("S1 499 S0 499 ").repeated(10) + "21", "u",
              "0 0 1 1 2 2 3 3 4 4 5 5 6 6 7 7 8 8 9 9 10"},
             {"start after a quiet spell", "s W5300 s 700 1", "su", "0 0 0 1 1 / 0 0 0 0 1"},
             {"start a second after the common count", "s W1000 s 999 1", "s", "0 0 0 0 1"},
             {"own second a second after the last", "s W1000 s 1000 1", "u", "0 0 0 1 1"},
             {"a day without drift", "R86400000 1", "su", "86400 86400 / 86399 86400"},
             {"sleeps to the next second", "P P P P P P P P P P P P", "su", "0 1 2 3 4 5 6 7 8 9 10 11"},
             {"wakes for the common or once the own second is over", "W0 300 w", "su", "0 0 w700 / 0 0 w701"},
             {"a repaint between frames wakes the loop", "s W0 5 r w", "s", "0 0 0 w11"},
             {"a count repaints the changed clocks", "P v P v s P v", "s", "0 vw 1 vc 1 1 v"},
             {"a day of rings, woken on time", "D0", "s", "0 100"},
             {"a day of rings, woken late", "D400", "s", "0 100"}});
    }
    void timing() {
        QFETCH(QString, steps);
        QFETCH(QString, modes);
        QFETCH(QString, shown);
        const int hours = qEnvironmentVariableIntValue("ZENTRIQ_SOAK_HOURS"); // shorter for sanitizer builds
        for (int m = 0; m < modes.size(); ++m) {
            Rig r(modes[m] == 's');
            QRandomGenerator gaps(42);
            QStringList seen;
            qint64 now = 0;
            const std::map<char, std::function<void(qint64)>> ops = {
                {'S', [&](qint64 n) { r.b.options.setChecked(Option::Sync, n == 1); }},
                {'r', [&](qint64) { r.repaint.request(); }},
                {'w',
                 [&](qint64) {
                     seen << QStringLiteral("w%1").arg(r.loop.nextWakeMs().value_or(now - 1) - now);
                 }},
                {'v', [&](qint64) { seen << 'v' + std::exchange(r.presented, QString()); }},
                {'D', [&](qint64 n) { seen << r.dayOfRings(int(n), 3600 * qint64(hours > 0 ? hours : 24)); }},
                {'s',
                 [&](qint64) {
                     r.c.toggleStartStop();
                     r.loop.advance();
                 }},
                {'W',
                 [&](qint64 n) {
                     r.loop.pass();
                     QVERIFY2(!r.wake || *r.wake >= now + n,
                              qPrintable(QString::number(r.wake.value_or(now) - now)));
                     r.b.time.set(now + n); // the loop reads the time again only in its next pass
                 }},
                {'R',
                 [&](qint64 n) {
                     while (r.b.time.nowMs() < now + n)
                         r.advanceAfter(gaps.bounded(51));
                 }},
                {'P', [&](qint64) { r.loop.pass(); }}};
            for (const QString& step : steps.split(' ')) {
                now = r.b.time.nowMs();
                const auto op = ops.find(step[0].toLatin1());
                op == ops.end() ? r.advanceAfter(step.toLongLong()) : op->second(step.mid(1).toLongLong());
                if (!QStringLiteral("SrwvD").contains(step[0]))
                    seen << QString::number(r.c.currentTime());
            }
            QCOMPARE(seen.join(' '), shown.split(" / ").value(m, shown));
        }
    }
};

QTEST_GUILESS_MAIN(TestClockCollection)
#include "tst_clockcollection.moc"
