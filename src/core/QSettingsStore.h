#pragma once
#include "core/ISettingsStore.h"

#include <QSettings>
#include <memory>

// QSettings over one INI file. Anything at that path but a regular file (a named pipe would block the
// program on opening it) is left alone: reading gives the defaults, as for a missing file, and writing
// keeps nothing.
class QSettingsStore final : public ISettingsStore {
public:
    explicit QSettingsStore(const QString& filePath);
    // The file QSettings uses for the application in the user's scope: on Linux under $XDG_CONFIG_HOME.
    static QString userFile(const QString& application);

    QString read(const QString& section, const QString& key, const QString& defaultValue) const override;
    void write(const QString& section, const QList<std::pair<QString, QString>>& values) override;

private:
    std::unique_ptr<QSettings> m_settings;
};
