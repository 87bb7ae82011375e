#include "files/ClockFileFormat.h"

#include <charconv>
#include <cmath>

namespace ClockFileFormat {

namespace {
QString general(double value, int digits) {
    if (value == 0.0)
        return QStringLiteral("0"); // also for -0
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, digits);
    QString text = QString::fromLatin1(buffer, int(result.ptr - buffer));
    const qsizetype e = text.indexOf(QLatin1Char('e'));
    if (e >= 0)
        text[e] = QLatin1Char('E');
    return text;
}
} // namespace

QString real(double value) {
    return general(value, 15);
}

QString shortReal(float value) {
    return general(double(value), 7);
}

QString boolean(bool value) {
    return value ? QStringLiteral("True") : QStringLiteral("False");
}

bool readBoolean(const QString& value) {
    return value.trimmed().compare(QLatin1String("true"), Qt::CaseInsensitive) == 0;
}

QString oneLine(const QString& text) {
    QString line = text;
    line.replace(QLatin1Char('\r'), QLatin1Char(' '));
    line.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return line;
}

} // namespace ClockFileFormat
