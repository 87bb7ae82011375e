#include "TestAssets.h"

QString TestAssets::programFolder() {
    // Named by the build, not by __FILE__, which a compiler cache may make relative to the build folder.
    return QStringLiteral(ZENTRIQ_TEST_ASSETS);
}
