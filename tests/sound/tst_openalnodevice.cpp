#include "SoundBoard.h"
#include "TestAssets.h"
#include "clock/clsClock.h"
#include "sound/OpenAlSoundService.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

// A machine without any sound output: OpenAL Soft is given no backend it can open.
class TestOpenAlNoDevice : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

private slots:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY(m_dir.isValid());
        const QString conf = m_dir.filePath(QStringLiteral("alsoft.conf"));
        QFile f(conf);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("drivers = none\n");
        f.close();
        qputenv("ALSOFT_CONF", QFile::encodeName(conf));
        qputenv("ALSOFT_DRIVERS", "none");
    }

    void everyCallFailsCleanly() {
        OpenAlSoundService service;
        QString error;
        QVERIFY(!service.openDevice(&error));
        QVERIFY(!error.isEmpty());
        QVERIFY(!service.openDevice(nullptr));
        const QString tick = QDir(TestAssets::programFolder()).filePath(QStringLiteral("sounds/tick.wav"));
        QCOMPARE(service.loadBuffer(tick, &error), ISoundService::NoBuffer);
        QVERIFY(!service.playTick(0, 1.0));
        QVERIFY(!service.playOnce(0, 1.0));
        service.endPass();
        QVERIFY(service.deviceName().isEmpty());
        QCOMPARE(service.sourceCount(), 0);
    }

    void clocksCountAndCompleteSilently() {
        OpenAlSoundService service;
        MemoryErrorLog log;
        SoundBoard board(service, log, TestAssets::programFolder());
        board.options.setChecked(Option::Sync, true);
        for (int i = 0; i < 100; ++i) {
            clsClock* clock = board.clocks.appendClock();
            clock->setDuration(1 + i % 5);
            clock->setLinkID(0);
            clock->toggleStartStop();
        }
        for (int pass = 0; pass < 5; ++pass)
            board.clocks.tickAll(1);
        for (int i = 0; i < 100; ++i) {
            QVERIFY(!board.clocks.clock(i).active());
            QCOMPARE(board.clocks.clock(i).currentTime(), 0.0);
        }
        // Each clock's five failures once, not two lines per clock and second.
        QCOMPARE(log.lines.size(), 500);
        QCOMPARE(log.lines.count(QStringLiteral("Unable to play tick")), 100);
    }
};

QTEST_GUILESS_MAIN(TestOpenAlNoDevice)
#include "tst_openalnodevice.moc"
