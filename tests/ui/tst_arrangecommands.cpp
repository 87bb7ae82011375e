#include "TestBoard.h"
#include "clock/clsClock.h"
#include "core/RepaintScheduler.h"
#include "ui/ArrangeCommands.h"

#include <QCoreApplication>
#include <QPointF>
#include <QStandardPaths>
#include <QTest>

namespace {
QList<QPointF> centres(const ClockCollection& clocks) {
    QList<QPointF> list;
    for (int i = 0; i < clocks.clockCount(); ++i)
        list << QPointF(clocks.clock(i).myX(), clocks.clock(i).myY());
    return list;
}
} // namespace

class TstArrangeCommands : public QObject {
    Q_OBJECT
private slots:
    void arrangeIfChecked_data();
    void arrangeIfChecked();
    void viewArrangeToggled_data();
    void viewArrangeToggled();
};

void TstArrangeCommands::arrangeIfChecked_data() {
    QTest::addColumn<bool>("checked");
    QTest::addColumn<QList<QPointF>>("after");
    // Four clocks arranged on a 10000-wide canvas, then the canvas narrows to 5000 (limit 4000).
    QTest::newRow("checked: more rows at once")
        << true << QList<QPointF>{{900, 650}, {3000, 650}, {900, 1750}, {3000, 1750}};
    QTest::newRow("unchecked: nothing moves")
        << false << QList<QPointF>{{900, 650}, {3000, 650}, {5100, 650}, {7200, 650}};
}

void TstArrangeCommands::arrangeIfChecked() {
    QFETCH(bool, checked);
    QFETCH(QList<QPointF>, after);
    TestBoard b;
    RepaintScheduler repaint;
    ArrangeCommands commands(b.clocks, b.canvas, b.options, repaint);
    b.canvas.setSize(10000, 6000);
    for (int i = 0; i < 4; ++i)
        b.add(60);
    commands.autoArrange();
    b.options.setChecked(Option::ViewArrange, checked);

    b.canvas.setSize(5000, 6000);
    commands.arrangeIfChecked();
    QCOMPARE(centres(b.clocks), after);
}

void TstArrangeCommands::viewArrangeToggled_data() {
    QTest::addColumn<bool>("checkedNow");
    QTest::addColumn<QPointF>("first");
    QTest::newRow("now checked: arranges") << true << QPointF(900, 650);
    QTest::newRow("now unchecked: leaves the clocks") << false << QPointF(4500, 3000);
}

void TstArrangeCommands::viewArrangeToggled() {
    QFETCH(bool, checkedNow);
    QFETCH(QPointF, first);
    TestBoard b;
    RepaintScheduler repaint;
    ArrangeCommands commands(b.clocks, b.canvas, b.options, repaint);
    b.add(60); // placed at the middle of the 9000 x 6000 canvas
    b.options.setChecked(Option::ViewArrange, checkedNow);
    commands.viewArrangeToggled(checkedNow);
    QCOMPARE(centres(b.clocks).value(0), first);
}

int main(int argc, char* argv[]) {
    QStandardPaths::setTestModeEnabled(true);
    QCoreApplication app(argc, argv);
    TstArrangeCommands test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_arrangecommands.moc"
