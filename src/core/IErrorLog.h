#pragma once
#include <QString>

// Where failures that must not interrupt the user are written down.
class IErrorLog {
public:
    virtual ~IErrorLog() = default;
    virtual void logError(const QString& message) = 0;
};
