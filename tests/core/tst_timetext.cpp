#include "core/TimeText.h"

#include <QStandardPaths>
#include <QTest>

// The time a clock shows: hours, minutes and whole seconds, each at least two digits.
class TestTimeText : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void clockText_data() {
        QTest::addColumn<double>("seconds");
        QTest::addColumn<QString>("text");
        QTest::newRow("hours, minutes, seconds") << 3725.0 << "01:02:05";
        QTest::newRow("fraction dropped") << 59.9 << "00:00:59";
        QTest::newRow("100 hours") << 360000.0 << "100:00:00";
        QTest::newRow("past 16-bit hours") << 32768.0 * 3600 << "32768:00:00";
        QTest::newRow("overshot") << -2.0 << "-00:00:02";
        QTest::newRow("overshot by a minute") << -60.0 << "-00:01:00";
        QTest::newRow("overshot by a fraction") << -0.5 << "00:00:00";
        QTest::newRow("absurdly large") << 1e30 << "1000000000000000:00:00";
    }
    void clockText() {
        QFETCH(double, seconds);
        QFETCH(QString, text);
        QCOMPARE(TimeText::clockText(seconds), text);
    }
};

QTEST_GUILESS_MAIN(TestTimeText)
#include "tst_timetext.moc"
