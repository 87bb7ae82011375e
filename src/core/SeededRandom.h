#pragma once
#include "core/IRandom.h"

#include <random>

// Seeded once from the time of day, so identifiers differ from run to run.
class SeededRandom final : public IRandom {
public:
    explicit SeededRandom(unsigned seed);
    static unsigned secondsSinceMidnight();
    double next() override;

private:
    std::mt19937 m_engine;
    std::uniform_real_distribution<double> m_dist{0.0, 1.0};
};
