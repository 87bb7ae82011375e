#include "FakeSoundService.h"

bool FakeSoundService::openDevice(QString* error) {
    if (!deviceWorks && error)
        *error = QStringLiteral("no device");
    return deviceWorks;
}

ISoundService::BufferId FakeSoundService::loadBuffer(const QString& path, QString* error) {
    if (!deviceWorks || !available.contains(path)) {
        if (error)
            *error = QStringLiteral("cannot load");
        return NoBuffer;
    }
    if (!m_ids.contains(path)) {
        const BufferId id = BufferId(m_ids.size());
        m_ids.insert(path, id);
        m_paths.insert(id, path);
    }
    return m_ids.value(path);
}

bool FakeSoundService::playTick(BufferId buffer, double gain) {
    if (buffer < 0 || buffer >= BufferId(m_paths.size()))
        return false;
    ++playCount;
    if (recordPlays)
        plays.push_back({m_paths.value(buffer), gain, true});
    return true;
}

bool FakeSoundService::playOnce(BufferId buffer, double gain) {
    if (buffer < 0 || buffer >= BufferId(m_paths.size()))
        return false;
    ++playCount;
    if (recordPlays)
        plays.push_back({m_paths.value(buffer), gain, false});
    return true;
}

int FakeSoundService::count(bool ticks) const {
    int n = 0;
    for (const Play& p : plays)
        n += p.tick == ticks ? 1 : 0;
    return n;
}
