#include "TestAssets.h"

QString TestAssets::programFolder() {
    // Named by the build, so the tests find the committed assets from any working directory.
    return QStringLiteral(ZENTRIQ_SOURCE_ASSETS);
}
