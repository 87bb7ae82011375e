#include "core/TextNumber.h"

#include <charconv>
#include <cmath>

namespace TextNumber {

double number(QStringView text) {
    // Short texts (every number a file or a field holds) are read from the stack; a non-Latin-1
    // character ends the number anyway, so any stand-in for it will do.
    char small[64];
    QByteArray large;
    const char* s = small;
    const char* end = small;
    if (text.size() < qsizetype(sizeof small)) {
        for (qsizetype i = 0; i < text.size(); ++i)
            small[i] = text[i].unicode() < 0x100 ? char(text[i].unicode()) : '?';
        small[text.size()] = '\0';
        end = small + text.size();
    } else {
        large = text.toLatin1(); // ends in a NUL, which stops every scan below
        s = large.constData();
        end = s + large.size();
    }
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
    const auto result = std::from_chars(s, end, value);
    if (result.ec != std::errc() || !std::isfinite(value))
        return 0.0;
    return negative ? -value : value;
}

std::optional<qint16> integer16(QStringView text) {
    const double rounded = std::nearbyint(number(text)); // the default rounding mode is half to even
    if (rounded < -32768.0 || rounded > 32767.0)
        return std::nullopt;
    return qint16(rounded);
}

} // namespace TextNumber
