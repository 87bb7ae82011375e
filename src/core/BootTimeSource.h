#pragma once
#include "core/ITimeSource.h"

// CLOCK_BOOTTIME on Linux: monotonic, 64-bit, and it includes time spent suspended,
// so a timer set before the lid closed has run out when it opens.
class BootTimeSource final : public ITimeSource {
public:
    qint64 nowMs() const override;
};
