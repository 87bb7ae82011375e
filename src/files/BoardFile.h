#pragma once
#include <QByteArray>
#include <QString>

// Reading and writing a clock file as a whole.
namespace BoardFile {
// Larger than any board the program can hold; a larger file is refused rather than read into memory.
inline constexpr qint64 maxSize = 256 * 1024 * 1024;

// Reads the regular file named by the platform's bytes for its path. A folder, a named pipe or a device
// is refused at once, never waited on. On failure *reason says why in words.
bool read(const QByteArray& nativePath, QByteArray* content, QString* reason);
// Writes the content through a temporary file that replaces the file only once it is complete, so a
// failed or interrupted save leaves the previous file whole. On failure *reason says why in words.
bool write(const QString& path, const QByteArray& content, QString* reason);
// The folder the file dialogs start in: "clocks" in the program's folder, or in the user's data folder
// when the program's folder cannot be written. Created when missing.
QString clocksFolder(const QString& programFolder, const QString& userDataFolder);
} // namespace BoardFile
