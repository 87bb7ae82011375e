#pragma once
#include "sound/ISoundService.h"

// The sound device through OpenAL Soft, files decoded with libsndfile.
class OpenAlSoundService final : public ISoundService {
public:
    OpenAlSoundService();
    ~OpenAlSoundService() override;
    bool openDevice(QString* error) override;
    BufferId loadBuffer(const QString& path, QString* error) override;
    bool playTick(BufferId buffer, double gain) override;
    bool playOnce(BufferId buffer, double gain) override;
    void endPass() override;
};
