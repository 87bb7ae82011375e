#include "TestAssets.h"
#include "TestBoard.h"
#include "sound/OpenAlSoundFile.h"
#include "sound/OpenAlSoundService.h"

#include <QDateTime>
#include <QDir>
#include <QHash>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <cmath>
#include <numeric>
#include <optional>
#include <sndfile.h>
#include <sys/stat.h>
#include <vector>

// Real decoding, and the real service over OpenAL Soft's silent "null" output or its "wave" file output.
class TestClsSound : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

private slots:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        qputenv("ALSOFT_DRIVERS", "null");
        qputenv("ALSOFT_CONF", QFile::encodeName(m_dir.filePath(QStringLiteral("none.conf"))));
    }

    void decodedFormats() { // Browse offers every type the library reads but headerless data
        const QString offered = OpenAlSoundFile::decodedFormats().join(';');
        QVERIFY(offered.contains("(*.flac)") && offered.contains("*.ogg") && !offered.contains("RAW"));
    }

    // 22050 frames of a half-scale sine, "<format> <channels> <limit>"; "flac?" has no length in its header.
    void decode_data() {
        textRows({"input", "result"}, {{"wav 4 channels to mono", "wav 4 22050", "1 x 22050"},
                                       {"flac", "flac 2 44100", "2 x 22050"},
                                       {"flac without its length", "flac? 2 44100", "2 x 22050"},
                                       {"past the limit", "wav 2 44099", "refused"},
                                       {"without its length, past the limit", "flac? 1 22049", "refused"},
                                       {"no sound at all", "wav 0 22050", "refused"},
                                       {"a named pipe", "pipe 1 22050", "refused"}});
    }
    void decode() {
        QFETCH(QString, input);
        QFETCH(QString, result);
        const QStringList fields = input.split(' ');
        const int channels = fields[1].toInt();
        const QString path = m_dir.filePath(QTest::currentDataTag());
        const QByteArray name = QFile::encodeName(path);
        if (fields[0] == "pipe")
            QVERIFY(mkfifo(name.constData(), 0600) == 0);
        else {
            const int frames = channels ? 22050 : 0;
            const int format =
                fields[0] == "wav" ? SF_FORMAT_WAV | SF_FORMAT_PCM_16 : SF_FORMAT_FLAC | SF_FORMAT_PCM_24;
            SF_INFO info{0, 44100, std::max(channels, 1), format, 0, 0};
            SNDFILE* out = sf_open(name.constData(), SFM_WRITE, &info);
            std::vector<float> data;
            for (int f = 0; f < frames; ++f)
                data.insert(data.end(), std::size_t(channels),
                            0.5f * float(std::sin(2 * M_PI * 1000 * f / 44100)));
            QVERIFY(out && sf_writef_float(out, data.data(), frames) == frames);
            sf_close(out);
        }
        if (fields[0] == "flac?") {
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadWrite));
            QByteArray head = file.read(26);
            head[21] = char(head[21] & 0xf0);
            head.replace(22, 4, QByteArray(4, '\0'));
            QVERIFY(file.seek(0) && file.write(head) == 26);
        }
        OpenAlSoundFile file;
        QString error;
        const uint open = QDir(QStringLiteral("/proc/self/fd")).count();
        const bool ok = file.decode(path, &error, fields[2].toInt());
        const std::vector<std::int16_t>& s = file.samples();
        // A half-scale sine's RMS is 0.5 / sqrt(2) of full scale.
        const double level =
            std::sqrt(std::inner_product(s.begin(), s.end(), s.begin(), 0.0) / double(s.size())) /
            (0.5 * 32767 / std::sqrt(2.0));
        QString got = ok ? QString("%1 x %2").arg(file.channels()).arg(file.frames()) : "refused";
        if (!ok && (!s.empty() || file.channels() != 0 || error.isEmpty()))
            got += " badly";
        if (ok && std::fabs(level - 1) > 0.05)
            got += QString(" at %1").arg(level);
        QCOMPARE(got + (QDir(QStringLiteral("/proc/self/fd")).count() == open ? "" : " left open"), result);
    }

    // The device's mixing thread stops while nothing plays: soon after a tick, after a 2.5 s chime's end.
    void idlePause() {
        FakeTimeSource time;
        OpenAlSoundService service(time);
        MemoryErrorLog log;
        TestBoard board(service, log, TestAssets::programFolder());
        clsClock& clock = board.add(2); // its sounds open the device
        clock.setAlarmFile(TestAssets::programFolder() + QStringLiteral("/sounds/alarms/chimes.wav"));
        QCOMPARE(service.deviceName(), QStringLiteral("No Output"));
        const auto threads = [] { return QDir(QStringLiteral("/proc/self/task")).count(); };
        const uint mixing = threads();
        QTRY_COMPARE_WITH_TIMEOUT(threads(), mixing - 1, 2000); // nothing played yet
        clock.toggleStartStop();
        board.clocks.tickAll(1); // a tick
        QCOMPARE(threads(), mixing);
        QTRY_COMPARE_WITH_TIMEOUT(threads(), mixing - 1, 3000);
        board.clocks.tickAll(1); // the alarm, on the tick's source
        QCOMPARE(threads(), mixing);
        QTest::qWait(1000);
        QCOMPARE(threads(), mixing);
        clock.toggleStartStop(); // refilled, and ticking while the chime plays
        board.clocks.tickAll(1);
        QCOMPARE(service.sourceCount(), 2);
        QTRY_COMPARE_WITH_TIMEOUT(threads(), mixing - 1, 3000);
        QVERIFY(log.lines.isEmpty());
    }

    // A device that comes late is found five seconds after the last look; then levels against a full tick.
    void renderedAudio() {
        if (!QCoreApplication::arguments().contains(QTest::currentTestFunction()))
            QSKIP("a check of its own: it opens the wave output, and its timing needs a quiet machine");
        const QString out = m_dir.filePath(QStringLiteral("late/out.wav"));
        QFile conf(m_dir.filePath(QStringLiteral("alsoft.conf")));
        QVERIFY(conf.open(QIODevice::WriteOnly) &&
                conf.write("drivers = wave\nfrequency = 44100\n[wave]\nfile = " + QFile::encodeName(out)) >
                    0);
        conf.close();
        qputenv("ALSOFT_CONF", QFile::encodeName(conf.fileName()));
        qunsetenv("ALSOFT_DRIVERS");
        FakeTimeSource time;
        std::optional<OpenAlSoundService> service(std::in_place, time);
        MemoryErrorLog log;
        QHash<QString, double> at; // when each step happened, in wall-clock milliseconds
        {                          // the board goes before the service it plays through
            TestBoard board(*service, log, TestAssets::programFolder());
            board.options.setChecked(Option::Sync, true);
            clsClock& quiet = board.add(100);
            clsClock& loud = board.add(100);
            clsClock& alarm = board.add(1);
            quiet.setTickVol(0, 80);
            alarm.setTickVol(4, 0); // silent last ticks: only an alarm can be heard
            QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("late")));
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

QTEST_GUILESS_MAIN(TestClsSound)
#include "tst_clssound.moc"
