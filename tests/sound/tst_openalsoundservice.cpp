#include "SoundBoard.h"
#include "TestAssets.h"
#include "clock/clsClock.h"
#include "sound/OpenAlSoundService.h"
#include "sound/clsSound.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

// The real service on OpenAL Soft's silent "null" output: everything but the loudspeaker.
// One device per process, so the slots share one service and run in order.
class TestOpenAlSoundService : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    std::unique_ptr<OpenAlSoundService> m_service;
    QString m_folder;
    QString m_tick;
    QString m_alarm;

private slots:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY(m_dir.isValid());
        const QString conf = m_dir.filePath(QStringLiteral("alsoft.conf"));
        QFile f(conf);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("drivers = null\n");
        f.close();
        qputenv("ALSOFT_CONF", QFile::encodeName(conf));
        qputenv("ALSOFT_DRIVERS", "null");
        m_folder = TestAssets::programFolder();
        m_tick = QDir(m_folder).filePath(QStringLiteral("sounds/tick.wav"));
        m_alarm = QDir(m_folder).filePath(QStringLiteral("sounds/alarms/wristWatch.wav"));
        QVERIFY2(QFile::exists(m_tick), qPrintable(m_tick));
        m_service = std::make_unique<OpenAlSoundService>();
    }

    void opensTheDeviceOnFirstUse() {
        QVERIFY(m_service->deviceName().isEmpty());
        QString error;
        QVERIFY2(m_service->openDevice(&error), qPrintable(error));
        QVERIFY(!m_service->deviceName().isEmpty());
        QVERIFY(m_service->openDevice(nullptr));
        QCOMPARE(m_service->sourceCount(), 0);
    }

    void oneBufferPerFileHoweverItIsNamed() {
        QString error;
        const auto tick = m_service->loadBuffer(m_tick, &error);
        QVERIFY2(tick != ISoundService::NoBuffer, qPrintable(error));
        const QString roundabout = m_folder + QStringLiteral("/sounds/alarms/../tick.wav");
        QCOMPARE(m_service->loadBuffer(roundabout, nullptr), tick);
        const auto alarm = m_service->loadBuffer(m_alarm, nullptr);
        QVERIFY(alarm != ISoundService::NoBuffer);
        QVERIFY(alarm != tick);
        QCOMPARE(m_service->bufferCount(), 2);
    }

    void unreadableFilesGiveNoBuffer() {
        const QString junk = m_dir.filePath(QStringLiteral("junk.wav"));
        QFile f(junk);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("RIFF nonsense");
        f.close();
        for (const QString& path : {m_dir.filePath(QStringLiteral("missing.wav")), junk, m_dir.path()}) {
            QString error;
            QCOMPARE(m_service->loadBuffer(path, &error), ISoundService::NoBuffer);
            QVERIFY(!error.isEmpty());
        }
        QCOMPARE(m_service->bufferCount(), 2);
    }

    void unknownBuffersDoNotPlay_data() {
        QTest::addColumn<int>("buffer");
        QTest::newRow("none") << int(ISoundService::NoBuffer);
        QTest::newRow("never loaded") << 7;
    }
    void unknownBuffersDoNotPlay() {
        QFETCH(int, buffer);
        QVERIFY(!m_service->playTick(buffer, 1.0));
        QVERIFY(!m_service->playOnce(buffer, 1.0));
        m_service->endPass();
        QCOMPARE(m_service->sourceCount(), 0);
    }

    void ticksOfOnePassSoundOnce() {
        const auto tick = m_service->loadBuffer(m_tick, nullptr);
        for (int i = 0; i < 1000; ++i)
            QVERIFY(m_service->playTick(tick, 0.01 * (i % 100)));
        QCOMPARE(m_service->sourceCount(), 0); // nothing starts before the pass ends
        m_service->endPass();
        QCOMPARE(m_service->sourceCount(), 1);
    }

    void aThousandAlarmsShareTheSourcePool() {
        const auto alarm = m_service->loadBuffer(m_alarm, nullptr);
        for (int i = 0; i < 1000; ++i)
            QVERIFY(m_service->playOnce(alarm, 1.0));
        QCOMPARE(m_service->sourceCount(), OpenAlSoundService::maxSources);
        // A tick still gets through when every source is busy.
        QVERIFY(m_service->playTick(m_service->loadBuffer(m_tick, nullptr), 1.0));
        m_service->endPass();
        QCOMPARE(m_service->sourceCount(), OpenAlSoundService::maxSources);
    }

    void aThousandClocksShareTwoBuffers() {
        MemoryErrorLog log;
        SoundBoard board(*m_service, log, m_folder);
        for (int i = 0; i < 1000; ++i)
            QVERIFY(board.clocks.appendClock());
        QCOMPARE(m_service->bufferCount(), 2);
        QVERIFY(board.clocks.clock(999).sound().hasTickBuffer());
        QVERIFY(board.clocks.clock(999).sound().hasAlarmBuffer());
        QVERIFY(log.lines.isEmpty());
    }

    void closesTheDevice() {
        m_service.reset(); // must not crash with sources still playing
    }
};

QTEST_GUILESS_MAIN(TestOpenAlSoundService)
#include "tst_openalsoundservice.moc"
