#pragma once
#include "core/IErrorLog.h"

#include <QString>

// Appends "date time message" lines to error.log in the program's folder, or in the user's data
// folder when the program's folder cannot be written (an installed program usually cannot).
class ErrorLog final : public IErrorLog {
public:
    ErrorLog(QString programFolder, QString fallbackFolder);
    void logError(const QString& message) override;
    static QString formatLine(const QString& message);
    QString lastPathUsed() const { return m_lastPath; }

private:
    bool appendTo(const QString& folder, const QByteArray& line);
    QString m_programFolder;
    QString m_fallbackFolder;
    QString m_lastPath;
};
