#include "TestAssets.h"

#include <QDir>

QString TestAssets::programFolder() {
    // The test folder's absolute path: __FILE__ may be relative to wherever the build ran.
    return QDir::cleanPath(QStringLiteral(QT_TESTCASE_SOURCEDIR "/../assets"));
}
