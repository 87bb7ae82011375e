// Which repaint the loop asks for: counting repaints the changed clocks, anything else the whole board.
#include "TestBoard.h"
#include "core/IEventPump.h"
#include "core/IPassView.h"
#include "core/MainLoop.h"
#include "core/RepaintScheduler.h"

namespace {
struct Rig final : IEventPump, IPassView {
    TestBoard b;
    RepaintScheduler repaint;
    MainLoop loop{b.clocks, b.time, b.options, *this, *this, repaint};
    QStringList presented;

    Rig() { b.options.setChecked(Option::Sync, true); }

    void dispatch(std::optional<qint64>) override {}
    void present() override { presented << "whole"; }
    void presentChangedClocks() override { presented << "changed"; }
};
} // namespace

class TestRepaintScheduler : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    // w: the whole board asked for; c: changed clocks asked for; then what the next take gives.
    void kinds_data() {
        QTest::addColumn<QString>("asked");
        QTest::addColumn<int>("taken");
        using R = RepaintScheduler::Repaint;
        QTest::newRow("nothing") << "" << int(R::None);
        QTest::newRow("changed clocks") << "c" << int(R::ChangedClocks);
        QTest::newRow("whole") << "w" << int(R::Whole);
        QTest::newRow("whole, then changed clocks") << "wc" << int(R::Whole);
        QTest::newRow("changed clocks, then whole") << "cw" << int(R::Whole);
    }
    void kinds() {
        QFETCH(QString, asked);
        QFETCH(int, taken);
        RepaintScheduler s;
        s.take(0); // the first picture, asked for from the start
        for (QChar k : asked)
            k == 'w' ? s.request() : s.requestChangedClocks();
        QCOMPARE(s.dueAtMs(), asked.isEmpty() ? -1 : RepaintScheduler::frameMs);
        QCOMPARE(int(s.take(5)), int(RepaintScheduler::Repaint::None)); // within the frame
        QCOMPARE(int(s.take(RepaintScheduler::frameMs)), taken);
        QCOMPARE(int(s.take(1000)), int(RepaintScheduler::Repaint::None)); // taken once
    }

    // A second counted repaints the changed clocks; a stopped board asks for nothing more.
    void loopAsksForChangedClocks() {
        Rig r;
        clsClock& c = r.b.add(60);
        r.loop.pass(); // the first picture is the whole board; this pass sets the common second
        c.setActive(true);
        r.b.time.advance(1000);
        r.loop.pass();
        c.setActive(false);
        r.b.time.advance(1000);
        r.loop.pass();
        QCOMPARE(r.presented, QStringList({"whole", "changed"}));
        QCOMPARE(c.currentTime(), 59.0);
    }
};

QTEST_GUILESS_MAIN(TestRepaintScheduler)
#include "tst_repaintscheduler.moc"
