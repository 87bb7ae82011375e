#include "core/CommandLine.h"

namespace CommandLine {

QString stripQuotes(const QString& text) {
    QString s = text;
    if (s.startsWith(QLatin1Char('"')))
        s.remove(0, 1);
    if (s.endsWith(QLatin1Char('"')))
        s.chop(1);
    return s;
}

QString clockFileArgument(const QString& commandLine) {
    if (commandLine.isEmpty())
        return {};
    const QString path = stripQuotes(commandLine);
    return path.right(4).toLower() == QLatin1String(".clk") ? path : QString();
}

} // namespace CommandLine
