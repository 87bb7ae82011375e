#include "TestBoard.h"
#include "core/Arranger.h"

// Rows from the top left, as many to a row as the canvas width allows: the whole face, buttons included,
// must fit, so a left edge goes up to width - 1680.
class TestArranger : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void autoArrange_data() {
        QTest::addColumn<double>("width");
        QTest::addColumn<QList<QPointF>>("centres");
        const QList<QPointF> five{{900, 650}, {3000, 650}, {5100, 650}, {7200, 650}, {9300, 650}};
        QTest::newRow("four to a row")
            << 10000.0 << five.mid(0, 4) + QList<QPointF>{{900, 1750}, {3000, 1750}};
        QTest::newRow("the fifth just fits") << 10480.0 << five + QList<QPointF>{{900, 1750}};
        QTest::newRow("the fifth starts a row")
            << 10479.0 << five.mid(0, 4) + QList<QPointF>{{900, 1750}, {3000, 1750}};
        // Tested before placing, so even the first clock moves down when it cannot fit.
        QTest::newRow("too narrow for one")
            << 2079.0
            << QList<QPointF>{{900, 1750}, {900, 2850}, {900, 3950}, {900, 5050}, {900, 6150}, {900, 7250}};
    }
    void autoArrange() {
        QFETCH(double, width);
        QFETCH(QList<QPointF>, centres);
        TestBoard b;
        for (int i = 0; i < 6; ++i)
            b.add(60).setPosition(-5000, 12345);
        b.clocks.clock(5).setGroupNum(2);
        b.canvas.setSize(width, 6000);
        Arranger(b.clocks, b.canvas).autoArrange();
        QList<QPointF> placed;
        for (int i = 0; i < b.clocks.clockCount(); ++i)
            placed << QPointF(b.clocks.clock(i).myX(), b.clocks.clock(i).myY());
        QCOMPARE(placed, centres);
        // The group boxes follow the new places.
        QCOMPARE(b.clocks.groups().group(2).left, float(centres.last().x() - 700));
    }
};

QTEST_GUILESS_MAIN(TestArranger)
#include "tst_arranger.moc"
