#include "sound/OpenAlSoundFile.h"

#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>
#include <sndfile.h>
#include <vector>

// Alarms in the formats people have, decoded to 16 bits at the level they were written.
class TestOpenAlSoundFile : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void decode_data() {
        QTest::addColumn<int>("format");
        QTest::addColumn<int>("channels");
        QTest::addColumn<int>("outChannels");
        QTest::addColumn<QString>("filter"); // as offered for choosing an alarm file
        QTest::newRow("wav 4 channels to mono")
            << (SF_FORMAT_WAV | SF_FORMAT_PCM_16) << 4 << 1 << "WAV (Microsoft) (*.wav)";
        QTest::newRow("flac") << (SF_FORMAT_FLAC | SF_FORMAT_PCM_24) << 2 << 2
                              << "FLAC (Free Lossless Audio Codec) (*.flac)";
        QTest::newRow("ogg vorbis") << (SF_FORMAT_OGG | SF_FORMAT_VORBIS) << 1 << 1
                                    << "OGG (OGG Container format) (*.oga *.ogg)";
    }
    void decode() {
        QFETCH(int, format);
        QFETCH(int, channels);
        QFETCH(int, outChannels);
        QFETCH(QString, filter);
        const QStringList offered = OpenAlSoundFile::decodedFormats();
        QVERIFY(offered.contains(filter) && !offered.join(';').contains("RAW"));
        const QString path = m_dir.filePath(QTest::currentDataTag());
        SF_INFO info{0, 44100, channels, format, 0, 0};
        SNDFILE* out = sf_open(QFile::encodeName(path).constData(), SFM_WRITE, &info);
        std::vector<float> data;
        for (int f = 0; f < 22050; ++f)
            data.insert(data.end(), std::size_t(channels),
                        0.5f * float(std::sin(2 * M_PI * 1000 * f / 44100)));
        QVERIFY(out && sf_writef_float(out, data.data(), 22050) == 22050);
        sf_close(out);

        OpenAlSoundFile file;
        QVERIFY(file.decode(path, nullptr) && file.channels() == outChannels && file.frames() == 22050);
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
