#include "core/CommandLine.h"

#include <QFile>

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

ClockFile clockFileFromArguments(const QList<QByteArray>& arguments) {
    const QByteArray line = arguments.join(' ');
    ClockFile file{clockFileArgument(QFile::decodeName(line)), {}};
    if (file.path.isEmpty())
        return file;
    file.native = line;
    if (file.native.startsWith('"'))
        file.native.remove(0, 1);
    if (file.native.endsWith('"'))
        file.native.chop(1);
    return file;
}

} // namespace CommandLine
