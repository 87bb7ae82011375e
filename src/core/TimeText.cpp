#include "core/TimeText.h"

#include <algorithm>
#include <cmath>

namespace TimeText {

HMS secondsToHMS(double t) {
    HMS out;
    if (!std::isfinite(t))
        return out;
    // Beyond any real timer, but kept within what the hour count can hold.
    t = std::min(std::fabs(t), 3.6e18);
    out.hours = qint64(std::floor(t / 3600.0));
    if (out.hours > 0)
        t -= 3600.0 * double(out.hours);
    out.minutes = int(std::floor(t / 60.0));
    if (out.minutes > 0)
        t -= 60.0 * out.minutes;
    out.seconds = int(std::floor(t));
    return out;
}

QString clockText(double t) {
    const HMS hms = secondsToHMS(t);
    const auto two = [](qint64 v) { return QStringLiteral("%1").arg(v, 2, 10, QLatin1Char('0')); };
    const QString text =
        two(hms.hours) + QLatin1Char(':') + two(hms.minutes) + QLatin1Char(':') + two(hms.seconds);
    // Only a time that shows a non-zero part carries the sign: -0.4 s reads 00:00:00.
    return (t < 0 && (hms.hours || hms.minutes || hms.seconds)) ? QLatin1Char('-') + text : text;
}

} // namespace TimeText
