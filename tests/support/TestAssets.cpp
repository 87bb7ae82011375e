#include "TestAssets.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace TestAssets {

QString programFolder() {
    const QString exe = QCoreApplication::instance()
                            ? QCoreApplication::applicationFilePath()
                            : QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
    QDir dir = QFileInfo(exe).absoluteDir();
    for (int up = 0; up < 4; ++up) {
        if (QFileInfo::exists(dir.filePath(QStringLiteral("sounds/tick.wav"))))
            return dir.absolutePath();
        if (!dir.cdUp())
            break;
    }
    return QDir::cleanPath(QFileInfo(QStringLiteral(__FILE__)).absolutePath() +
                           QStringLiteral("/../../assets"));
}

} // namespace TestAssets
