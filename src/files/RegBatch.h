#pragma once
#include <QString>

namespace RegBatch {
// Registers the Windows sound system before a board is loaded: starts "regdx8.bat" from the program's
// folder hidden and does not wait for it. Any failure is ignored, and nothing depends on the outcome.
// Elsewhere there is nothing to register, and it does nothing.
void runRegBatch(const QString& programFolder);
} // namespace RegBatch
