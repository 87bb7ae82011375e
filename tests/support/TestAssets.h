#pragma once
#include <QString>

// Where tests and benchmarks find the program's sounds and pictures: the repository's assets folder.
namespace TestAssets {
QString programFolder();
} // namespace TestAssets
