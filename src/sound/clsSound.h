#pragma once
#include "sound/ISoundService.h"

#include <QString>
#include <QtGlobal>

class IErrorLog;

// One clock's tick and alarm. The decoded sounds live in the shared sound service; what a clock
// owns is which buffers it uses and at what volume, so a thousand clocks cost little.
class clsSound {
public:
    clsSound(ISoundService& service, IErrorLog& log, QString programFolder);

    void initSounds();
    void playTick();
    void playChime();
    void setVolume(qint32 percent);
    qint16 alarmVol() const { return m_alarmVol; }
    void setAlarmVol(qint16 percent) { m_alarmVol = percent; }
    QString alarmFile() const { return m_alarmFileName; }
    void setAlarmFile(const QString& strFilename);
    void applyAlarmVolume();

    // Percent to hundredths of a decibel, limited to -4000..0.
    static qint32 percentToMillibels(qint32 percent);
    static double millibelsToGain(qint32 millibels);

    bool hasTickBuffer() const { return m_tickBuffer != ISoundService::NoBuffer; }
    bool hasAlarmBuffer() const { return m_alarmBuffer != ISoundService::NoBuffer; }

private:
    enum Failure { InitFailed, PlayTickFailed, TickVolumeFailed, PlayChimeFailed, FailureCount };
    // A failure is written once, and again only after the same operation has worked in between,
    // so a machine without sound does not fill the log two lines per clock per second.
    void report(Failure failure, bool failed);
    // Without a device since the last try, a sound is wanted: look for the device again.
    void retryDevice();

    ISoundService& m_service;
    IErrorLog& m_log;
    QString m_programFolder;
    ISoundService::BufferId m_tickBuffer = ISoundService::NoBuffer;
    ISoundService::BufferId m_alarmBuffer = ISoundService::NoBuffer;
    double m_tickGain = 1.0;
    qint32 m_tickMillibels = 0; // the gain above, kept so an unchanged volume costs no pow()
    double m_alarmGain = 1.0;
    QString m_alarmFileName;
    qint16 m_alarmVol = 0;
    bool m_reported[FailureCount] = {};
    bool m_deviceMissing = false;
};
