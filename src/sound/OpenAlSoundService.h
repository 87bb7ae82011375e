#pragma once
#include "sound/ISoundService.h"

#include <QHash>
#include <QString>
#include <QTimer>
#include <memory>
#include <optional>
#include <vector>

class ITimeSource;

// The sound device through OpenAL Soft, files decoded with libsndfile. One device and context for
// the whole program, opened on first use; one buffer per file, shared by every clock that plays it;
// a small pool of sources taken at play time, so the number of clocks does not matter to the device.
// Without a device every call fails at once and the program runs silently; the device is looked for
// again when a sound is wanted, at most every retryMs.
// OpenAL Soft mixes without pause once a device is open, silence included, so the device is paused once
// nothing plays and the device has played out the last sound, and resumed before the next sound (where
// the library allows it).
class OpenAlSoundService final : public ISoundService {
public:
    // Sounds playing at the same moment; when all are busy the longest-playing one is cut short.
    static constexpr int maxSources = 32;
    static constexpr qint64 retryMs = 5000;

    // time measures the wait between attempts to open the device.
    explicit OpenAlSoundService(const ITimeSource& time);
    // Closes the device; an output rendered to a file is complete only after this.
    ~OpenAlSoundService() override;
    OpenAlSoundService(const OpenAlSoundService&) = delete;
    OpenAlSoundService& operator=(const OpenAlSoundService&) = delete;

    bool openDevice(QString* error) override;
    BufferId loadBuffer(const QString& path, QString* error) override;
    bool playTick(BufferId buffer, double gain) override;
    bool playOnce(BufferId buffer, double gain) override;
    bool endPass() override;

    // Pauses the device if no source is playing; otherwise looks again a little later.
    void pauseWhenIdle();
    // Empty until a device is open.
    QString deviceName() const;
    int sourceCount() const { return int(m_voices.size()); }
    int bufferCount() const { return int(m_buffers.size()); }

private:
    struct Device;
    struct Voice {
        unsigned int source;
        quint64 started;
    };
    struct PendingTick {
        BufferId buffer;
        double gain;
    };

    bool isPlayable(BufferId buffer) const;
    bool play(BufferId buffer, double gain);
    // Index of a source that is free, new, or the one playing longest; -1 when none can be had.
    int takeSource();

    const ITimeSource& m_time;
    std::unique_ptr<Device> m_device;
    std::optional<qint64> m_lastAttemptMs;
    QString m_deviceError;
    QHash<QString, BufferId> m_bufferByPath;
    std::vector<unsigned int> m_buffers;
    std::vector<int> m_bufferMs; // each buffer's length
    std::vector<Voice> m_voices;
    std::vector<PendingTick> m_pendingTicks;
    quint64 m_playCount = 0;
    QTimer m_idle;
};
