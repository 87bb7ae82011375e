#include "core/ErrorLog.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <utility>

ErrorLog::ErrorLog(QString programFolder, QString fallbackFolder)
    : m_programFolder(std::move(programFolder)), m_fallbackFolder(std::move(fallbackFolder)) {}

QString ErrorLog::formatLine(const QString& message) {
    const QDateTime now = QDateTime::currentDateTime();
    const QLocale locale;
    return locale.toString(now.date(), QLocale::ShortFormat) + QLatin1Char(' ') +
           locale.toString(now.time(), QLocale::LongFormat) + QLatin1Char(' ') + message;
}

bool ErrorLog::appendTo(const QString& folder, const QByteArray& line) {
    if (folder.isEmpty() || !QDir().mkpath(folder))
        return false;
    const QString path = QDir(folder).filePath(QStringLiteral("error.log"));
    QFile file(path);
    if (!file.open(QIODevice::Append | QIODevice::Text))
        return false;
    const bool ok = file.write(line) == line.size();
    if (ok)
        m_lastPath = path;
    return ok;
}

void ErrorLog::logError(const QString& message) {
    // A failure to log is itself ignored: logging must never disturb the clocks.
    const QByteArray line = (formatLine(message) + QLatin1Char('\n')).toUtf8();
    if (!appendTo(m_programFolder, line))
        appendTo(m_fallbackFolder, line);
}
