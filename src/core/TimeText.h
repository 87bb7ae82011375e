#pragma once
#include <QString>
#include <QtGlobal>

// A time split into whole hours, minutes and seconds; the fraction of a second is dropped.
struct HMS {
    qint64 hours = 0;
    int minutes = 0;
    int seconds = 0;
};

namespace TimeText {
// Splits t >= 0; a negative t is split by its absolute value.
HMS secondsToHMS(double t);
// "hh:mm:ss" with each part at least two digits; a negative time gets a leading minus sign.
QString clockText(double t);
} // namespace TimeText
