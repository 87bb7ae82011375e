#pragma once
#include "FakeTimeSource.h"
#include "TestBoard.h"
#include "core/CanvasSize.h"
#include "core/ClockCollection.h"
#include "core/OptionSet.h"
#include "sound/ISoundService.h"

// A board that plays through a sound service of the test's choosing (the real device, usually)
// and writes to a log of its choosing; time, options and random numbers are the test's own.
struct SoundBoard {
    SoundBoard(ISoundService& soundService, IErrorLog& errorLog, const QString& programFolder)
        : sound(soundService), log(errorLog), env{time, options, canvas, random, sound, log, programFolder} {}

    ISoundService& sound;
    IErrorLog& log;
    FakeTimeSource time;
    OptionSet options;
    CanvasSize canvas{9000, 6000};
    ScriptedRandom random;
    ClockEnvironment env;
    ClockCollection clocks{env};
};
