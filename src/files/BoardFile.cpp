#include "files/BoardFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace BoardFile {

namespace {
QString tooLarge() {
    return QStringLiteral("the file is larger than %1 MB, too large for a board").arg(maxSize >> 20);
}

// The rest of an opened file, refused when it grew beyond any board since it was looked at. Read in
// pieces: one read of the largest allowed size would set that much memory aside for every board.
bool readOpened(QFile& file, QByteArray* content, QString* reason) {
    content->clear();
    char piece[64 * 1024];
    qint64 got = 0;
    while (content->size() <= maxSize && (got = file.read(piece, qint64(sizeof piece))) > 0)
        content->append(piece, qsizetype(got));
    if (got < 0 || file.error() != QFileDevice::NoError) {
        *reason = file.errorString();
        return false;
    }
    if (content->size() > maxSize) {
        *reason = tooLarge();
        return false;
    }
    return true;
}
} // namespace

#ifdef Q_OS_UNIX
bool read(const QByteArray& nativePath, QByteArray* content, QString* reason) {
    // Opened without waiting, so a named pipe with no writer cannot hold the program; checked on the
    // descriptor itself, so what is read is what was checked.
    const int fd = ::open(nativePath.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        *reason = qt_error_string(errno);
        return false;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_size > maxSize) {
        ::close(fd);
        *reason = S_ISREG(info.st_mode)   ? tooLarge()
                  : S_ISDIR(info.st_mode) ? QStringLiteral("it is a folder, not a clock file")
                                          : QStringLiteral("it is not a regular file");
        return false;
    }
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        *reason = file.errorString();
        return false;
    }
    return readOpened(file, content, reason);
}
#else
bool read(const QByteArray& nativePath, QByteArray* content, QString* reason) {
    QFile file(QFile::decodeName(nativePath));
    const QFileInfo info(file);
    if (info.exists() && !info.isFile()) {
        *reason = info.isDir() ? QStringLiteral("it is a folder, not a clock file")
                               : QStringLiteral("it is not a regular file");
        return false;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        *reason = file.errorString();
        return false;
    }
    return readOpened(file, content, reason);
}
#endif

bool write(const QString& path, const QByteArray& content, QString* reason) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        *reason = file.errorString();
        return false;
    }
    if (file.write(content) != content.size()) {
        *reason = file.errorString();
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        *reason = file.errorString();
        return false;
    }
    return true;
}

QString clocksFolder(const QString& programFolder, const QString& userDataFolder) {
    const QString own = QDir(programFolder).filePath(QStringLiteral("clocks"));
    if (QDir().mkpath(own) && QFileInfo(own).isWritable())
        return own;
    const QString user = QDir(userDataFolder).filePath(QStringLiteral("clocks"));
    QDir().mkpath(user);
    return user;
}

} // namespace BoardFile
