#pragma once
#include <QString>

class ITimeSource;
class IOptions;
class ICanvasGeometry;
class IRandom;
class ISoundService;
class IErrorLog;

// The platform services a clock reaches: handed down from start-up, never looked up.
struct ClockEnvironment {
    ITimeSource& time;
    IOptions& options;
    ICanvasGeometry& canvas;
    IRandom& random;
    ISoundService& sound;
    IErrorLog& log;
    QString programFolder; // holds sounds/ and pictures/
};
