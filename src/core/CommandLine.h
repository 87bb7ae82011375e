#pragma once
#include <QString>

namespace CommandLine {
// Drops one leading and then one trailing double quote; nothing else.
QString stripQuotes(const QString& text);
// The clock file named by the whole command line, or empty when it names none.
QString clockFileArgument(const QString& commandLine);
} // namespace CommandLine
