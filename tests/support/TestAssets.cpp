#include "TestAssets.h"

// An absolute path from the build: __FILE__ may be relative (compiler caches rewrite it), which would
// make the folder depend on where a test is started from.
QString TestAssets::programFolder() {
    return QStringLiteral(ZENTRIQ_ASSETS_DIR);
}
