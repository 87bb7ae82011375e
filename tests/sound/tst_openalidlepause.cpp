#include "FakeTimeSource.h"
#include "SoundBoard.h"
#include "TestAssets.h"
#include "clock/clsClock.h"
#include "sound/OpenAlSoundService.h"

#include <QDir>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

// While nothing plays the device is paused: its mixing thread is gone, and it is back for the next tick.
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

    void pausesBetweenTicks() {
        FakeTimeSource time;
        OpenAlSoundService service(time);
        MemoryErrorLog log;
        SoundBoard board(service, log, TestAssets::programFolder());
        board.clocks.appendClock()->setDuration(100); // its sounds open the device
        QCOMPARE(service.deviceName(), QStringLiteral("No Output"));
        const qsizetype mixing = threads();
        QTRY_COMPARE_WITH_TIMEOUT(threads(), mixing - 1, 2000); // nothing played yet
        board.clocks.clock(0).toggleStartStop();
        board.clocks.tickAll(1);
        QCOMPARE(threads(), mixing);
        QTRY_COMPARE_WITH_TIMEOUT(threads(), mixing - 1, 2000);
        board.clocks.tickAll(1);
        QCOMPARE(threads(), mixing);
        QTRY_COMPARE_WITH_TIMEOUT(threads(), mixing - 1, 2000);
        QVERIFY(log.lines.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestOpenAlIdlePause)
#include "tst_openalidlepause.moc"
