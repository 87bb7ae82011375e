#include "core/TextNumber.h"

#include <charconv>
#include <cmath>

namespace TextNumber {

double number(const QString& text) {
    const QByteArray bytes = text.toLatin1(); // ends in a NUL, which stops every scan below
    const char* s = bytes.constData();
    while (*s == ' ' || *s == '\t')
        ++s;
    const bool negative = *s == '-';
    if (*s == '+' || *s == '-')
        ++s;
    if (*s == '-') // from_chars would take this second sign as the first
        return 0.0;
    // from_chars ignores the locale, so a German desktop still reads "12.5" as twelve and a half. It takes
    // an exponent only when digits follow it; an exponent too large for a double, "inf" and "nan" give 0.
    double value = 0.0;
    const auto result = std::from_chars(s, bytes.constData() + bytes.size(), value);
    if (result.ec != std::errc() || !std::isfinite(value))
        return 0.0;
    return negative ? -value : value;
}

std::optional<qint16> integer16(const QString& text) {
    const double rounded = std::nearbyint(number(text)); // the default rounding mode is half to even
    if (rounded < -32768.0 || rounded > 32767.0)
        return std::nullopt;
    return qint16(rounded);
}

} // namespace TextNumber
