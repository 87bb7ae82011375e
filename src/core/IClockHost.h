#pragma once

class clsClock;

// What a clock needs from the board it sits on: links act through identifiers.
class IClockHost {
public:
    virtual ~IClockHost() = default;
    virtual void resetLinkedClock(double id) = 0;
    virtual void startLinkedClock(double id) = 0;
    // A count-down clock reached zero and stopped.
    virtual void clockCompleted(const clsClock& clock) = 0;
    // A stopped clock was set running.
    virtual void clockStarted() = 0;
    virtual bool isIdUsedByOther(double id, const clsClock* except) const = 0;
    // A clock's identifier changed from oldId to its current one.
    virtual void identifierChanged(const clsClock& clock, double oldId) = 0;
};
