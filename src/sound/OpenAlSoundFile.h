#pragma once
#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

// A sound file (WAV, FLAC, Ogg and whatever else libsndfile reads) decoded whole into 16-bit
// samples, mono or interleaved stereo: the form an OpenAL buffer takes without extensions.
class OpenAlSoundFile {
public:
    // A longer file is refused rather than decoded: about three minutes of 44.1 kHz stereo, 32 MiB.
    static constexpr std::int64_t maxSamples = std::int64_t(1) << 24;

    // Files with more than two channels are mixed down to mono. False, with a reason, when the file is
    // missing, not a regular file (a named pipe is never waited on), unreadable, empty or longer than
    // limit samples. A file whose header gives no length is decoded up to the limit.
    bool decode(const QString& path, QString* error, std::int64_t limit = maxSamples);

    // Every file type decode() reads, as file-dialog filters: "FLAC (Free Lossless Audio Codec) (*.flac)".
    static QStringList decodedFormats();

    int channels() const { return m_channels; }
    int sampleRate() const { return m_sampleRate; }
    const std::vector<std::int16_t>& samples() const { return m_samples; }
    std::int64_t frames() const { return m_channels > 0 ? std::int64_t(m_samples.size()) / m_channels : 0; }

private:
    int m_channels = 0;
    int m_sampleRate = 0;
    std::vector<std::int16_t> m_samples;
};
