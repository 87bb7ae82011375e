#include "TestAssets.h"

#include <QDir>

QString TestAssets::programFolder() {
    return QDir::cleanPath(QStringLiteral(__FILE__ "/../../../assets"));
}
