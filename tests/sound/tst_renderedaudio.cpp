#include "RenderedWav.h"
#include "SoundBoard.h"
#include "TestAssets.h"
#include "clock/clsClock.h"
#include "sound/OpenAlSoundService.h"

#include <QElapsedTimer>
#include <QHash>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <cmath>
#include <memory>

// Real clocks ticking and completing through the real OpenAL Soft device, rendered to a WAV file
// by its "wave" output instead of a sound card, then measured. Each moment below is a separate
// step with quiet around it, so the file can be cut into windows by the clock on the wall.
class TestRenderedAudio : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    RenderedWav m_wav;
    QHash<QString, double> m_at; // when each step happened, in file milliseconds
    MemoryErrorLog m_log;

    static constexpr int stepMs = 700;
    static constexpr double before = 250; // window around a step: scheduling of the mixer may lag
    static constexpr double after = 400;

    double tickLevelDb(const QString& step) const {
        const double e = m_wav.energy(m_at[step] - before, m_at[step] + after);
        return 10.0 * std::log10(std::max(e, 1e-30));
    }
    double relativeDb(const QString& step) const {
        return tickLevelDb(step) - tickLevelDb(QStringLiteral("full"));
    }

    void render() {
        const QString out = m_dir.filePath(QStringLiteral("rendered.wav"));
        const QString conf = m_dir.filePath(QStringLiteral("alsoft.conf"));
        QFile f(conf);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("[general]\ndrivers = wave\nchannels = stereo\nsample-type = float32\nfrequency = 44100\n"
                "hrtf = false\n[wave]\nfile = " +
                QFile::encodeName(out) + "\n");
        f.close();
        qputenv("ALSOFT_CONF", QFile::encodeName(conf));
        qputenv("ALSOFT_DRIVERS", "wave");

        auto service = std::make_unique<OpenAlSoundService>();
        QString error;
        QVERIFY2(service->openDevice(&error), qPrintable(error));
        QElapsedTimer wall;
        wall.start();
        QHash<QString, qint64> wallAt;
        {
            SoundBoard board(*service, m_log, TestAssets::programFolder());
            board.options.setChecked(Option::Sync, true);
            auto make = [&board](double seconds) -> clsClock& {
                clsClock* c = board.clocks.appendClock();
                c->setDuration(seconds);
                c->resetClock();
                return *c;
            };
            clsClock& loud = make(100);
            loud.setTickVol(0, 100);
            clsClock& sixteen = make(16);
            clsClock& first = make(100);
            clsClock& second = make(100);
            first.setTickVol(0, 100);
            second.setTickVol(0, 80);
            clsClock& alarm = make(1);
            clsClock& disabled = make(1);
            clsClock& muted = make(1);
            for (clsClock* c : {&alarm, &disabled, &muted})
                c->setTickVol(4, 0); // silent last ticks: only an alarm can be heard
            disabled.setAlarmActive(false);

            auto step = [&](const QString& name, std::initializer_list<clsClock*> starting, int waitMs) {
                for (clsClock* c : starting)
                    if (!c->active())
                        c->toggleStartStop();
                wallAt.insert(name, wall.elapsed());
                board.clocks.tickAll(1);
                for (clsClock* c : starting)
                    if (c->active())
                        c->toggleStartStop();
                QThread::msleep(waitMs);
            };
            QThread::msleep(300);
            step(QStringLiteral("full"), {&loud}, stepMs);
            loud.setTickVol(0, 50);
            step(QStringLiteral("half"), {&loud}, stepMs);
            step(QStringLiteral("band3"), {&sixteen}, stepMs);
            QCOMPARE(sixteen.currentTime(), 15.0);
            step(QStringLiteral("band4"), {&sixteen}, stepMs);
            step(QStringLiteral("together"), {&first, &second}, stepMs);
            step(QStringLiteral("alarm"), {&alarm}, 2600);
            QVERIFY(!alarm.active());
            step(QStringLiteral("disabled"), {&disabled}, 1800);
            board.options.setChecked(Option::Mute, true);
            step(QStringLiteral("muted"), {&muted}, 1800);
            board.options.setChecked(Option::Mute, false);
            loud.setTickVol(0, 100);
            step(QStringLiteral("end"), {&loud}, 500);
            QCOMPARE(disabled.currentTime(), 0.0);
            QCOMPARE(muted.currentTime(), 0.0);
        }
        service.reset(); // the file's header is written when the device closes
        QVERIFY(m_wav.load(out));

        // The first sound heard is the first step's tick: it ties the wall clock to the file.
        const double onset = m_wav.firstSoundMs(1e-4);
        QVERIFY(onset >= 0);
        const double offset = onset - double(wallAt.value(QStringLiteral("full")));
        for (auto it = wallAt.cbegin(); it != wallAt.cend(); ++it)
            m_at.insert(it.key(), double(it.value()) + offset);
    }

private slots:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY(m_dir.isValid());
        render();
    }

    void theWholeRunWasRendered() {
        QCOMPARE(m_wav.sampleRate(), 44100);
        QCOMPARE(m_wav.channels(), 2);
        QVERIFY(m_wav.seconds() * 1000.0 > m_at.value(QStringLiteral("end")));
        QVERIFY(m_wav.peak(m_at.value(QStringLiteral("end")) - before,
                           m_at.value(QStringLiteral("end")) + after) > 0.01);
        QVERIFY(m_log.lines.isEmpty());
    }

    void tickVolumeFollowsTheMapping_data() {
        QTest::addColumn<QString>("step");
        QTest::addColumn<double>("db");
        QTest::newRow("50 % is 20 dB down") << "half" << -20.0;
        QTest::newRow("16 s left ticks in band 3 (75 %)") << "band3" << -10.0;
        QTest::newRow("15 s left ticks in band 4 (100 %)") << "band4" << 0.0;
        QTest::newRow("two clocks in one pass: one tick at the louder") << "together" << 0.0;
        QTest::newRow("same level at the end") << "end" << 0.0;
    }
    void tickVolumeFollowsTheMapping() {
        QFETCH(QString, step);
        QFETCH(double, db);
        const double measured = relativeDb(step);
        qInfo("%s: %.2f dB", qPrintable(step), measured);
        QVERIFY2(std::fabs(measured - db) <= 1.0, qPrintable(QStringLiteral("%1 dB").arg(measured)));
    }

    void alarmIsHeardAtCompletion() {
        const double at = m_at.value(QStringLiteral("alarm"));
        QVERIFY(m_wav.peak(at - before, at + 1500) > 0.05);
        // Far more sound than a tick: the alarm, not a stray click.
        QVERIFY(m_wav.energy(at - before, at + 1500) >
                20 * m_wav.energy(m_at.value("full") - before, m_at.value("full") + after));
    }

    void noAlarmWhenDisabledOrMuted_data() {
        QTest::addColumn<QString>("step");
        QTest::newRow("Enable Alarm off") << "disabled";
        QTest::newRow("Mute checked") << "muted";
    }
    void noAlarmWhenDisabledOrMuted() {
        QFETCH(QString, step);
        const double at = m_at.value(step);
        QVERIFY2(m_wav.peak(at - before, at + 1500) < 1e-4,
                 qPrintable(QString::number(m_wav.peak(at - before, at + 1500))));
    }
};

QTEST_GUILESS_MAIN(TestRenderedAudio)
#include "tst_renderedaudio.moc"
