#pragma once
#include "sound/ISoundService.h"

#include <QStringList>
#include <QVector>
#include <algorithm>

// Records what would be heard. Files "exist" when their path is in `available`.
class FakeSoundService final : public ISoundService {
public:
    struct Play {
        QString path;
        double gain;
        bool tick;
    };

    bool recordPlays = true; // off for benchmarks
    bool deviceUp = true;
    bool endPassFails = false;
    QStringList available;
    QVector<Play> plays;

    bool openDevice(QString*) override { return deviceUp; }
    BufferId loadBuffer(const QString& path, QString*) override {
        if (!deviceUp)
            return NoBuffer;
        if (available.contains(path) && !m_loaded.contains(path))
            m_loaded << path;
        return available.contains(path) ? BufferId(m_loaded.indexOf(path)) : NoBuffer;
    }
    bool playTick(BufferId buffer, double gain) override { return play(buffer, gain, true); }
    bool playOnce(BufferId buffer, double gain) override { return play(buffer, gain, false); }
    bool endPass() override { return !endPassFails; }

    int count(bool ticks) const {
        return int(std::count_if(plays.begin(), plays.end(), [&](const Play& p) { return p.tick == ticks; }));
    }

private:
    bool play(BufferId buffer, double gain, bool tick) {
        const bool loaded = buffer >= 0 && buffer < m_loaded.size();
        if (loaded && recordPlays)
            plays.push_back({m_loaded[buffer], gain, tick});
        return loaded;
    }

    QStringList m_loaded;
};
