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
    if (text.size() < qsizetype(sizeof small)) {
        for (qsizetype i = 0; i < text.size(); ++i)
            small[i] = text[i].unicode() < 0x100 ? char(text[i].unicode()) : '?';
        small[text.size()] = '\0';
    } else {
        large = text.toLatin1();
        s = large.constData();
    }
    int i = 0;
    while (s[i] == ' ' || s[i] == '\t')
        ++i;
    const int start = i;
    if (s[i] == '+' || s[i] == '-')
        ++i;
    int digits = 0;
    while (s[i] >= '0' && s[i] <= '9') {
        ++i;
        ++digits;
    }
    if (s[i] == '.') {
        ++i;
        while (s[i] >= '0' && s[i] <= '9') {
            ++i;
            ++digits;
        }
    }
    if (digits == 0)
        return 0.0;
    int end = i;
    // An exponent counts only when digits follow it.
    if (s[i] == 'e' || s[i] == 'E') {
        int j = i + 1;
        if (s[j] == '+' || s[j] == '-')
            ++j;
        if (s[j] >= '0' && s[j] <= '9') {
            while (s[j] >= '0' && s[j] <= '9')
                ++j;
            end = j;
        }
    }
    // from_chars ignores the locale, so a German desktop still reads "12.5" as twelve and a half.
    int first = start;
    const bool negative = s[first] == '-';
    if (s[first] == '+' || s[first] == '-')
        ++first;
    double value = 0.0;
    const auto result = std::from_chars(s + first, s + end, value);
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
