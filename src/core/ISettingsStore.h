#pragma once
#include <QList>
#include <QString>
#include <utility>

// The per-user settings store: text values under a section and a key.
class ISettingsStore {
public:
    virtual ~ISettingsStore() = default;
    virtual QString read(const QString& section, const QString& key, const QString& defaultValue) const = 0;
    // Writes all the values and then puts the store on disk once.
    virtual void write(const QString& section, const QList<std::pair<QString, QString>>& values) = 0;
};
