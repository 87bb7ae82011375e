#include "core/ErrorLog.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {
// The file's descriptor and size, or -1 when it is not a regular file that can be opened for appending. A
// named pipe is opened without waiting for a reader, and then refused.
int openForAppend(const QByteArray& path, off_t* size) {
    const int fd = ::open(path.constData(), O_WRONLY | O_APPEND | O_CREAT | O_NONBLOCK | O_CLOEXEC, 0644);
    struct stat st {};
    if (fd >= 0 && (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode))) {
        ::close(fd);
        return -1;
    }
    *size = st.st_size;
    return fd;
}
} // namespace

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
    if (folder.isEmpty())
        return false;
    const QString path = QDir(folder).filePath(QStringLiteral("error.log"));
    const QByteArray name = QFile::encodeName(path);
    off_t size = 0;
    int fd = openForAppend(name, &size);
    if (fd >= 0 && size + line.size() > maxBytes) {
        ::close(fd);
        ::rename(name.constData(), (name + ".1").constData());
        fd = openForAppend(name, &size);
    }
    if (fd < 0)
        return false;
    const bool ok = ::write(fd, line.constData(), std::size_t(line.size())) == line.size();
    ::close(fd);
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
