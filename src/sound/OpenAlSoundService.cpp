#include "sound/OpenAlSoundService.h"

// Placeholder until the OpenAL adapter lands: no device, so the program runs silently.
OpenAlSoundService::OpenAlSoundService() = default;
OpenAlSoundService::~OpenAlSoundService() = default;

bool OpenAlSoundService::openDevice(QString* error) {
    if (error)
        *error = QStringLiteral("no sound device");
    return false;
}

ISoundService::BufferId OpenAlSoundService::loadBuffer(const QString&, QString* error) {
    if (error)
        *error = QStringLiteral("no sound device");
    return NoBuffer;
}

bool OpenAlSoundService::playTick(BufferId, double) {
    return false;
}

bool OpenAlSoundService::playOnce(BufferId, double) {
    return false;
}

void OpenAlSoundService::endPass() {}
