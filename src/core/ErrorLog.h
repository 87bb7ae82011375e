#pragma once
#include "core/IErrorLog.h"

#include <QDateTime>
#include <QString>

// Appends "date time message" lines to error.log in the program's folder, or in the user's data
// folder when the program's folder cannot be written (an installed program usually cannot). Only a
// regular file is written, and opening one never waits. A line that would take the log past maxBytes
// moves it aside to error.log.1, replacing the one before, and starts a new one.
class ErrorLog final : public IErrorLog {
public:
    static constexpr qint64 maxBytes = 1 << 20;

    ErrorLog(QString programFolder, QString fallbackFolder);
    void logError(const QString& message) override;

    // The date, a blank, the time, a blank and the message, as the user's locale writes them.
    static QString formatLine(const QDateTime& when, const QString& message);
    // The locale's long time format (with seconds) without the time zone, which a log line does not need.
    static QString timeFormatWithoutZone(const QString& format);
    // Where the last line went; empty until a line has been written.
    QString lastPathUsed() const { return m_lastPath; }

private:
    bool appendTo(const QString& folder, const QByteArray& line);
    QString m_programFolder;
    QString m_fallbackFolder;
    QString m_lastPath;
};
