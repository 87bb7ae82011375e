#include "SoundBoard.h"
#include "TestAssets.h"
#include "sound/OpenAlSoundService.h"

#include <QDateTime>
#include <QHash>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <cmath>
#include <numeric>
#include <optional>
#include <sndfile.h>
#include <vector>

// Real clocks through the real OpenAL Soft device, rendered by its "wave" output to a file and
// measured there. Each step stands alone with quiet around it, so wall-clock times cut the file.
class TestRenderedAudio : public QObject {
    Q_OBJECT
    std::vector<float> m_samples; // stereo, 44.1 kHz
    QHash<QString, double> m_at;  // when each step happened, in wall-clock milliseconds
    double m_offset = 0;          // from wall-clock to file milliseconds

    // Sum of squares from 250 ms before a step (the mixer may lag) to 400 ms after it.
    double energy(const QString& step) const {
        const auto from = m_samples.begin() + qsizetype((m_at[step] + m_offset - 250) * 44.1) * 2;
        return std::inner_product(from, from + qsizetype(650 * 44.1) * 2, from, 1e-30);
    }

private slots:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        QTemporaryDir dir;
        const QString out = dir.filePath(QStringLiteral("rendered.wav"));
        QFile conf(dir.filePath(QStringLiteral("alsoft.conf")));
        QVERIFY(conf.open(QIODevice::WriteOnly));
        conf.write("drivers = wave\nfrequency = 44100\n[wave]\nfile = " + QFile::encodeName(out) + "\n");
        conf.close();
        qputenv("ALSOFT_CONF", QFile::encodeName(conf.fileName()));

        FakeTimeSource time;
        std::optional<OpenAlSoundService> service(std::in_place, time);
        MemoryErrorLog log;
        { // the board goes before the service it plays through
            SoundBoard board(*service, log, TestAssets::programFolder());
            board.options.setChecked(Option::Sync, true);
            auto make = [&board](double seconds, qint16 band, qint16 percent) -> clsClock& {
                clsClock* c = board.clocks.appendClock();
                c->setCurrentTime(seconds);
                c->setTickVol(band, percent);
                return *c;
            };
            clsClock& quiet = make(100, 0, 80);
            clsClock& loud = make(100, 0, 100);
            clsClock& quietToo = make(100, 0, 80);
            clsClock& alarm = make(1, 4, 0); // silent last ticks: only an alarm can be heard
            clsClock& disabled = make(1, 4, 0);
            clsClock& muted = make(1, 4, 0);
            disabled.setAlarmActive(false);
            QCOMPARE(service->bufferCount(), 2); // one per file, however many clocks play it

            auto step = [&](const QString& name, std::initializer_list<clsClock*> starting, int waitMs) {
                for (clsClock* c : starting)
                    c->setActive(true);
                m_at.insert(name, double(QDateTime::currentMSecsSinceEpoch()));
                board.clocks.tickAll(1);
                for (clsClock* c : starting)
                    c->setActive(false);
                QThread::msleep(waitMs);
            };
            QThread::msleep(300);
            step(QStringLiteral("full"), {&loud}, 700);
            loud.setTickVol(0, 50);
            step(QStringLiteral("half"), {&loud}, 700);
            loud.setCurrentTime(16);
            step(QStringLiteral("band3"), {&loud}, 700);
            step(QStringLiteral("together"), {&quiet, &loud, &quietToo}, 700); // loud: 15 s, 100 %
            step(QStringLiteral("alarm"), {&alarm}, 2600);
            step(QStringLiteral("disabled"), {&disabled}, 1800);
            board.options.setChecked(Option::Mute, true);
            step(QStringLiteral("muted"), {&muted}, 1800);
            QVERIFY(log.lines.isEmpty());

            for (int i = 0; i < 1000; ++i)
                QVERIFY(service->playOnce(service->loadBuffer(alarm.alarmFile(), nullptr), 1.0));
            QCOMPARE(service->sourceCount(), OpenAlSoundService::maxSources); // the oldest were cut short
            QCOMPARE(service->loadBuffer(conf.fileName(), nullptr), ISoundService::NoBuffer);
        }
        service.reset(); // the file's header is complete once the device closes

        SF_INFO info{};
        SNDFILE* in = sf_open(QFile::encodeName(out).constData(), SFM_READ, &info);
        QVERIFY(in && info.channels == 2 && info.samplerate == 44100);
        m_samples.resize(std::size_t(info.frames) * 2);
        QCOMPARE(sf_readf_float(in, m_samples.data(), info.frames), info.frames);
        sf_close(in);
        // The first sound in the file is the first step's tick: it ties the wall clock to the file.
        const auto onset =
            std::find_if(m_samples.begin(), m_samples.end(), [](float v) { return std::fabs(v) > 1e-4f; });
        m_offset = double(onset - m_samples.begin()) / 88.2 - m_at["full"];
        QVERIFY(m_at["full"] + m_offset > 250 && double(info.frames) / 44.1 > m_at["muted"] + m_offset + 400);
    }

    // Each step's level against the first, a tick at 100 %, to the nearest dB ("silent": below -60 dB):
    // 50 % is 20 dB down; 16 s left ticks in band 3 (75 %); 80 %, 100 % and 80 % in one pass give one tick
    // at 100 %; the alarm is loud; no alarm with Enable Alarm off or Mute checked.
    void levels() {
        QStringList got;
        for (const char* step : {"half", "band3", "together", "alarm", "disabled", "muted"}) {
            const double db = 10 * std::log10(energy(step) / energy(QStringLiteral("full")));
            got << (db < -60 ? "silent" : db > 13 ? "loud" : QString::number(qRound(db)));
        }
        QCOMPARE(got.join(' '), "-20 -10 0 loud silent silent");
    }
};

QTEST_GUILESS_MAIN(TestRenderedAudio)
#include "tst_renderedaudio.moc"
