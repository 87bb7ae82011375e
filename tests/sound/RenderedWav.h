#pragma once
#include <QFile>
#include <QString>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

// Reads the WAV file OpenAL Soft's "wave" output renders (32-bit float, plain or
// WAVE_FORMAT_EXTENSIBLE) and measures it over stretches of time.
class RenderedWav {
public:
    bool load(const QString& path) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return false;
        const QByteArray bytes = file.readAll();
        if (bytes.size() < 12 || !bytes.startsWith("RIFF") || bytes.mid(8, 4) != "WAVE")
            return false;
        int format = 0;
        int bits = 0;
        qsizetype pos = 12;
        while (pos + 8 <= bytes.size()) {
            const QByteArray id = bytes.mid(pos, 4);
            const quint32 size = quint32(le(bytes, pos + 4, 4));
            const qsizetype body = pos + 8;
            if (id == "fmt " && body + 16 <= bytes.size()) {
                format = int(le(bytes, body, 2));
                m_channels = int(le(bytes, body + 2, 2));
                m_rate = int(le(bytes, body + 4, 4));
                bits = int(le(bytes, body + 14, 2));
                if (format == 0xFFFE && body + 26 <= bytes.size())
                    format = int(le(bytes, body + 24, 2));
            } else if (id == "data") {
                // A header left unfinished says 0; take what is there.
                const qsizetype available = bytes.size() - body;
                const qsizetype length =
                    (size == 0 || qsizetype(size) > available) ? available : qsizetype(size);
                return decode(bytes, body, length, format, bits);
            }
            pos = body + qsizetype(size) + (size & 1);
        }
        return false;
    }

    int sampleRate() const { return m_rate; }
    int channels() const { return m_channels; }
    double seconds() const { return m_rate > 0 ? double(frames()) / m_rate : 0.0; }
    qsizetype frames() const { return m_channels > 0 ? qsizetype(m_samples.size()) / m_channels : 0; }

    // Sum of squares over every channel between two moments, in milliseconds from the start.
    double energy(double fromMs, double toMs) const {
        double sum = 0;
        forRange(fromMs, toMs, [&sum](float v) { sum += double(v) * double(v); });
        return sum;
    }
    double peak(double fromMs, double toMs) const {
        double top = 0;
        forRange(fromMs, toMs, [&top](float v) { top = std::max(top, double(std::fabs(v))); });
        return top;
    }
    // The first moment any channel exceeds the threshold, or -1.
    double firstSoundMs(double threshold) const {
        for (std::size_t i = 0; i < m_samples.size(); ++i)
            if (std::fabs(m_samples[i]) > threshold)
                return double(i / std::size_t(m_channels)) * 1000.0 / m_rate;
        return -1;
    }

private:
    // Little-endian unsigned value of n bytes at a position.
    static quint32 le(const QByteArray& bytes, qsizetype at, int n) {
        quint32 value = 0;
        for (int i = n - 1; i >= 0; --i)
            value = (value << 8) | quint8(bytes.at(at + i));
        return value;
    }

    bool decode(const QByteArray& bytes, qsizetype start, qsizetype length, int format, int bits) {
        if (m_channels < 1 || m_rate < 1)
            return false;
        if (format == 3 && bits == 32) {
            m_samples.resize(std::size_t(length / 4));
            for (std::size_t i = 0; i < m_samples.size(); ++i) {
                const quint32 raw = le(bytes, start + qsizetype(i) * 4, 4);
                std::memcpy(&m_samples[i], &raw, 4);
            }
            return true;
        }
        return false;
    }

    template <typename F> void forRange(double fromMs, double toMs, F f) const {
        const qsizetype first = std::clamp<qsizetype>(qsizetype(fromMs * m_rate / 1000.0), 0, frames());
        const qsizetype last = std::clamp<qsizetype>(qsizetype(toMs * m_rate / 1000.0), 0, frames());
        for (qsizetype i = first * m_channels; i < last * m_channels; ++i)
            f(m_samples[std::size_t(i)]);
    }

    int m_channels = 0;
    int m_rate = 0;
    std::vector<float> m_samples;
};
