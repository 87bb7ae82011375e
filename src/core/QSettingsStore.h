#pragma once
#include "core/ISettingsStore.h"

#include <QSettings>

// QSettings in its native user-scope format: on Linux an INI file under $XDG_CONFIG_HOME.
class QSettingsStore final : public ISettingsStore {
public:
    explicit QSettingsStore(const QString& application);
    QString read(const QString& section, const QString& key, const QString& defaultValue) const override;
    void write(const QString& section, const QString& key, const QString& value) override;

private:
    mutable QSettings m_settings;
};
