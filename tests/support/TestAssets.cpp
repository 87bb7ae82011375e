#include "TestAssets.h"

#include <QDir>

// The build names the folder: a compiler cache may hand the compiler relative paths, and __FILE__ with them.
QString TestAssets::programFolder() {
    return QDir::cleanPath(QStringLiteral(ZENTRIQ_ASSETS_DIR));
}
