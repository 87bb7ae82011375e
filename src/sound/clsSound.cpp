#include "sound/clsSound.h"

#include "core/IErrorLog.h"

#include <QDir>
#include <algorithm>
#include <cmath>
#include <utility>

namespace {
const char* const kMessages[] = {"Unable to initSounds", "Unable to play tick",
                                 "Unable to set volume on ticks", "Unable to play chime"};
}

clsSound::clsSound(ISoundService& service, IErrorLog& log, QString programFolder)
    : m_service(service), m_log(log), m_programFolder(std::move(programFolder)) {}

qint32 clsSound::percentToMillibels(qint32 percent) {
    const qint64 value = (qint64(percent) - 100) * 40;
    return qint32(std::clamp<qint64>(value, -4000, 0));
}

double clsSound::millibelsToGain(qint32 millibels) {
    return std::pow(10.0, millibels / 2000.0);
}

void clsSound::report(Failure failure, bool failed) {
    if (!failed) {
        m_reported[failure] = false;
        return;
    }
    if (m_reported[failure])
        return;
    m_reported[failure] = true;
    m_log.logError(QString::fromLatin1(kMessages[failure]));
}

void clsSound::initSounds() {
    QString error;
    bool ok = m_service.openDevice(&error);
    m_deviceMissing = !ok;
    if (ok) {
        const QString tickPath = QDir(m_programFolder).filePath(QStringLiteral("sounds/tick.wav"));
        m_tickBuffer = m_service.loadBuffer(tickPath, &error);
        ok = m_tickBuffer != ISoundService::NoBuffer;
    }
    report(InitFailed, !ok);
}

void clsSound::retryDevice() {
    // The service itself limits how often it looks for a device.
    if (!m_deviceMissing)
        return;
    initSounds();
    if (!m_deviceMissing && !hasAlarmBuffer())
        setAlarmFile(m_alarmFileName);
}

void clsSound::playTick() {
    if (!hasTickBuffer())
        retryDevice();
    const bool ok = hasTickBuffer() && m_service.playTick(m_tickBuffer, m_tickGain);
    report(PlayTickFailed, !ok);
}

void clsSound::playChime() {
    if (!hasAlarmBuffer())
        retryDevice();
    const bool ok = hasAlarmBuffer() && m_service.playOnce(m_alarmBuffer, m_alarmGain);
    report(PlayChimeFailed, !ok);
}

void clsSound::setVolume(qint32 percent) {
    if (!hasTickBuffer())
        retryDevice();
    const bool ok = hasTickBuffer();
    if (ok) {
        const qint32 millibels = percentToMillibels(percent);
        if (millibels != m_tickMillibels) {
            m_tickMillibels = millibels;
            m_tickGain = millibelsToGain(millibels);
        }
    }
    report(TickVolumeFailed, !ok);
}

void clsSound::setAlarmFile(const QString& strFilename) {
    m_alarmFileName = strFilename;
    QString error;
    // A file that cannot be loaded keeps the previous alarm sound.
    if (strFilename.isEmpty() || !m_service.openDevice(&error))
        return;
    // A relative name (as in the example boards) is found in the program's folder, wherever that is.
    const QString path =
        QDir::isAbsolutePath(strFilename) ? strFilename : m_programFolder + QLatin1Char('/') + strFilename;
    const ISoundService::BufferId buffer = m_service.loadBuffer(path, &error);
    if (buffer != ISoundService::NoBuffer)
        m_alarmBuffer = buffer;
}

void clsSound::applyAlarmVolume() {
    // Kept with this clock, not on a shared buffer, so it cannot fail; a missing alarm is logged once,
    // by the chime.
    m_alarmGain = millibelsToGain(percentToMillibels(m_alarmVol));
}
