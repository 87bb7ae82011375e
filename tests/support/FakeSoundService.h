#pragma once
#include "sound/ISoundService.h"

#include <QHash>
#include <QStringList>
#include <QVector>

// Records what would be heard. Files "exist" when their path is in `available`.
class FakeSoundService final : public ISoundService {
public:
    struct Play {
        QString path;
        double gain;
        bool tick;
    };

    bool deviceWorks = true;
    bool recordPlays = true; // off for benchmarks: only counted
    QStringList available;
    QVector<Play> plays;
    int passes = 0;
    long long playCount = 0;

    bool openDevice(QString* error) override;
    BufferId loadBuffer(const QString& path, QString* error) override;
    bool playTick(BufferId buffer, double gain) override;
    bool playOnce(BufferId buffer, double gain) override;
    void endPass() override { ++passes; }

    int count(bool ticks) const;
    QString pathOf(BufferId id) const { return m_paths.value(id); }

private:
    QHash<QString, BufferId> m_ids;
    QHash<BufferId, QString> m_paths;
};
