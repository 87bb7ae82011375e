#pragma once
#include <QString>

class ClockCollection;

// What the pointer resting on a clock tells about it: the whole name (the face may shorten it), the
// time and direction, the clock it starts on completion, and its group. One line each.
namespace ClockToolTip {
QString text(const ClockCollection& clocks, int index);
} // namespace ClockToolTip
