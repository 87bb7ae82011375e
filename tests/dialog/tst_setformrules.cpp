#include "TestBoard.h"
#include "dialog/SetFormRules.h"

// How the Set Clock dialog's fields become clock values.
class TestSetFormRules : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    // Hours, minutes and seconds fields, split at '|'.
    void duration_data() {
        textRows({"fields", "seconds"}, {{"minutes past 59, empty seconds", "1|90|", "9000"},
                                         {"fraction of an hour", "1.5|00|00", "5400"},
                                         {"letters count 0", "abc| 2min|5", "125"},
                                         {"negative passes", "-1|0|30", "-3570"}});
    }
    void duration() {
        QFETCH(QString, fields);
        QFETCH(QString, seconds);
        const QStringList f = fields.split('|');
        QCOMPARE(SetFormRules::durationFromFields(f[0], f[1], f[2]), seconds.toDouble());
    }

    // Entries are written and read back; the identifier follows the last " | ".
    void linkEntries_data() {
        textRows({"name", "id", "entry"}, {{"whole", "Tea", "99999", "Tea | 99999"},
                                           {"fraction from a file", "x", "2.5", "x | 2.5"},
                                           {"bar in the name", "A | B", "42", "A | B | 42"}});
    }
    void linkEntries() {
        QFETCH(QString, name);
        QFETCH(QString, id);
        QFETCH(QString, entry);
        QCOMPARE(SetFormRules::linkEntry(name, id.toDouble()), entry);
        QCOMPARE(SetFormRules::linkIDFromEntry(entry), id.toDouble());
        QCOMPARE(SetFormRules::linkIDFromEntry("(None)") + SetFormRules::linkIDFromEntry("A|5"), 0.0);
    }

    // A clock of 10 s showing 7, saved as 60 s linked to a running clock: "type running countUp" before,
    // then direction, state, duration, time.
    void direction_data() {
        textRows({"before", "after"}, {{"down to up, running", "0 1 1", "1 stop 60 60"},
                                       {"down kept, running", "0 1 0", "0 run 10 7"},
                                       {"kept, stopped", "0 0 0", "0 stop 60 60"},
                                       {"other up type, running", "2 1 1", "1 stop 60 60"}});
    }
    void direction() {
        QFETCH(QString, before);
        QFETCH(QString, after);
        const QStringList b = before.split(' ');
        TestBoard board;
        clsClock& clock = board.add(10);
        clsClock& target = board.add(5);
        target.setStoredId(77);
        target.setActive(true);
        clock.setCountType(qint16(b[0].toInt()));
        clock.setCurrentTime(7);
        clock.setActive(b[1] == "1");
        SetFormRules::applyClockSettings(clock, 60, " Tea ", b[2] == "1", "T | 77");
        QCOMPARE(QStringLiteral("%1 %2 %3 %4")
                     .arg(clock.countType())
                     .arg(clock.active() ? "run" : "stop")
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
