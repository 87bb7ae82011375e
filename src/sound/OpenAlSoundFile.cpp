#include "sound/OpenAlSoundFile.h"

#include <QFile>
#include <QHash>
#include <algorithm>
#include <cmath>
#include <fcntl.h>
#include <sndfile.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool fail(QString* error, const QString& reason) {
    if (error)
        *error = reason;
    return false;
}

std::int16_t toSample(float value) {
    const float clamped = std::clamp(value, -1.0f, 1.0f);
    return std::int16_t(std::lrint(clamped * 32767.0f));
}

// Opening never waits (a named pipe would, for a writer that never comes); anything but a regular file is
// refused like a missing one.
int openRegularFile(const QString& path) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    struct stat st {};
    if (fd >= 0 && (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode))) {
        ::close(fd);
        return -1;
    }
    return fd;
}

struct Descriptor {
    int fd;
    ~Descriptor() {
        if (fd >= 0)
            ::close(fd);
    }
};

} // namespace

QStringList OpenAlSoundFile::decodedFormats() {
    // Names users also give these types besides the library's own extension.
    const QHash<int, QStringList> alsoNamed = {
        {SF_FORMAT_AIFF, {QStringLiteral("aif")}},
        {SF_FORMAT_OGG, {QStringLiteral("ogg")}},
        {SF_FORMAT_MPEG, {QStringLiteral("mp3"), QStringLiteral("mp2")}}};
    int count = 0;
    sf_command(nullptr, SFC_GET_FORMAT_MAJOR_COUNT, &count, sizeof count);
    QStringList filters;
    for (int i = 0; i < count; ++i) {
        SF_FORMAT_INFO format{};
        format.format = i;
        if (sf_command(nullptr, SFC_GET_FORMAT_MAJOR, &format, sizeof format) != 0 || !format.extension)
            continue;
        // Header-less files need their layout spelled out, which an alarm file cannot do.
        if ((format.format & SF_FORMAT_TYPEMASK) == SF_FORMAT_RAW)
            continue;
        QStringList patterns;
        for (const QString& extension : QStringList{QString::fromLatin1(format.extension)} +
                                            alsoNamed.value(format.format & SF_FORMAT_TYPEMASK))
            patterns << QStringLiteral("*.") + extension;
        filters << QStringLiteral("%1 (%2)").arg(QString::fromLatin1(format.name),
                                                 patterns.join(QLatin1Char(' ')));
    }
    return filters;
}

bool OpenAlSoundFile::decode(const QString& path, QString* error, std::int64_t limit) {

    m_channels = 0;
    m_sampleRate = 0;
    m_samples.clear();

    const Descriptor descriptor{openRegularFile(path)};
    if (descriptor.fd < 0)
        return fail(error, QStringLiteral("no file at %1").arg(path));
    SF_INFO info{};
    SNDFILE* file = sf_open_fd(descriptor.fd, SFM_READ, &info, SF_FALSE);
    if (!file)
        return fail(error,
                    QStringLiteral("cannot read %1: %2").arg(path, QString::fromUtf8(sf_strerror(nullptr))));

    const int inChannels = info.channels;
    const int outChannels = inChannels == 2 ? 2 : 1;
    if (inChannels < 1 || info.samplerate < 1 || info.frames < 1) {
        sf_close(file);
        return fail(error, QStringLiteral("no sound in %1").arg(path));
    }
    // A header without the length (a FLAC stream, say) reports the largest count; such a file is measured
    // while it is read.
    const bool lengthKnown = info.frames != SF_COUNT_MAX;
    if (lengthKnown && info.frames > limit / outChannels) {
        sf_close(file);
        return fail(error, QStringLiteral("too long: %1").arg(path));
    }

    // Integer files come back as -1..1; float files as stored, and are clamped below.
    sf_command(file, SFC_SET_NORM_FLOAT, nullptr, SF_TRUE);
    constexpr sf_count_t chunkFrames = 4096;
    std::vector<float> chunk(std::size_t(chunkFrames) * std::size_t(inChannels));
    std::vector<std::int16_t> samples;
    if (lengthKnown)
        samples.reserve(std::size_t(info.frames) * std::size_t(outChannels));
    for (;;) {
        const sf_count_t got = sf_readf_float(file, chunk.data(), chunkFrames);
        if (got <= 0)
            break;
        if (std::int64_t(samples.size()) + got * outChannels > limit) {
            sf_close(file);
            return fail(error, QStringLiteral("too long: %1").arg(path));
        }
        for (sf_count_t f = 0; f < got; ++f) {
            const float* frame = chunk.data() + f * inChannels;
            if (inChannels <= 2) {
                for (int c = 0; c < inChannels; ++c)
                    samples.push_back(toSample(frame[c]));
            } else {
                float sum = 0;
                for (int c = 0; c < inChannels; ++c)
                    sum += frame[c];
                samples.push_back(toSample(sum / float(inChannels)));
            }
        }
    }
    const int readError = sf_error(file);
    sf_close(file);
    if (readError != SF_ERR_NO_ERROR && samples.empty())
        return fail(error, QStringLiteral("cannot decode %1").arg(path));
    if (samples.empty())
        return fail(error, QStringLiteral("no sound in %1").arg(path));

    m_channels = outChannels;
    m_sampleRate = info.samplerate;
    m_samples = std::move(samples);
    return true;
}
