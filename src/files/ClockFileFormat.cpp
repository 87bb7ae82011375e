#include "files/ClockFileFormat.h"

#include <charconv>
#include <cmath>

namespace ClockFileFormat {

namespace {
QByteArray general(double value, int digits) {
    if (value == 0.0)
        return QByteArrayLiteral("0"); // also for -0
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, digits);
    for (char* c = buffer; c != result.ptr; ++c)
        if (*c == 'e')
            *c = 'E';
    return QByteArray(buffer, result.ptr - buffer);
}
} // namespace

QByteArray real(double value) {
    return general(value, 15);
}

QByteArray shortReal(float value) {
    return general(double(value), 7);
}

QByteArray boolean(bool value) {
    return value ? QByteArrayLiteral("True") : QByteArrayLiteral("False");
}

bool readBoolean(QStringView value) {
    return value.trimmed().compare(QLatin1String("true"), Qt::CaseInsensitive) == 0;
}

QString oneLine(const QString& text) {
    QString line = text;
    line.replace(QLatin1Char('\r'), QLatin1Char(' '));
    line.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return line;
}

} // namespace ClockFileFormat
