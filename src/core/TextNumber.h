#pragma once
#include <QString>
#include <QStringView>
#include <QtGlobal>
#include <optional>

namespace TextNumber {
// The value of the longest leading part of the text that reads as a decimal number (blanks skipped;
// sign, full-stop decimal point and exponent accepted); 0 when there is none.
double number(QStringView text);
// number(text) rounded half to even; empty when it does not fit a 16-bit signed integer.
std::optional<qint16> integer16(QStringView text);
} // namespace TextNumber
