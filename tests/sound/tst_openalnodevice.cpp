#include "SoundBoard.h"
#include "clock/clsClock.h"
#include "sound/OpenAlSoundService.h"

#include <QStandardPaths>
#include <QTest>

// A machine without any sound output: OpenAL Soft is given no backend it can open.
class TestOpenAlNoDevice : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        qputenv("ALSOFT_DRIVERS", "none");
    }

    // Real clocks count and complete silently; the log holds each clock's five failures once.
    void clocksCountAndCompleteSilently() {
        OpenAlSoundService service;
        MemoryErrorLog log;
        SoundBoard board(service, log, QString());
        board.options.setChecked(Option::Sync, true);
        for (int i = 0; i < 100; ++i)
            board.clocks.appendClock()->setDuration(5);
        for (int i = 0; i < 100; ++i)
            board.clocks.clock(i).toggleStartStop();
        for (int pass = 0; pass < 5; ++pass)
            board.clocks.tickAll(1);
        for (int i = 0; i < 100; ++i)
            QVERIFY(!board.clocks.clock(i).active() && board.clocks.clock(i).currentTime() == 0.0);
        QCOMPARE(log.lines.size(), 500);
    }
};

QTEST_GUILESS_MAIN(TestOpenAlNoDevice)
#include "tst_openalnodevice.moc"
