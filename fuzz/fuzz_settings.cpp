// libFuzzer target for the settings file: any bytes where the settings file stands load without a crash,
// a hang or undefined behaviour; the options then saved load back unchanged.
#include "core/OptionSet.h"
#include "core/ProgramSettings.h"
#include "core/QSettingsStore.h"

#include <QFile>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdlib>

namespace {
bool sameOptions(const OptionSet& a, const OptionSet& b) {
    for (std::size_t i = 0; i < optionCount; ++i)
        if (a.isChecked(Option(i)) != b.isChecked(Option(i)))
            return false;
    return true;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("zentriq.conf"));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            std::abort();
        file.write(reinterpret_cast<const char*>(data), qint64(size));
    }
    OptionSet loaded;
    {
        QSettingsStore store(path);
        ProgramSettings settings(store, loaded);
        settings.loadSettings();
        settings.saveSettings();
    }
    OptionSet again;
    QSettingsStore store(path);
    ProgramSettings(store, again).loadSettings();
    if (!sameOptions(loaded, again))
        std::abort(); // what the program wrote does not read back as it was
    return 0;
}
