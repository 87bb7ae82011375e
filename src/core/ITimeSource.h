#pragma once
#include <QtGlobal>

// A millisecond counter that never goes backwards and keeps counting while the machine sleeps.
class ITimeSource {
public:
    virtual ~ITimeSource() = default;
    virtual qint64 nowMs() const = 0;
};
