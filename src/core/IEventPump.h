#pragma once
#include <QtGlobal>
#include <optional>

// The dispatch step of the main loop: runs pending user-interface events, waiting for at least one,
// or until wakeAtMs (on the loop's time source) when given.
class IEventPump {
public:
    virtual ~IEventPump() = default;
    virtual void dispatch(std::optional<qint64> wakeAtMs) = 0;
};
