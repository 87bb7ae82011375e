#include "TestBoard.h"
#include "dialog/SetFormRules.h"

// How the Set Clock dialog's fields become clock values.
class TestSetFormRules : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void duration_data() {
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<double>("seconds");
        QTest::newRow("minutes past 59, empty seconds") << QStringList{"1", "90", ""} << 9000.0;
        QTest::newRow("fraction of an hour") << QStringList{"1.5", "00", "00"} << 5400.0;
        QTest::newRow("letters count 0") << QStringList{"abc", " 2min", "5"} << 125.0;
        QTest::newRow("negative passes") << QStringList{"-1", "0", "30"} << -3570.0;
    }
    void duration() {
        QFETCH(QStringList, fields);
        QFETCH(double, seconds);
        QCOMPARE(SetFormRules::durationFromFields(fields[0], fields[1], fields[2]), seconds);
    }

    // Entries are written and read back; the identifier follows the last " | ".
    void linkEntries_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<double>("id");
        QTest::addColumn<QString>("entry");
        QTest::newRow("whole") << "Tea" << 99999.0 << "Tea | 99999";
        QTest::newRow("fraction from a file") << "x" << 2.5 << "x | 2.5";
        QTest::newRow("bar in the name") << "A | B" << 42.0 << "A | B | 42";
    }
    void linkEntries() {
        QFETCH(QString, name);
        QFETCH(double, id);
        QFETCH(QString, entry);
        QCOMPARE(SetFormRules::linkEntry(name, id), entry);
        QCOMPARE(SetFormRules::linkIDFromEntry(entry), id);
        QCOMPARE(SetFormRules::linkIDFromEntry("(None)") + SetFormRules::linkIDFromEntry("A|5"), 0.0);
    }

    // A clock of 10 s showing 7, saved as 60 s: "down run 10 7" is direction, state, duration, time.
    void direction_data() {
        QTest::addColumn<qint16>("type");
        QTest::addColumn<bool>("running");
        QTest::addColumn<bool>("countUp");
        QTest::addColumn<QString>("after");
        QTest::newRow("down to up, running") << qint16(0) << true << true << "up stop 60 60";
        QTest::newRow("down kept, running") << qint16(0) << true << false << "down run 10 7";
        QTest::newRow("kept, stopped") << qint16(0) << false << false << "down stop 60 60";
        QTest::newRow("other up type, running") << qint16(2) << true << true << "up stop 60 60";
    }
    void direction() {
        QFETCH(qint16, type);
        QFETCH(bool, running);
        QFETCH(bool, countUp);
        QFETCH(QString, after);
        TestBoard b;
        clsClock& clock = b.add(10);
        clsClock& target = b.add(5);
        target.setStoredId(77);
        target.setActive(true);
        clock.setCountType(type);
        clock.setCurrentTime(7);
        clock.setActive(running);
        SetFormRules::applyClockSettings(clock, 60, " Tea ", countUp, "T | 77");
        QCOMPARE(QStringLiteral("%1 %2 %3 %4")
                     .arg(clock.countType() == 1   ? "up"
                          : clock.countType() == 0 ? "down"
                                                   : "?",
                          clock.active() ? "run" : "stop")
                     .arg(clock.duration())
                     .arg(clock.currentTime()),
                 after);
        QVERIFY(clock.purpose() == " Tea " && clock.linkID() == 77 && target.active());
    }

    // A 100 x 50 window kept inside the area (0, 0)-(999, 799).
    void keepInside_data() {
        QTest::addColumn<QPointF>("wanted");
        QTest::addColumn<QPoint>("placed");
        QTest::newRow("fits, rounded") << QPointF(300.4, 199.6) << QPoint(300, 200);
        QTest::newRow("past the bottom right") << QPointF(950, 790) << QPoint(900, 750);
        QTest::newRow("no number") << QPointF(qQNaN(), qInf()) << QPoint(0, 0);
    }
    void keepInside() {
        QFETCH(QPointF, wanted);
        QFETCH(QPoint, placed);
        QCOMPARE(SetFormRules::keepInside(wanted, QSize(100, 50), QRect(0, 0, 1000, 800)), placed);
    }
};

QTEST_GUILESS_MAIN(TestSetFormRules)
#include "tst_setformrules.moc"
