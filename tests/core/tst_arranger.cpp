#include "TestBoard.h"
#include "core/Arranger.h"

// Rows from the top left, as many to a row as the canvas width allows: the whole face, buttons included,
// must fit, so a left edge goes up to width - 1680.
class TestArranger : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    // The centres of six clocks, then the left of the last one's group box, which follows the new places.
    void autoArrange_data() {
        textRows(
            {"width", "placed"},
            {{"four to a row", "10000", "900,650 3000,650 5100,650 7200,650 900,1750 3000,1750 2300"},
             {"the fifth just fits", "10480", "900,650 3000,650 5100,650 7200,650 9300,650 900,1750 200"},
             {"the fifth starts a row", "10479",
              "900,650 3000,650 5100,650 7200,650 900,1750 3000,1750 2300"},
             // Tested before placing, so even the first clock moves down when it cannot fit.
             {"too narrow for one", "2079", "900,1750 900,2850 900,3950 900,5050 900,6150 900,7250 200"}});
    }
    void autoArrange() {
        QFETCH(QString, width);
        QFETCH(QString, placed);
        TestBoard b;
        for (int i = 0; i < 6; ++i)
            b.add(60).setPosition(-5000, 12345);
        b.clocks.clock(5).setGroupNum(2);
        b.canvas.setSize(width.toDouble(), 6000);
        Arranger(b.clocks, b.canvas).autoArrange();
        QCOMPARE(b.centres() + ' ' + QString::number(b.clocks.groups().group(2).left), placed);
    }
};

QTEST_GUILESS_MAIN(TestArranger)
#include "tst_arranger.moc"
