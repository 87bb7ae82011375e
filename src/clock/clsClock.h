#pragma once
#include "clock/CanvasPoint.h"
#include "clock/ClockGeometry.h"
#include "core/ClockEnvironment.h"
#include "sound/clsSound.h"

#include <QString>
#include <array>
#include <memory>

class IClockHost;

// One timer on the board: its name, times, direction, running state, sounds, link, group,
// place on the canvas and selection.
class clsClock {
public:
    static constexpr int bandCount = 5;
    // Tick volumes in percent for more than 60 s, up to 60, 45, 30 and 15 s left.
    static constexpr std::array<qint16, bandCount> defaultTickVol{{5, 15, 50, 75, 100}};

    clsClock(const ClockEnvironment& env, IClockHost& host);

    // Creation defaults: sound on, default alarm, tick volumes 5/15/50/75/100, centred, fresh identifier.
    void init();

    // Timing.
    // Counts numTicks whole seconds (at least one) if this call counts; returns whether it did.
    bool tick(qint16 numTicks);
    void toggleStartStop();
    void resetClock();
    // The tick-counter moment at which this clock last counted on its own (unsynchronised mode).
    qint64 lastTickMs() const { return m_lastTickMs; }
    // Keeps the clock's own second in step with a moment on the counter without counting.
    void alignSecondTo(qint64 ms) { m_lastTickMs = ms; }

    // Properties.
    double duration() const { return m_duration; }
    void setDuration(double dblDuration) { m_duration = dblDuration; }
    double currentTime() const { return m_currentTime; }
    void setCurrentTime(double seconds) { m_currentTime = seconds; }
    const QString& purpose() const { return m_purpose; }
    void setPurpose(const QString& strPurpose) { m_purpose = strPurpose; }
    bool active() const { return m_active; }
    void setActive(bool bActive);
    qint16 countType() const { return m_countType; }
    void setCountType(qint16 intType) { m_countType = intType; }
    double ID() const { return m_id; }
    void setStoredId(double id); // a file's identifier, kept as it is
    double linkID() const { return m_linkId; }
    void setLinkID(double dblID) { m_linkId = dblID; }
    bool selected() const { return m_selected; }
    void setSelected(bool bSelected) { m_selected = bSelected; }
    qint16 groupNum() const { return m_groupNum; }
    void setGroupNum(qint16 intNum) { m_groupNum = intNum; }
    bool soundActive() const { return m_soundActive; }
    void setSoundActive(bool bActive) { m_soundActive = bActive; }
    bool alarmActive() const { return m_alarmActive; }
    void setAlarmActive(bool bool_active) { m_alarmActive = bool_active; }
    QString alarmFile() const;
    void setAlarmFile(const QString& strFilename);
    qint16 alarmVolume() const;
    void setAlarmVolume(qint16 pCent);
    qint16 tickVol(int index) const;
    // Ignored unless 0 <= index <= 4 and 0 <= percent <= 100.
    void setTickVol(qint16 intFrameNum, qint16 intPcent);
    // A file's value, stored as read.
    void setStoredTickVol(int index, qint16 percent);

    // Geometry: the box is 1000 x 500 twips centred on (x, y); buttons stand to its right.
    float myX() const { return m_x; }
    float myY() const { return m_y; }
    double myLeft() const { return double(m_x) - ClockGeometry::boxWidth / 2; }
    double myTop() const { return double(m_y) - ClockGeometry::boxHeight / 2; }
    double myRight() const { return double(m_x) + ClockGeometry::boxWidth / 2; }
    double myBottom() const { return double(m_y) + ClockGeometry::boxHeight / 2; }
    CanvasPoint buttonCorner(int index) const { return m_buttonCorners[std::size_t(index)]; }
    void setPosition(float x, float y);
    void move(float dx, float dy);
    void setTopLeft(CanvasPoint corner);
    // 0 for start/stop, 1 for reset, -1 for neither; edges count as inside.
    qint16 getButtonClick(float px, float py) const;

    clsSound& sound() { return *m_sound; }
    const clsSound& sound() const { return *m_sound; }

    // Expires when the clock is destroyed, so whoever keeps a clock in mind can tell it is gone even
    // when a newer clock has taken its place in memory.
    std::weak_ptr<const void> lifetime();

private:
    void computeButtonCorners();
    void playTickSound();
    bool countsThisCall();
    double drawIdentifier() const;

    const ClockEnvironment& m_env;
    IClockHost& m_host;
    double m_duration = 0;
    double m_currentTime = 0;
    QString m_purpose;
    bool m_active = false;
    float m_x = 0;
    float m_y = 0;
    qint16 m_countType = 0;
    double m_id = 0;
    double m_linkId = 0;
    bool m_selected = false;
    qint16 m_groupNum = -1;
    bool m_soundActive = true;
    bool m_alarmActive = true;
    std::unique_ptr<clsSound> m_sound;
    std::array<CanvasPoint, 2> m_buttonCorners{};
    std::array<qint16, bandCount> m_tickVol = defaultTickVol;
    qint64 m_lastTickMs = 0;
    std::shared_ptr<const void> m_lifetime; // made on first request
};
