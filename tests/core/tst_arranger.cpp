#include "TestBoard.h"
#include "clock/clsClock.h"
#include "core/Arranger.h"

#include <QCoreApplication>
#include <QPointF>
#include <QStandardPaths>
#include <QTest>

class TstArranger : public QObject {
    Q_OBJECT
private slots:
    void autoArrange_data();
    void autoArrange();
    void autoArrange_firstRowLeftEdges();
    void autoArrange_recomputesGroupBounds();
};

void TstArranger::autoArrange_data() {
    QTest::addColumn<double>("width");
    QTest::addColumn<QList<QPointF>>("centres");
    QTest::newRow("no clocks") << 10000.0 << QList<QPointF>{};
    QTest::newRow("10000 wide: five in a row, the sixth below")
        << 10000.0
        << QList<QPointF>{{900, 650}, {3000, 650}, {5100, 650}, {7200, 650}, {9300, 650}, {900, 1750}};
    // The fifth clock's left edge, 8800, is just within the limit of a 9800-wide canvas.
    QTest::newRow("9800 wide: five still fit")
        << 9800.0
        << QList<QPointF>{{900, 650}, {3000, 650}, {5100, 650}, {7200, 650}, {9300, 650}, {900, 1750}};
    QTest::newRow("9799 wide: the fifth starts a row")
        << 9799.0
        << QList<QPointF>{{900, 650}, {3000, 650}, {5100, 650}, {7200, 650}, {900, 1750}, {3000, 1750}};
    QTest::newRow("1400 wide: one a row") << 1400.0 << QList<QPointF>{{900, 650}, {900, 1750}, {900, 2850}};
    // Too narrow even for the first clock: every clock starts a row of its own, the first one too.
    QTest::newRow("1399 wide: first row stays empty") << 1399.0 << QList<QPointF>{{900, 1750}, {900, 2850}};
}

void TstArranger::autoArrange() {
    QFETCH(double, width);
    QFETCH(QList<QPointF>, centres);
    TestBoard b;
    b.canvas.setSize(width, 6000);
    for (int i = 0; i < centres.size(); ++i)
        b.add(60).setPosition(-5000, 12345); // wherever a drag left them
    Arranger(b.clocks, b.canvas).autoArrange();
    for (int i = 0; i < centres.size(); ++i) {
        const clsClock& c = b.clocks.clock(i);
        QCOMPARE(QPointF(c.myX(), c.myY()), centres[i]);
        // The buttons follow the clock.
        QCOMPARE(c.getButtonClick(c.myX() + 550, c.myY()), qint16(1));
    }
}

void TstArranger::autoArrange_firstRowLeftEdges() {
    TestBoard b;
    b.canvas.setSize(10000, 6000);
    for (int i = 0; i < 6; ++i)
        b.add(60);
    Arranger(b.clocks, b.canvas).autoArrange();
    const double lefts[] = {400, 2500, 4600, 6700, 8800, 400};
    const double tops[] = {400, 400, 400, 400, 400, 1500};
    for (int i = 0; i < 6; ++i) {
        QCOMPARE(b.clocks.clock(i).myLeft(), lefts[i]);
        QCOMPARE(b.clocks.clock(i).myTop(), tops[i]);
    }
}

void TstArranger::autoArrange_recomputesGroupBounds() {
    TestBoard b;
    b.options.setChecked(Option::ViewBounds, false); // arranging recomputes whether shown or not
    b.canvas.setSize(10000, 6000);
    b.add(60).setGroupNum(3);
    b.add(60).setGroupNum(3);
    b.clocks.computeGroupBounds();
    Arranger(b.clocks, b.canvas).autoArrange();
    const GroupRecord& g = b.clocks.groups().group(3);
    QVERIFY(g.inUse);
    QCOMPARE(g.left, 200.f);
    QCOMPARE(g.top, 200.f);
    QCOMPARE(g.right, 3500.f + 700);
    QCOMPARE(g.bottom, 900.f + 200);
}

int main(int argc, char* argv[]) {
    QStandardPaths::setTestModeEnabled(true);
    QCoreApplication app(argc, argv);
    TstArranger test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_arranger.moc"
