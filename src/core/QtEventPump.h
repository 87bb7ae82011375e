#pragma once
#include "core/IEventPump.h"

#include <QTimer>

class ITimeSource;

// Dispatches Qt's events, sleeping in the event loop until one arrives or the wake-up timer fires.
class QtEventPump final : public IEventPump {
public:
    explicit QtEventPump(const ITimeSource& time);
    void dispatch(std::optional<qint64> wakeAtMs) override;

private:
    const ITimeSource& m_time;
    QTimer m_wake;
};
