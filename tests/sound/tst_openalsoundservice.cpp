#include "SoundBoard.h"
#include "TestAssets.h"
#include "sound/OpenAlSoundFile.h"
#include "sound/OpenAlSoundService.h"

#include <QDir>
#include <QTemporaryDir>

// The device as a machine may have it: missing at first, there a little later. OpenAL Soft's "wave" output
// stands in for it, writing into a folder that does not exist yet.
class TestOpenAlSoundService : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

    QString output() const { return m_dir.filePath(QStringLiteral("late/out.wav")); }

private slots:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        QFile conf(m_dir.filePath(QStringLiteral("alsoft.conf")));
        QVERIFY(conf.open(QIODevice::WriteOnly));
        conf.write("drivers = wave\nfrequency = 44100\n[wave]\nfile = " + QFile::encodeName(output()) + "\n");
        conf.close();
        qputenv("ALSOFT_CONF", QFile::encodeName(conf.fileName()));
    }

    // Without a device real clocks count and complete silently, each logging its four failures once. Once
    // the device can be opened, the next sound wanted finds it, but not before five seconds have passed
    // since the last look. Idle gaps between sounds leave the written file whole.
    void lateDevice() {
        FakeTimeSource time;
        {
            OpenAlSoundService service(time);
            MemoryErrorLog log;
            SoundBoard board(service, log, TestAssets::programFolder());
            for (int i = 0; i < 100; ++i)
                board.add(5).toggleStartStop();
            for (int pass = 0; pass < 5; ++pass)
                board.clocks.tickAll(1);
            QCOMPARE(board.states().count(QStringLiteral("stop 0")), 100);
            QCOMPARE(log.lines.size(), 400);

            QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("late")));
            for (int i = 0; i < 2; ++i) { // their ticks merge into one
                board.clocks.clock(i).setDuration(100);
                board.clocks.clock(i).toggleStartStop();
            }
            time.advance(OpenAlSoundService::retryMs - 1);
            board.clocks.tickAll(1);
            QVERIFY(service.deviceName().isEmpty() && !QFileInfo::exists(output()));
            time.advance(1);
            board.clocks.tickAll(1);
            QVERIFY(QFileInfo::exists(output()));
            QCOMPARE(service.deviceName(), QStringLiteral("Wave File Writer"));
            QCOMPARE(log.lines.size(), 400);
            QTest::qWait(400);
            board.clocks.tickAll(1);
            QCOMPARE(service.sourceCount(), 1); // the ticks merged, and the played-out source taken again
            QTest::qWait(100);
        }
        OpenAlSoundFile file;
        QString error;
        QVERIFY2(file.decode(output(), &error), qPrintable(error));
        QVERIFY(file.frames() > 44100 / 4);
    }
};

QTEST_GUILESS_MAIN(TestOpenAlSoundService)
#include "tst_openalsoundservice.moc"
