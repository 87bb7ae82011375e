#pragma once
#include <QByteArray>
#include <QList>
#include <QString>

namespace CommandLine {
// Drops one leading and then one trailing double quote; nothing else.
QString stripQuotes(const QString& text);
// The clock file named by the whole command line, or empty when it names none.
QString clockFileArgument(const QString& commandLine);

// A clock file named on the command line: its name as text, and the platform's own bytes for it, which
// open it even when they are not valid UTF-8 and the text cannot name it exactly.
struct ClockFile {
    QString path;
    QByteArray native;
};
// The arguments after the program's name, as the platform passed them, joined with blanks into one path.
ClockFile clockFileFromArguments(const QList<QByteArray>& arguments);
} // namespace CommandLine
