#include "sound/OpenAlSoundService.h"

#include "core/ITimeSource.h"
#include "sound/OpenAlSoundFile.h"

#include <AL/al.h>
#include <AL/alc.h>
#include <AL/alext.h>
#include <QByteArray>
#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <type_traits>

static_assert(std::is_same_v<ALuint, unsigned int>, "source and buffer names are kept as unsigned int");

struct OpenAlSoundService::Device {
    ALCdevice* device = nullptr;
    ALCcontext* context = nullptr;
    // Present when the library can pause the device (ALC_SOFT_pause_device).
    LPALCDEVICEPAUSESOFT pause = nullptr;
    LPALCDEVICERESUMESOFT resume = nullptr;
    bool paused = false;
    // From a sound's end until the device has surely played it out.
    int idleMs = 200;
};

namespace {

// Files are shared by the file they name, however the path was written.
QString bufferKey(const QString& path) {
    const QFileInfo info(path);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : canonical;
}

ALenum formatFor(int channels) {
    return channels == 2 ? AL_FORMAT_STEREO16 : AL_FORMAT_MONO16;
}

} // namespace

OpenAlSoundService::OpenAlSoundService(const ITimeSource& time) : m_time(time) {
    m_idle.setSingleShot(true);
    m_idle.callOnTimeout(&m_idle, [this] { pauseWhenIdle(); });
}

OpenAlSoundService::~OpenAlSoundService() {
    if (!m_device)
        return;
    for (const Voice& voice : m_voices) {
        alSourceStop(voice.source);
        alSourcei(voice.source, AL_BUFFER, 0);
        alDeleteSources(1, &voice.source);
    }
    if (!m_buffers.empty())
        alDeleteBuffers(ALsizei(m_buffers.size()), m_buffers.data());
    alcMakeContextCurrent(nullptr);
    alcDestroyContext(m_device->context);
    alcCloseDevice(m_device->device);
}

bool OpenAlSoundService::openDevice(QString* error) {
    const qint64 now = m_time.nowMs();
    if (!m_device && (!m_lastAttemptMs || now - *m_lastAttemptMs >= retryMs)) {
        m_lastAttemptMs = now;
        // The default output; OpenAL Soft's configuration decides what that is.
        ALCdevice* device = alcOpenDevice(nullptr);
        // Only the voices the pool uses, and no effect sends.
        const ALCint attributes[] = {
            ALC_MONO_SOURCES, maxSources, ALC_STEREO_SOURCES, 0, ALC_MAX_AUXILIARY_SENDS, 0, 0};
        ALCcontext* context = device ? alcCreateContext(device, attributes) : nullptr;
        if (context && alcMakeContextCurrent(context)) {
            m_device = std::make_unique<Device>();
            m_device->device = device;
            m_device->context = context;
            // OpenAL Soft's file writer rewinds onto its own header when paused, and a file wakes no one.
            const bool fileWriter =
                QByteArray(alcGetString(device, ALC_ALL_DEVICES_SPECIFIER)) == "Wave File Writer";
            if (!fileWriter && alcIsExtensionPresent(device, "ALC_SOFT_pause_device")) {
                m_device->pause =
                    reinterpret_cast<LPALCDEVICEPAUSESOFT>(alcGetProcAddress(device, "alcDevicePauseSOFT"));
                m_device->resume =
                    reinterpret_cast<LPALCDEVICERESUMESOFT>(alcGetProcAddress(device, "alcDeviceResumeSOFT"));
            }
            if (alcIsExtensionPresent(device, "ALC_SOFT_device_clock")) {
                const auto get = reinterpret_cast<LPALCGETINTEGER64VSOFT>(
                    alcGetProcAddress(device, "alcGetInteger64vSOFT"));
                ALCint64SOFT latencyNs = 0;
                get(device, ALC_DEVICE_LATENCY_SOFT, 1, &latencyNs);
                m_device->idleMs = int(std::clamp<ALCint64SOFT>(latencyNs / 1000000 + 10, 10, 1000));
            }
            alListenerf(AL_GAIN, 1.0f);
            m_idle.start(m_device->idleMs);
        } else {
            m_deviceError =
                device ? QStringLiteral("cannot start the sound device") : QStringLiteral("no sound device");
            if (context)
                alcDestroyContext(context);
            if (device)
                alcCloseDevice(device);
        }
    }
    if (!m_device && error)
        *error = m_deviceError;
    return m_device != nullptr;
}

QString OpenAlSoundService::deviceName() const {
    if (!m_device)
        return {};
    // The full name ("Wave File Writer", the card's own); the short one is "OpenAL Soft" for every device.
    return QString::fromUtf8(alcGetString(m_device->device, ALC_ALL_DEVICES_SPECIFIER));
}

ISoundService::BufferId OpenAlSoundService::loadBuffer(const QString& path, QString* error) {
    if (!openDevice(error))
        return NoBuffer;
    const QString key = bufferKey(path);
    const auto known = m_bufferByPath.constFind(key);
    if (known != m_bufferByPath.constEnd())
        return known.value();

    OpenAlSoundFile file;
    if (!file.decode(path, error))
        return NoBuffer;
    alGetError();
    ALuint buffer = 0;
    alGenBuffers(1, &buffer);
    if (alGetError() != AL_NO_ERROR) {
        if (error)
            *error = QStringLiteral("no buffer for %1").arg(path);
        return NoBuffer;
    }
    const auto bytes = file.samples().size() * sizeof(std::int16_t);
    alBufferData(buffer, formatFor(file.channels()), file.samples().data(), ALsizei(bytes),
                 file.sampleRate());
    if (alGetError() != AL_NO_ERROR) {
        alDeleteBuffers(1, &buffer);
        if (error)
            *error = QStringLiteral("the device refused %1").arg(path);
        return NoBuffer;
    }
    const BufferId id = BufferId(m_buffers.size());
    m_buffers.push_back(buffer);
    m_bufferMs.push_back(int(file.frames() * 1000 / file.sampleRate()));
    m_bufferByPath.insert(key, id);
    return id;
}

bool OpenAlSoundService::isPlayable(BufferId buffer) const {
    return m_device && buffer >= 0 && std::size_t(buffer) < m_buffers.size();
}

bool OpenAlSoundService::playTick(BufferId buffer, double gain) {
    if (!isPlayable(buffer))
        return false;
    // Clocks ticking together would sum into a clipped burst: one tick per sound and pass, at the
    // loudest volume asked for.
    for (PendingTick& pending : m_pendingTicks) {
        if (pending.buffer == buffer) {
            pending.gain = std::max(pending.gain, gain);
            return true;
        }
    }
    m_pendingTicks.push_back({buffer, gain});
    return true;
}

bool OpenAlSoundService::playOnce(BufferId buffer, double gain) {
    return isPlayable(buffer) && play(buffer, gain);
}

bool OpenAlSoundService::endPass() {
    bool played = true;
    for (const PendingTick& pending : m_pendingTicks)
        played = play(pending.buffer, pending.gain) && played;
    m_pendingTicks.clear();
    return played;
}

void OpenAlSoundService::pauseWhenIdle() {
    if (!m_device || m_device->paused || !m_device->pause)
        return;
    for (const Voice& voice : m_voices) {
        ALint state = AL_STOPPED;
        alGetSourcei(voice.source, AL_SOURCE_STATE, &state);
        if (state == AL_PLAYING) {
            m_idle.start(m_device->idleMs);
            return;
        }
    }
    m_device->pause(m_device->device);
    m_device->paused = true;
}

int OpenAlSoundService::takeSource() {
    int oldest = -1;
    for (std::size_t i = 0; i < m_voices.size(); ++i) {
        ALint state = AL_STOPPED;
        alGetSourcei(m_voices[i].source, AL_SOURCE_STATE, &state);
        if (state != AL_PLAYING && state != AL_PAUSED)
            return int(i);
        if (oldest < 0 || m_voices[i].started < m_voices[std::size_t(oldest)].started)
            oldest = int(i);
    }
    if (m_voices.size() < std::size_t(maxSources)) {
        alGetError();
        ALuint source = 0;
        alGenSources(1, &source);
        if (alGetError() == AL_NO_ERROR) {
            // Heard where the listener stands, with no distance or direction applied.
            alSourcei(source, AL_SOURCE_RELATIVE, AL_TRUE);
            alSource3f(source, AL_POSITION, 0.0f, 0.0f, 0.0f);
            alSourcef(source, AL_ROLLOFF_FACTOR, 0.0f);
            m_voices.push_back({source, 0});
            return int(m_voices.size()) - 1;
        }
    }
    if (oldest >= 0)
        alSourceStop(m_voices[std::size_t(oldest)].source);
    return oldest;
}

bool OpenAlSoundService::play(BufferId buffer, double gain) {
    const int index = takeSource();
    if (index < 0)
        return false;
    if (m_device->paused) {
        m_device->resume(m_device->device);
        m_device->paused = false;
    }
    Voice& voice = m_voices[std::size_t(index)];
    alGetError();
    alSourcei(voice.source, AL_BUFFER, ALint(m_buffers[std::size_t(buffer)]));
    alSourcef(voice.source, AL_GAIN, float(std::clamp(gain, 0.0, 1.0)));
    alSourcePlay(voice.source);
    if (alGetError() != AL_NO_ERROR)
        return false;
    voice.started = ++m_playCount;
    // Look for silence once this sound should be over, unless a longer one is still to end.
    const int ms = m_bufferMs[std::size_t(buffer)] + m_device->idleMs;
    if (!m_idle.isActive() || m_idle.remainingTime() < ms)
        m_idle.start(ms);
    return true;
}
