#pragma once
#include <QString>

// Where tests and benchmarks find the program's own sounds and pictures.
namespace TestAssets {

// The build tree's program folder (holding sounds/ and pictures/) above the running executable,
// else the repository's assets folder.
QString programFolder();

} // namespace TestAssets
