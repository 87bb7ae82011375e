#pragma once
#include <QByteArray>
#include <QString>
#include <QStringView>

// The value forms of a clock file. Numbers are written without regard to the desktop's locale, so a
// file written on a German desktop reads back the same everywhere.
namespace ClockFileFormat {
// Shortest general form with up to 15 significant digits: 300, 12.5, -0.25, 1E+20, 1E-05.
QByteArray real(double value);
// The same for a single-precision value, up to 7 significant digits.
QByteArray shortReal(float value);
QByteArray boolean(bool value);
// True only for "true" in any letter case, blanks around it allowed.
bool readBoolean(QStringView value);
// A text value as one line: line breaks would end the line early and let the rest pass for keys.
QString oneLine(const QString& text);

inline constexpr const char* lineEnd = "\r\n";
} // namespace ClockFileFormat
