#include "sound/OpenAlSoundFile.h"

#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>
#include <sndfile.h>
#include <vector>

namespace {

// Writes `frames` frames of a 1 kHz sine at half scale in every channel.
bool writeSine(const QString& path, int format, int channels, int rate, int frames) {
    SF_INFO info{};
    info.channels = channels;
    info.samplerate = rate;
    info.format = format;
    SNDFILE* file = sf_open(QFile::encodeName(path).constData(), SFM_WRITE, &info);
    if (!file)
        return false;
    std::vector<float> data(std::size_t(frames) * std::size_t(channels));
    for (int f = 0; f < frames; ++f)
        for (int c = 0; c < channels; ++c)
            data[std::size_t(f * channels + c)] = 0.5f * float(std::sin(2.0 * M_PI * 1000.0 * f / rate));
    const bool ok = sf_writef_float(file, data.data(), frames) == frames;
    sf_close(file);
    return ok;
}

int peak(const std::vector<std::int16_t>& samples) {
    int top = 0;
    for (const std::int16_t s : samples)
        top = std::max(top, std::abs(int(s)));
    return top;
}

} // namespace

class TestOpenAlSoundFile : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

private slots:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY(m_dir.isValid());
    }

    void decodesEveryAlarmFormat_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("format");
        QTest::addColumn<int>("channels");
        QTest::addColumn<int>("outChannels");
        QTest::addColumn<int>("rate");
        QTest::newRow("wav 16-bit mono") << "a.wav" << (SF_FORMAT_WAV | SF_FORMAT_PCM_16) << 1 << 1 << 44100;
        QTest::newRow("wav 24-bit stereo")
            << "c.wav" << (SF_FORMAT_WAV | SF_FORMAT_PCM_24) << 2 << 2 << 48000;
        QTest::newRow("wav float") << "d.wav" << (SF_FORMAT_WAV | SF_FORMAT_FLOAT) << 1 << 1 << 44100;
        QTest::newRow("wav 4 channels to mono")
            << "e.wav" << (SF_FORMAT_WAV | SF_FORMAT_PCM_16) << 4 << 1 << 44100;
        QTest::newRow("flac") << "f.flac" << (SF_FORMAT_FLAC | SF_FORMAT_PCM_16) << 2 << 2 << 44100;
        QTest::newRow("ogg vorbis") << "g.ogg" << (SF_FORMAT_OGG | SF_FORMAT_VORBIS) << 1 << 1 << 44100;
    }
    void decodesEveryAlarmFormat() {
        QFETCH(QString, name);
        QFETCH(int, format);
        QFETCH(int, channels);
        QFETCH(int, outChannels);
        QFETCH(int, rate);
        const QString path = m_dir.filePath(name);
        QVERIFY(writeSine(path, format, channels, rate, rate / 2));

        OpenAlSoundFile file;
        QString error;
        QVERIFY2(file.decode(path, &error), qPrintable(error));
        QCOMPARE(file.channels(), outChannels);
        QCOMPARE(file.sampleRate(), rate);
        QCOMPARE(file.frames(), std::int64_t(rate / 2));
        // Half scale stays half scale, whatever the sample format (lossy Ogg within a few percent).
        QVERIFY2(std::abs(peak(file.samples()) - 16384) < 16384 / 20,
                 qPrintable(QString::number(peak(file.samples()))));
    }

    void floatBeyondFullScaleIsClamped() {
        const QString path = m_dir.filePath(QStringLiteral("loud.wav"));
        SF_INFO info{};
        info.channels = 1;
        info.samplerate = 8000;
        info.format = SF_FORMAT_WAV | SF_FORMAT_FLOAT;
        SNDFILE* out = sf_open(QFile::encodeName(path).constData(), SFM_WRITE, &info);
        QVERIFY(out);
        const float data[] = {0.0f, 3.0f, -3.0f, 1.0f};
        QCOMPARE(sf_writef_float(out, data, 4), sf_count_t(4));
        sf_close(out);

        OpenAlSoundFile file;
        QVERIFY(file.decode(path, nullptr));
        QCOMPARE(file.samples(), (std::vector<std::int16_t>{0, 32767, -32767, 32767}));
    }

    void refusesWhatIsNotSound_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("create");
        QTest::newRow("missing") << "none.wav" << QByteArray() << false;
        QTest::newRow("empty file") << "empty.wav" << QByteArray() << true;
        QTest::newRow("text") << "text.wav" << QByteArray("not a sound at all\n") << true;
        QTest::newRow("no samples") << "nothing.wav"
                                    << QByteArray::fromHex(
                                           "524946462400000057415645666d74201000000001000100401f0000"
                                           "803e0000020010006461746100000000")
                                    << true;
        QTest::newRow("truncated header")
            << "cut.wav" << QByteArray("RIFF\x24\x00\x00\x00WAVEfmt ", 16) << true;
    }
    void refusesWhatIsNotSound() {
        QFETCH(QString, name);
        QFETCH(QByteArray, content);
        QFETCH(bool, create);
        const QString path = m_dir.filePath(name);
        if (create) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(content);
        }
        OpenAlSoundFile file;
        QString error;
        QVERIFY(!file.decode(path, &error));
        QVERIFY(!error.isEmpty());
        QCOMPARE(file.channels(), 0);
        QVERIFY(file.samples().empty());
    }

    void overlongFileIsRefused() {
        // Just over the limit at a low rate, so the test file stays small on disk (8-bit).
        const QString path = m_dir.filePath(QStringLiteral("long.wav"));
        const int frames = int(OpenAlSoundFile::maxSamples) + 1;
        SF_INFO info{};
        info.channels = 1;
        info.samplerate = 8000;
        info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_U8;
        SNDFILE* out = sf_open(QFile::encodeName(path).constData(), SFM_WRITE, &info);
        QVERIFY(out);
        std::vector<short> zeros(1 << 16, 0);
        for (int written = 0; written < frames;) {
            const int n = std::min<int>(int(zeros.size()), frames - written);
            QCOMPARE(sf_writef_short(out, zeros.data(), n), sf_count_t(n));
            written += n;
        }
        sf_close(out);

        OpenAlSoundFile file;
        QString error;
        QVERIFY(!file.decode(path, &error));
        QVERIFY(error.contains(QStringLiteral("too long")));
        QVERIFY(QFile::remove(path));
    }
};

QTEST_GUILESS_MAIN(TestOpenAlSoundFile)
#include "tst_openalsoundfile.moc"
