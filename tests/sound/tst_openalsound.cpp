#include "SoundBoard.h"
#include "TestAssets.h"
#include "sound/OpenAlSoundFile.h"
#include "sound/OpenAlSoundService.h"

#include <QDir>
#include <QTemporaryDir>
#include <cmath>
#include <sndfile.h>
#include <sys/stat.h>
#include <vector>

// Alarms in the formats people have, decoded to 16 bits at the level they were written, what is too long or
// no file at all refused at once; and the device paused while nothing plays. OpenAL Soft's silent "null"
// output stands in for a sound card: it has a mixing thread like one.
class TestOpenAlSound : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

private slots:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        qputenv("ALSOFT_DRIVERS", "null");
        qputenv("ALSOFT_CONF", QFile::encodeName(m_dir.filePath(QStringLiteral("none.conf"))));
    }

    // What Browse offers for an alarm file: every type the library reads, but headerless data.
    void decodedFormats() {
        const QString offered = OpenAlSoundFile::decodedFormats().join(';');
        QVERIFY(offered.contains("WAV (Microsoft) (*.wav)") && !offered.contains("RAW") &&
                offered.contains("FLAC (Free Lossless Audio Codec) (*.flac)") &&
                offered.contains("OGG (OGG Container format) (*.oga *.ogg)"));
    }

    // A file of 22050 frames of a half-scale sine: its format and channels ("pipe": a named pipe), whether
    // the FLAC header's sample count is zeroed ("unknown"), and the limit in samples.
    void decode_data() {
        const int wav = SF_FORMAT_WAV | SF_FORMAT_PCM_16, flac = SF_FORMAT_FLAC | SF_FORMAT_PCM_24;
        QTest::addColumn<int>("format");
        QTest::addColumn<int>("channels");
        QTest::addColumn<bool>("unknown");
        QTest::addColumn<int>("limit");
        QTest::addColumn<QString>("result");
        QTest::newRow("wav 4 channels to mono") << wav << 4 << false << 22050 << "1 x 22050";
        QTest::newRow("flac") << flac << 2 << false << 44100 << "2 x 22050";
        QTest::newRow("ogg vorbis") << (SF_FORMAT_OGG | SF_FORMAT_VORBIS) << 1 << false << 22050
                                    << "1 x 22050";
        QTest::newRow("flac without its length") << flac << 2 << true << 44100 << "2 x 22050";
        QTest::newRow("past the limit") << wav << 2 << false << 44099 << "refused";
        QTest::newRow("without its length, past the limit") << flac << 1 << true << 22049 << "refused";
        QTest::newRow("no sound at all") << wav << 0 << false << 22050 << "refused";
        QTest::newRow("a named pipe") << 0 << 1 << false << 22050 << "refused";
    }
    void decode() {
        QFETCH(int, format);
        QFETCH(int, channels);
        QFETCH(bool, unknown);
        QFETCH(int, limit);
        QFETCH(QString, result);
        const QString path = m_dir.filePath(QTest::currentDataTag());
        const QByteArray name = QFile::encodeName(path);
        if (format == 0)
            QVERIFY(mkfifo(name.constData(), 0600) == 0);
        else {
            const int frames = channels ? 22050 : 0;
            SF_INFO info{0, 44100, std::max(channels, 1), format, 0, 0};
            SNDFILE* out = sf_open(name.constData(), SFM_WRITE, &info);
            std::vector<float> data;
            for (int f = 0; f < frames; ++f)
                data.insert(data.end(), std::size_t(channels),
                            0.5f * float(std::sin(2 * M_PI * 1000 * f / 44100)));
            QVERIFY(out && sf_writef_float(out, data.data(), frames) == frames);
            sf_close(out);
        }
        if (unknown) { // "fLaC", a block header, then the stream info, whose last 36 bits of 64 at 10 count
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
        const bool ok = file.decode(path, &error, limit);
        double meanSquare = 0;
        for (const std::int16_t s : file.samples())
            meanSquare += double(s) * double(s) / double(file.samples().size());
        // A half-scale sine's RMS is 0.5 / sqrt(2) of full scale; lossy Ogg comes within a few percent.
        const double level = std::sqrt(meanSquare) / (0.5 * 32767 / std::sqrt(2.0));
        QString got =
            ok ? QString("%1 x %2").arg(file.channels()).arg(file.samples().size() / file.channels())
               : "refused" + QString(file.samples().empty() && file.channels() == 0 && !error.isEmpty()
                                         ? ""
                                         : " badly");
        if (ok && std::fabs(level - 1) > 0.05)
            got += QString(" at %1").arg(level);
        QCOMPARE(got + (QDir(QStringLiteral("/proc/self/fd")).count() == open ? "" : " left open"), result);
    }

    // While nothing plays the device is paused: its mixing thread is gone, and it is back for the next
    // sound. A tick's pause comes soon after it; an alarm's (its 2.5 s chime) only once the chime is over,
    // even with a tick played over it. A source that has played out is taken again.
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
        const auto threads = [] { return QDir(QStringLiteral("/proc/self/task")).count(); };
        const uint mixing = threads();
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
        QCOMPARE(service.sourceCount(), alarm ? 2 : 1);
        QVERIFY(log.lines.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestOpenAlSound)
#include "tst_openalsound.moc"
