#include "core/ErrorLog.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <utility>

ErrorLog::ErrorLog(QString programFolder, QString fallbackFolder)
    : m_programFolder(std::move(programFolder)), m_fallbackFolder(std::move(fallbackFolder)) {}

QString ErrorLog::timeFormatWithoutZone(const QString& format) {
    // Drop every 't' outside quoted text, then the blanks it leaves behind.
    QString out;
    bool quoted = false;
    for (const QChar c : format) {
        if (c == QLatin1Char('\''))
            quoted = !quoted;
        if (!quoted && c == QLatin1Char('t'))
            continue;
        out += c;
    }
    return out.simplified();
}

QString ErrorLog::formatLine(const QDateTime& when, const QString& message) {
    const QLocale locale;
    const QString timeFormat = timeFormatWithoutZone(locale.timeFormat(QLocale::LongFormat));
    return locale.toString(when.date(), QLocale::ShortFormat) + QLatin1Char(' ') +
           locale.toString(when.time(), timeFormat) + QLatin1Char(' ') + message;
}

bool ErrorLog::appendTo(const QString& folder, const QByteArray& line) {
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        return false;
    const QString path = QDir(folder).filePath(QStringLiteral("error.log"));
    QFile file(path);
    if (!file.open(QIODevice::Append))
        return false;
    const bool ok = file.write(line) == line.size();
    if (ok)
        m_lastPath = path;
    return ok;
}

void ErrorLog::logError(const QString& message) {
    // A failure to log is itself ignored: logging must never disturb the clocks.
    const QByteArray line = (formatLine(QDateTime::currentDateTime(), message) + QLatin1Char('\n')).toUtf8();
    if (appendTo(m_programFolder, line))
        return;
    // The user's data folder may not exist yet on a fresh account.
    if (!m_fallbackFolder.isEmpty())
        QDir().mkpath(m_fallbackFolder);
    appendTo(m_fallbackFolder, line);
}
