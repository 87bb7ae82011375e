#pragma once
#include "FakeSoundService.h"
#include "FakeTimeSource.h"
#include "core/CanvasSize.h"
#include "core/ClockCollection.h"
#include "core/IErrorLog.h"
#include "core/IRandom.h"
#include "core/OptionSet.h"

#include <QStringList>
#include <deque>

// Random numbers the test chooses; after the queue runs out, a simple sequence.
class ScriptedRandom final : public IRandom {
public:
    std::deque<double> queue;
    double next() override;

private:
    double m_step = 0.0;
};

class MemoryErrorLog final : public IErrorLog {
public:
    QStringList lines;
    void logError(const QString& message) override { lines << message; }
};

// A board wired to fakes: time, options, canvas 9000 x 6000, random numbers, sound and log.
struct TestBoard {
    static QString folder() { return QStringLiteral("/zentriq-test"); }
    static QString tickPath() { return folder() + QStringLiteral("/sounds/tick.wav"); }
    static QString alarmPath() { return folder() + QStringLiteral("/sounds/alarms/wristWatch.wav"); }

    TestBoard();

    FakeTimeSource time;
    OptionSet options;
    CanvasSize canvas{9000, 6000};
    ScriptedRandom random;
    FakeSoundService sound;
    MemoryErrorLog log;
    ClockEnvironment env{time, options, canvas, random, sound, log, folder()};
    ClockCollection clocks{env};

    // Appends a count-down clock of the given duration, stopped and refilled.
    clsClock& add(double duration, double linkTo = 0);
};
