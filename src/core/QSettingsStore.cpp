#include "core/QSettingsStore.h"

#include <QFileInfo>
#include <QStandardPaths>

QSettingsStore::QSettingsStore(const QString& filePath) {
    const QFileInfo file(filePath);
    if (!file.exists() || file.isFile())
        m_settings = std::make_unique<QSettings>(filePath, QSettings::IniFormat);
}

QString QSettingsStore::userFile(const QString& application) {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QLatin1Char('/') +
           application + QLatin1Char('/') + application + QStringLiteral(".conf");
}

QString QSettingsStore::read(const QString& section, const QString& key, const QString& defaultValue) const {
    if (!m_settings)
        return defaultValue;
    return m_settings->value(section + QLatin1Char('/') + key, defaultValue).toString();
}

void QSettingsStore::write(const QString& section, const QList<std::pair<QString, QString>>& values) {
    if (!m_settings)
        return;
    for (const auto& [key, value] : values)
        m_settings->setValue(section + QLatin1Char('/') + key, value);
    m_settings->sync();
}
