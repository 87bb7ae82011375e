#pragma once
#include <QString>

namespace AppPaths {
// The folder that holds sounds/ and pictures/: beside the executable in the build tree,
// or share/zentriq beside its bin/ once installed.
QString programFolder(const QString& executableDir);
// Where error.log goes when the program's folder cannot be written.
QString userDataFolder();
} // namespace AppPaths
