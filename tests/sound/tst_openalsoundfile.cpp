#include "sound/OpenAlSoundFile.h"

#include <QDir>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>
#include <sndfile.h>
#include <sys/stat.h>
#include <vector>

// Alarms in the formats people have, decoded to 16 bits at the level they were written; what is too long
// or no file at all is refused at once.
class TestOpenAlSoundFile : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    // What Browse offers for an alarm file: every type the library reads, but headerless data.
    void decodedFormats() {
        const QString offered = OpenAlSoundFile::decodedFormats().join(';');
        QVERIFY(offered.contains("WAV (Microsoft) (*.wav)") && !offered.contains("RAW"));
        QVERIFY(offered.contains("FLAC (Free Lossless Audio Codec) (*.flac)"));
        QVERIFY(offered.contains("OGG (OGG Container format) (*.oga *.ogg)"));
    }

    void decode_data() {
        QTest::addColumn<int>("format"); // 0: a named pipe
        QTest::addColumn<int>("channels");
        QTest::addColumn<bool>("noLength");   // the FLAC header's sample count zeroed: "unknown"
        QTest::addColumn<int>("limit");       // samples; every file holds 22050 frames
        QTest::addColumn<int>("outChannels"); // 0: refused
        QTest::addColumn<int>("frames");
        const int wav = SF_FORMAT_WAV | SF_FORMAT_PCM_16, flac = SF_FORMAT_FLAC | SF_FORMAT_PCM_24;
        QTest::newRow("wav 4 channels to mono") << wav << 4 << false << 22050 << 1 << 22050;
        QTest::newRow("flac") << flac << 2 << false << 44100 << 2 << 22050;
        QTest::newRow("ogg vorbis") << (SF_FORMAT_OGG | SF_FORMAT_VORBIS) << 1 << false << 22050 << 1
                                    << 22050;
        QTest::newRow("flac without its length") << flac << 2 << true << 44100 << 2 << 22050;
        QTest::newRow("past the limit") << wav << 2 << false << 44099 << 0 << 22050;
        QTest::newRow("without its length, past the limit") << flac << 1 << true << 22049 << 0 << 22050;
        QTest::newRow("no sound at all") << wav << 1 << false << 22050 << 0 << 0;
        QTest::newRow("a named pipe") << 0 << 1 << false << 22050 << 0 << 22050;
    }
    void decode() {
        QFETCH(int, format);
        QFETCH(int, channels);
        QFETCH(bool, noLength);
        QFETCH(int, limit);
        QFETCH(int, outChannels);
        QFETCH(int, frames);
        const QString path = m_dir.filePath(QTest::currentDataTag());
        const QByteArray name = QFile::encodeName(path);
        if (format == 0) {
            QVERIFY(mkfifo(name.constData(), 0600) == 0);
        } else {
            SF_INFO info{0, 44100, channels, format, 0, 0};
            SNDFILE* out = sf_open(name.constData(), SFM_WRITE, &info);
            std::vector<float> data;
            for (int f = 0; f < frames; ++f)
                data.insert(data.end(), std::size_t(channels),
                            0.5f * float(std::sin(2 * M_PI * 1000 * f / 44100)));
            QVERIFY(out && sf_writef_float(out, data.data(), frames) == frames);
            sf_close(out);
        }
        if (noLength) { // "fLaC", a block header, then the stream info, whose last 36 bits of 64 at 10 count
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadWrite));
            QByteArray head = file.read(26);
            head[21] = char(head[21] & 0xf0);
            head.replace(22, 4, QByteArray(4, '\0'));
            QVERIFY(file.seek(0) && file.write(head) == 26);
        }

        OpenAlSoundFile file;
        QString error;
        const auto openFiles = [] { return QDir(QStringLiteral("/proc/self/fd")).count(); };
        const uint before = openFiles();
        QCOMPARE(file.decode(path, &error, limit), outChannels > 0);
        QCOMPARE(openFiles(), before); // refused or not, the file is closed again
        QCOMPARE(file.channels(), outChannels);
        QCOMPARE(error.isEmpty(), outChannels > 0);
        QCOMPARE(file.samples().size(), std::size_t(outChannels) * 22050);
        if (outChannels == 0)
            return;
        double meanSquare = 0;
        for (const std::int16_t s : file.samples())
            meanSquare += double(s) * double(s) / double(file.samples().size());
        // A half-scale sine's RMS is 0.5 / sqrt(2) of full scale; lossy Ogg comes within a few percent.
        const double ratio = std::sqrt(meanSquare) / (0.5 * 32767 / std::sqrt(2.0));
        QVERIFY2(std::fabs(ratio - 1) < 0.05, qPrintable(QString::number(ratio)));
    }
};

QTEST_GUILESS_MAIN(TestOpenAlSoundFile)
#include "tst_openalsoundfile.moc"
