#include "core/AppPaths.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace AppPaths {

QString programFolder(const QString& executableDir) {
    const QDir exe(executableDir);
    const QStringList candidates = {exe.absolutePath(),
                                    exe.absoluteFilePath(QStringLiteral("../share/zentriq"))};
    for (const QString& dir : candidates)
        if (QFileInfo::exists(QDir(dir).filePath(QStringLiteral("sounds/tick.wav"))) ||
            QFileInfo::exists(QDir(dir).filePath(QStringLiteral("pictures"))))
            return QDir::cleanPath(dir);
    return exe.absolutePath();
}

QString userDataFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
}

} // namespace AppPaths
