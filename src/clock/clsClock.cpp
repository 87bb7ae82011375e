#include "clock/clsClock.h"

#include "clock/ClockGeometry.h"
#include "core/ICanvasGeometry.h"
#include "core/IClockHost.h"
#include "core/IOptions.h"
#include "core/IRandom.h"
#include "core/ITimeSource.h"

#include <QDir>
#include <cmath>

clsClock::clsClock(const ClockEnvironment& env, IClockHost& host) : m_env(env), m_host(host) {
    computeButtonCorners();
}

void clsClock::init() {
    if (!m_sound)
        m_sound = std::make_unique<clsSound>(m_env.sound, m_env.log, m_env.programFolder);
    m_sound->initSounds();
    m_soundActive = true;
    m_alarmActive = true;
    setAlarmFile(QDir(m_env.programFolder).filePath(QStringLiteral("sounds/alarms/wristWatch.wav")));
    m_tickVol = defaultTickVol;
    setAlarmVolume(100);
    m_duration = 0;
    m_groupNum = -1;
    m_purpose.clear();
    m_x = float(m_env.canvas.canvasWidth() / 2);
    m_y = float(m_env.canvas.canvasHeight() / 2);
    m_countType = 0;
    const double oldId = m_id;
    m_id = drawIdentifier();
    m_host.identifierChanged(*this, oldId);
    computeButtonCorners();
    m_selected = false;
    resetClock();
}

double clsClock::drawIdentifier() const {
    // Redraw while another clock on the board holds the number, so links reach the clock meant.
    for (int attempt = 0; attempt < 1000; ++attempt) {
        const double id = std::floor(m_env.random.next() * 99999.0) + 1.0;
        if (!m_host.isIdUsedByOther(id, this))
            return id;
    }
    for (double id = 1; id <= 99999; ++id)
        if (!m_host.isIdUsedByOther(id, this))
            return id;
    return std::floor(m_env.random.next() * 99999.0) + 1.0;
}

void clsClock::setStoredId(double id) {
    const double oldId = m_id;
    m_id = id;
    m_host.identifierChanged(*this, oldId);
}

QString clsClock::alarmFile() const {
    return m_sound ? m_sound->alarmFile() : QString();
}

void clsClock::setAlarmFile(const QString& strFilename) {
    if (m_sound)
        m_sound->setAlarmFile(strFilename);
}

qint16 clsClock::alarmVolume() const {
    return m_sound ? m_sound->alarmVol() : 0;
}

void clsClock::setAlarmVolume(qint16 pCent) {
    if (m_sound)
        m_sound->setAlarmVol(pCent);
}

qint16 clsClock::tickVol(int index) const {
    return (index >= 0 && index < bandCount) ? m_tickVol[std::size_t(index)] : 0;
}

void clsClock::setTickVol(qint16 intFrameNum, qint16 intPcent) {
    if (intFrameNum < 0 || intFrameNum >= bandCount || intPcent < 0 || intPcent > 100)
        return;
    m_tickVol[std::size_t(intFrameNum)] = intPcent;
}

void clsClock::setStoredTickVol(int index, qint16 percent) {
    if (index >= 0 && index < bandCount)
        m_tickVol[std::size_t(index)] = percent;
}

void clsClock::setActive(bool bActive) {
    const bool starting = bActive && !m_active;
    if (starting) {
        // The clock's own second keeps its phase while it is stopped; bring it up to date so
        // that a clock started after a long quiet spell does not count at once.
        const qint64 now = m_env.time.nowMs();
        const qint64 elapsed = now - m_lastTickMs;
        if (elapsed > 1000)
            m_lastTickMs = now - elapsed % 1000;
    }
    m_active = bActive;
    if (starting)
        m_host.clockStarted();
    if (bActive && m_linkId > 0)
        m_host.resetLinkedClock(m_linkId);
}

void clsClock::resetClock() {
    m_currentTime = m_duration;
    m_active = false;
}

bool clsClock::countsThisCall() {
    if (m_env.options.isChecked(Option::Sync))
        return true;
    // Each clock measures its own second. The counter advances in whole seconds from the clock's
    // last count, so the fraction is carried and nothing drifts; after a held loop the clock counts
    // one second and keeps its phase.
    const qint64 now = m_env.time.nowMs();
    const qint64 elapsed = now - m_lastTickMs;
    if (elapsed <= 1000)
        return false;
    m_lastTickMs = now - elapsed % 1000;
    return true;
}

bool clsClock::tick(qint16 numTicks) {
    if (numTicks < 1)
        numTicks = 1;
    const bool counts = countsThisCall();
    if (!m_active || !counts)
        return false;
    const bool sounding = !m_env.options.isChecked(Option::Mute) && m_soundActive;
    if (sounding)
        playTickSound();
    if (m_countType == 0) {
        if (m_currentTime > 0) {
            m_currentTime -= numTicks;
            if (m_currentTime <= 0) {
                if (sounding && m_alarmActive) {
                    m_sound->applyAlarmVolume();
                    m_sound->playChime();
                }
                m_active = false; // straight to the field: this stop resets no linked clock
                m_host.clockCompleted(*this);
                if (m_linkId > 0)
                    m_host.startLinkedClock(m_linkId);
            }
        } else {
            m_active = false;
        }
    } else {
        m_currentTime += numTicks;
    }
    return true;
}

void clsClock::playTickSound() {
    qint32 volume = 1; // a clock that counts up always ticks softly
    if (m_countType == 0) {
        const double t = m_currentTime;
        volume = t > 60 ? m_tickVol[0] : m_tickVol[1];
        if (t <= 45)
            volume = m_tickVol[2];
        if (t <= 30)
            volume = m_tickVol[3];
        if (t <= 15)
            volume = m_tickVol[4];
        if (volume <= 0)
            return;
    }
    m_sound->setVolume(volume);
    m_sound->playTick();
}

void clsClock::toggleStartStop() {
    setActive(!m_active);
    if (m_currentTime == 0 && m_active) {
        resetClock();
        setActive(true);
    }
}

void clsClock::setPosition(float x, float y) {
    m_x = x;
    m_y = y;
    computeButtonCorners();
}

void clsClock::move(float dx, float dy) {
    m_x = float(double(m_x) + dx);
    m_y = float(double(m_y) + dy);
    computeButtonCorners();
}

void clsClock::setTopLeft(CanvasPoint corner) {
    m_x = float(double(corner.x) + ClockGeometry::boxWidth / 2);
    m_y = float(double(corner.y) + ClockGeometry::boxHeight / 2);
    computeButtonCorners();
}

void clsClock::computeButtonCorners() {
    const double bx = double(m_x) + ClockGeometry::boxWidth / 2 + ClockGeometry::buttonGap;
    const double by = double(m_y) - ClockGeometry::boxHeight / 2;
    m_buttonCorners[0] = {float(bx), float(by)};
    m_buttonCorners[1] = {float(bx), float(by + ClockGeometry::buttonPitch)};
}

std::weak_ptr<const void> clsClock::lifetime() {
    if (!m_lifetime)
        m_lifetime = std::make_shared<char>(0);
    return m_lifetime;
}

qint16 clsClock::getButtonClick(float px, float py) const {
    for (qint16 i = 0; i < 2; ++i) {
        const CanvasPoint b = m_buttonCorners[std::size_t(i)];
        if (b.x <= px && px <= b.x + ClockGeometry::buttonWidth && b.y <= py &&
            py <= b.y + ClockGeometry::buttonHeight)
            return i;
    }
    return -1;
}
