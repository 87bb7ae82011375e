#include "core/QSettingsStore.h"

QSettingsStore::QSettingsStore(const QString& application)
    : m_settings(QSettings::NativeFormat, QSettings::UserScope, application, application) {}

QString QSettingsStore::read(const QString& section, const QString& key, const QString& defaultValue) const {
    return m_settings.value(section + QLatin1Char('/') + key, defaultValue).toString();
}

void QSettingsStore::write(const QString& section, const QString& key, const QString& value) {
    m_settings.setValue(section + QLatin1Char('/') + key, value);
    m_settings.sync();
}
