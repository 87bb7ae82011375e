#include "core/ProgramSettings.h"

#include "core/IOptions.h"
#include "core/ISettingsStore.h"

namespace {
const QString kSection = QStringLiteral("misc");

struct StoredOption {
    Option option;
    const char* key;
};
const StoredOption kStored[] = {
    {Option::Sync, "syncClocks"},
    {Option::AllowRepos, "allowRepos"},
    {Option::ResetOnLoad, "resetOnLoad"},
    {Option::Notify, "notify"},
};

// A value that is not a boolean text yields the default.
bool toBool(const QString& text, bool fallback) {
    const QString t = text.trimmed().toLower();
    if (t == QLatin1String("true"))
        return true;
    if (t == QLatin1String("false"))
        return false;
    return fallback;
}
} // namespace

ProgramSettings::ProgramSettings(ISettingsStore& store, IOptions& options)
    : m_store(store), m_options(options) {}

void ProgramSettings::loadSettings() {
    for (const StoredOption& s : kStored) {
        const bool fallback = optionDefault(s.option);
        const QString text = m_store.read(kSection, QLatin1String(s.key),
                                          fallback ? QStringLiteral("True") : QStringLiteral("False"));
        m_options.setChecked(s.option, toBool(text, fallback));
    }
}

void ProgramSettings::saveSettings() {
    QList<std::pair<QString, QString>> values;
    for (const StoredOption& s : kStored)
        values.append({QLatin1String(s.key),
                       m_options.isChecked(s.option) ? QStringLiteral("True") : QStringLiteral("False")});
    m_store.write(kSection, values);
}
