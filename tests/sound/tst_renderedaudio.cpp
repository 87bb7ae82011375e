#include "SoundBoard.h"
#include "TestAssets.h"
#include "sound/OpenAlSoundFile.h"
#include "sound/OpenAlSoundService.h"

#include <QDateTime>
#include <QHash>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <cmath>
#include <numeric>
#include <optional>

// Real clocks through OpenAL Soft's "wave" output, measured in the file it renders; each step has quiet
// around it, so wall-clock times cut the file.
class TestRenderedAudio : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    // A device that comes late is found five seconds after the last look; then levels against a full tick.
    void lateDeviceAndLevels() {
        QTemporaryDir dir;
        const QString out = dir.filePath(QStringLiteral("late/out.wav"));
        QFile conf(dir.filePath(QStringLiteral("alsoft.conf")));
        QVERIFY(conf.open(QIODevice::WriteOnly) &&
                conf.write("drivers = wave\nfrequency = 44100\n[wave]\nfile = " + QFile::encodeName(out)) >
                    0);
        conf.close();
        qputenv("ALSOFT_CONF", QFile::encodeName(conf.fileName()));
        FakeTimeSource time;
        std::optional<OpenAlSoundService> service(std::in_place, time);
        MemoryErrorLog log;
        QHash<QString, double> at; // when each step happened, in wall-clock milliseconds
        {                          // the board goes before the service it plays through
            SoundBoard board(*service, log, TestAssets::programFolder());
            board.options.setChecked(Option::Sync, true);
            clsClock& quiet = board.add(100);
            clsClock& loud = board.add(100);
            clsClock& alarm = board.add(1);
            quiet.setTickVol(0, 80);
            alarm.setTickVol(4, 0); // silent last ticks: only an alarm can be heard
            QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("late")));
            const std::tuple<const char*, QList<clsClock*>, qint16, int> steps[] = {
                {"too soon", {&loud}, 100, 0},
                {"found", {&loud}, 100, 700},
                {"full", {&loud}, 100, 700},
                {"half", {&loud}, 50, 700},
                {"together", {&quiet, &loud}, 100, 700},
                {"alarm", {&alarm}, 100, 2600}};
            for (const auto& [name, starting, percent, waitMs] : steps) {
                time.advance(at.isEmpty() ? OpenAlSoundService::retryMs - 1 : 1);
                loud.setTickVol(0, percent);
                for (clsClock* c : starting)
                    c->setActive(true);
                at.insert(name, double(QDateTime::currentMSecsSinceEpoch()));
                board.clocks.tickAll(1);
                for (clsClock* c : starting)
                    c->setActive(false);
                QVERIFY(at.size() > 1 || (service->deviceName().isEmpty() && !QFileInfo::exists(out)));
                QThread::msleep(std::uint32_t(waitMs));
            }
            QCOMPARE(service->deviceName(), QStringLiteral("Wave File Writer"));
            QCOMPARE(service->sourceCount(), 1); // the ticks merged, and the played-out source taken again
            QCOMPARE(log.lines.join('|'),
                     "Unable to initSounds|Unable to initSounds|Unable to initSounds|"
                     "Unable to set volume on ticks|Unable to play tick"); // before found
            QCOMPARE(service->bufferCount(), 2); // one per file, however many clocks play it
            for (int i = 0; i < 1000; ++i)
                QVERIFY(service->playOnce(service->loadBuffer(alarm.alarmFile(), nullptr), 1.0));
            QCOMPARE(service->sourceCount(), OpenAlSoundService::maxSources); // the oldest were cut short
            QCOMPARE(service->loadBuffer(conf.fileName(), nullptr), ISoundService::NoBuffer);
        }
        service.reset(); // the file's header is complete once the device closes

        OpenAlSoundFile file;
        QString error;
        QVERIFY2(file.decode(out, &error) && file.channels() == 2, qPrintable(error));
        const std::vector<std::int16_t>& samples = file.samples();
        // The first sound in the file is the tick that found the device: it ties the wall clock to the file.
        const auto onset =
            std::find_if(samples.begin(), samples.end(), [](std::int16_t v) { return v != 0; });
        const double offset = double(onset - samples.begin()) / 88.2 - at["found"];
        QVERIFY(at["full"] + offset > 250 && double(file.frames()) / 44.1 > at["alarm"] + offset + 400);
        // Sum of squares from 250 ms before a step (the mixer may lag) to 400 ms after it.
        const auto energy = [&](const char* step) {
            const auto from = samples.begin() + qsizetype((at[step] + offset - 250) * 44.1) * 2;
            return std::inner_product(from, from + qsizetype(650 * 44.1) * 2, from, 1e-30);
        };
        QStringList got;
        for (const char* step : {"half", "together", "alarm"}) {
            const double db = 10 * std::log10(energy(step) / energy("full"));
            got << (db > 13 ? "loud" : QString::number(qRound(db)));
        }
        QCOMPARE(got.join(' '), "-20 0 loud");
    }
};

QTEST_GUILESS_MAIN(TestRenderedAudio)
#include "tst_renderedaudio.moc"
