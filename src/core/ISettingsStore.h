#pragma once
#include <QString>

// The per-user settings store: text values under an application, a section and a key.
class ISettingsStore {
public:
    virtual ~ISettingsStore() = default;
    virtual QString read(const QString& section, const QString& key, const QString& defaultValue) const = 0;
    virtual void write(const QString& section, const QString& key, const QString& value) = 0;
};
