#include "SoundBoard.h"
#include "TestAssets.h"
#include "sound/OpenAlSoundService.h"

#include <QDir>
#include <QTemporaryDir>

// While nothing plays the device is paused: its mixing thread is gone, and it is back for the next sound.
// OpenAL Soft's silent "null" output has a mixing thread like a sound card's.
class TestOpenAlIdlePause : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

    static qsizetype threads() {
        return QDir(QStringLiteral("/proc/self/task")).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size();
    }

private slots:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        qputenv("ALSOFT_DRIVERS", "null");
        qputenv("ALSOFT_CONF", QFile::encodeName(m_dir.filePath(QStringLiteral("none.conf"))));
    }

    // A tick's pause comes soon after it; an alarm's (its 2.5 s chime) only once the chime is over, even
    // with a tick played over it.
    void pausesWhenSoundsEnd_data() {
        QTest::addColumn<bool>("alarm");
        QTest::newRow("ticks") << false;
        QTest::newRow("an alarm, a tick over it") << true;
    }
    void pausesWhenSoundsEnd() {
        QFETCH(bool, alarm);
        FakeTimeSource time;
        OpenAlSoundService service(time);
        MemoryErrorLog log;
        SoundBoard board(service, log, TestAssets::programFolder());
        clsClock& clock = board.add(alarm ? 1 : 100); // its sounds open the device
        clock.setAlarmFile(TestAssets::programFolder() + QStringLiteral("/sounds/alarms/chimes.wav"));
        QCOMPARE(service.deviceName(), QStringLiteral("No Output"));
        const qsizetype mixing = threads();
        QTRY_COMPARE_WITH_TIMEOUT(threads(), mixing - 1, 2000); // nothing played yet
        clock.toggleStartStop();
        for (int pass = 0; pass < 2; ++pass) {
            board.clocks.tickAll(1);
            QCOMPARE(threads(), mixing);
            if (alarm && pass == 0) {
                QTest::qWait(1000);
                QCOMPARE(threads(), mixing);
                clock.setCurrentTime(50);
                clock.setActive(true);
            } else {
                QTRY_COMPARE_WITH_TIMEOUT(threads(), mixing - 1, 3000);
            }
        }
        QVERIFY(log.lines.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestOpenAlIdlePause)
#include "tst_openalidlepause.moc"
